// Keys between a form and its current choice: the choice takes what it wants first (never Tab),
// the form's OnKeyDown has the rest, or every key first with KeyPreview, and a key taken is done.
#include <gtest/gtest.h>

#include <utility>

#include "tests/ui/ui_fixture.h"

namespace qf::test {
namespace {

using Strings = std::vector<std::string>;

class FormKeys : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form = NewForm();
    form->Hide();
    a = NewChoice(form, "A", {10, 10, 60, 40});
    NewChoice(form, "B", {100, 10, 150, 40});
    form->Show();  // A is current
    a->takes = {'A', pf::kKeyLeft};
    // A program's shortcuts: Esc and Ctrl+S are the form's.
    form->OnKeyDown = fw::TKeyEvent([this](fw::TObject*, unsigned& key, fw::TShiftState shift) {
      log.push_back("form key " + std::to_string(key));
      if (key == pf::kKeyEscape || (key == 'S' && shift.Contains(fw::TShiftFlag::ssCtrl))) key = 0;
    });
    Settle();
  }
  void Key(unsigned key, unsigned shift = 0) {
    hp->Key(key, shift);
    Settle();
  }
  std::string Current() const { return form->Choices().Current()->Name(); }

  fw::TForm* form = nullptr;
  ChoiceProbe* a = nullptr;
};

TEST_F(FormKeys, TheCurrentChoiceTakesItsKeysFirstAndTheFormHasTheRest) {
  Key('A');
  Key(pf::kKeyLeft);
  Key('B');
  Key(pf::kKeyEscape);
  EXPECT_EQ(log, (Strings{"A takes key 65", "A takes key 37", "A leaves key 66", "form key 66",
                          "A leaves key 27", "form key 27"}));
  EXPECT_EQ(Current(), "A") << "Left was the choice's";
  EXPECT_TRUE(form->Visible()) << "Esc was the form's handler's";
  log.clear();
  Key(pf::kKeyTab);
  EXPECT_EQ(log, Strings{"form key 9"});
  EXPECT_EQ(Current(), "B");
  form->WindowChar('q');
  EXPECT_EQ(log.back(), "B char q");
}

TEST_F(FormKeys, WithKeyPreviewTheFormSeesEveryKeyFirstAndMayTakeIt) {
  form->SetKeyPreview(true);
  Key('S', pf::kCtrlKey);
  Key('A');
  Key(pf::kKeyDown);
  EXPECT_EQ(log, (Strings{"form key 83", "form key 65", "A takes key 65", "form key 40",
                          "A leaves key 40"}));
  EXPECT_EQ(Current(), "B");
}

// A document closed by its shortcut: nothing touches the form after the handler freed it.
TEST_F(FormKeys, AHandlerMayFreeTheForm) {
  form->OnKeyDown = fw::TKeyEvent(
      [this](fw::TObject*, unsigned&, fw::TShiftState) { fw::Free(std::exchange(form, nullptr)); });
  Key('W', pf::kCtrlKey);
  EXPECT_EQ(form, nullptr);
  EXPECT_EQ(log, Strings{"A leaves key 87"});
}

}  // namespace
}  // namespace qf::test
