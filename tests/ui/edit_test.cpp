// The text field on a form: reached by Tab and by the mouse, typing, Enter and Esc, the clipboard,
// what screen readers read of it, and no focus cue round it.
#include <gtest/gtest.h>

#include "framework/controls/edit.h"
#include "tests/ui/ui_fixture.h"

namespace qf::test {
namespace {

using Strings = std::vector<std::string>;

class Edit : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form = NewForm();
    button = NewChoice(form, "Button", {10, 10, 60, 30});
    edit = new fw::TEdit(form);
    edit->SetName("Field");
    edit->SetParent(form);
    edit->SetBounds(10, 40, 120, 21);
    edit->SetText("388");
    edit->OnAccept = fw::TNotifyEvent([&](fw::TObject*) { log.push_back("accept " + edit->Text()); });
    edit->OnCancel = fw::TNotifyEvent([&](fw::TObject*) { log.push_back("cancel " + edit->Text()); });
    form->Hide();
    form->Show();  // its first choice current, as a dialog's when it shows
    Settle();
  }
  void Key(unsigned key, unsigned shift = 0) {
    hp->Key(key, shift);
    Settle();
  }
  fw::TForm* form = nullptr;
  ChoiceProbe* button = nullptr;
  fw::TEdit* edit = nullptr;
};

TEST_F(Edit, TabSelectsItAllTypingReplacesItEnterAcceptsAndEscPutsItBack) {
  Key(pf::kKeyTab);
  ASSERT_EQ(form->Choices().Current(), edit);
  EXPECT_EQ(edit->Editing().SelectedText(), "388");
  hp->Type("393");
  Settle();
  Key(pf::kKeyReturn);
  Key(pf::kKeyBack);
  Key(pf::kKeyLeft);
  hp->Type(" ");  // a space is typed, not a press
  Settle();
  EXPECT_EQ(edit->Text(), "3 9");
  Key(pf::kKeyEscape);
  EXPECT_EQ(edit->Text(), "393") << "back to what Enter accepted";
  EXPECT_TRUE(WindowOf(form).IsVisible()) << "Esc was the field's";
  EXPECT_EQ(log, (Strings{"accept 393", "cancel 393"}));
  Key(pf::kKeyUp);  // not the field's: the choice moves
  EXPECT_EQ(form->Choices().Current(), button);
}

TEST_F(Edit, TheClipboardCopiesCutsAndPastesTheSelection) {
  Key(pf::kKeyTab);
  Key('C', pf::kCtrlKey);
  EXPECT_EQ(hp->clipboard, "388");
  Key(pf::kKeyEnd);
  Key(pf::kKeyLeft, pf::kShiftKey);
  Key('X', pf::kCtrlKey);
  EXPECT_EQ(hp->clipboard, "8");
  EXPECT_EQ(edit->Text(), "38");
  hp->clipboard = "file \"art/x.bmp\"\n";
  Key('A', pf::kCtrlKey);
  Key('V', pf::kCtrlKey);
  EXPECT_EQ(edit->Text(), "file \"art/x.bmp\" ");
}

TEST_F(Edit, APressMakesItCurrentAndScreenReadersReadItsText) {
  hp->Click(Screen(edit, 60, 10));
  Settle();
  EXPECT_EQ(form->Choices().Current(), edit);
  EXPECT_EQ(edit->Editing().Caret(), 3u) << "past the text's end";
  const auto described = WindowOf(form).Accessible()->Describe(edit->AccessibleId());
  ASSERT_TRUE(described);
  EXPECT_EQ(described->role, pf::AccessibleRole::kEditableText);
  EXPECT_EQ(described->value, "388");
  hp->accessible_events.clear();
  hp->Type("9");
  Settle();
  EXPECT_EQ(WindowOf(form).Accessible()->Describe(edit->AccessibleId())->value, "3889");
  ASSERT_FALSE(hp->accessible_events.empty());
  EXPECT_NE(hp->accessible_events.back().find("value"), std::string::npos)
      << hp->accessible_events.back();
  Key(pf::kKeyTab);
  Key(pf::kKeyTab, pf::kShiftKey);
  EXPECT_FALSE(form->Choices().DrawnCue()) << "the caret shows where the keys go";
}

}  // namespace
}  // namespace qf::test
