// The designer's windows on the headless platform, driven by the scripted pointer and keys: the
// drag and its puts, the handles, the keys of the form being designed, the palette, a refused
// field, trying the form out.
#include <gtest/gtest.h>

#include "framework/controls/control.h"
#include "tests/designer/designer_fixture.h"
#include "tools/designer/designer.h"

namespace qf::test {
namespace {

class DesignerUi : public DesignerTest {
 protected:
  void SetUp() override {
    DesignerTest::SetUp();
    designer.emplace(*app, files, MainFormPath());
    designer->Window().Show();
    Settle();
  }
  void TearDown() override {
    designer.reset();
    DesignerTest::TearDown();
  }
  void Settle() {
    app->ProcessMessages();
    app->Idle();
    app->ProcessMessages();
  }
  designer::DesignSession& Session() { return designer->Session(); }
  pf::headless::HeadlessWindow& FormWindow() {
    return *hp->WindowOf(static_cast<pf::WindowHandler*>(&Session().Root()));
  }
  // A point of the designed form's client area on the screen.
  pf::Point OnForm(int x, int y) {
    const pf::Rect b = FormWindow().Bounds();
    return {b.left + x, b.top + y};
  }
  void Drag(pf::Point from, int dx, int dy) {
    hp->MoveTo(from);
    hp->Press();
    Settle();
    hp->MoveTo({from.x + dx, from.y + dy});
    Settle();
    hp->Release();
    Settle();
  }
  const fw::TControl& Live(const char* name) {
    return dynamic_cast<const fw::TControl&>(*Session().Root().FindComponent(name));
  }
  unsigned StatesOf(const char* name) {
    const auto* c = dynamic_cast<const fw::TControl*>(Session().Root().FindComponent(name));
    return FormWindow().Accessible()->Describe(c->AccessibleId())->states;
  }

  std::optional<designer::Designer> designer;
};

// A drag moves the control and puts only where it and its marks were and are; a handle sizes it.
TEST_F(DesignerUi, ADragMovesTheControlAndPutsOnlyItsOldAndNewPlaces) {
  hp->MoveTo(OnForm(400, 310));
  hp->Press();
  Settle();
  FormWindow().puts.clear();
  hp->MoveTo(OnForm(410, 310));
  Settle();
  std::uint64_t bytes = 0;
  for (const pf::Rect& r : FormWindow().puts) {
    bytes += static_cast<std::uint64_t>(r.Width()) * static_cast<std::uint64_t>(r.Height()) * 4;
  }
  EXPECT_LT(bytes, 2u * 200 * 40 * 4) << "no more than the old and new places with their marks";
  hp->Release();
  Settle();
  EXPECT_EQ(Live("ImageButton2").Left(), 398);
  Drag(OnForm(397 + 185, 303 + 12), 20, 0);  // the right edge's handle
  EXPECT_EQ(Live("ImageButton2").Width(), 204);
  EXPECT_EQ(Live("ImageButton2").Left(), 398);
  Session().Undo();
  Session().Undo();
  EXPECT_FALSE(Session().CanUndo()) << "each drag one step";
  EXPECT_EQ(Live("ImageButton2").Left(), 388);
}

TEST_F(DesignerUi, TheKeysSelectMoveSizeAndDeleteOnTheDesignedForm) {
  hp->Click(OnForm(400, 310));
  Settle();
  ASSERT_EQ(Session().Selected(), "ImageButton2");
  hp->Key(pf::kKeyRight);
  hp->Key(pf::kKeyDown, pf::kCtrlKey);
  hp->Key(pf::kKeyRight, pf::kShiftKey);
  Settle();
  EXPECT_EQ(Session().BoundsOf("ImageButton2"), (designer::Bounds{389, 311, 185, 25}));
  hp->Key(pf::kKeyTab);
  Settle();
  EXPECT_EQ(Session().Selected(), "ImageButton3") << "the next in the text";
  hp->Key(pf::kKeyDelete);
  Settle();
  EXPECT_EQ(Session().Root().FindComponent("ImageButton3"), nullptr);
  EXPECT_EQ(Session().Selected(), "");
  hp->Key(pf::kKeyTab, pf::kShiftKey);
  Settle();
  EXPECT_EQ(Session().Selected(), "Timer2") << "round, back to the last";
  hp->Key(pf::kKeyEscape);
  Settle();
  EXPECT_EQ(Session().Selected(), "") << "the form";
}

TEST_F(DesignerUi, AChosenClassIsPlacedWhereTheFormIsClicked) {
  designer->Choose(&fw::GetClass("TSelButton"));
  hp->Click(OnForm(590, 20));
  Settle();
  EXPECT_EQ(Session().Selected(), "SelButton1");
  EXPECT_EQ(Live("SelButton1").Left(), 590);
  hp->Click(OnForm(580, 380));
  Settle();
  EXPECT_EQ(Session().Root().FindComponent("SelButton2"), nullptr) << "placed once";
}

// A field's value that the property refuses is said and the field shows the value again; an
// accepted one is the text's.
TEST_F(DesignerUi, AFieldsRefusedValueIsSaidAndTheOldOneShown) {
  fw::TEdit& left = *designer->Window().Properties().Field("Left");
  const pf::Point at = left.ClientToScreen({5, 5});
  hp->Click(at);
  hp->Key('A', pf::kCtrlKey);
  hp->Type("x1");
  hp->Key(pf::kKeyReturn);
  Settle();
  EXPECT_EQ(left.Text(), "407");
  ASSERT_EQ(hp->message_boxes.size(), 1u);
  EXPECT_NE(hp->message_boxes[0].text.find("Left"), std::string::npos);
  hp->Key('A', pf::kCtrlKey);
  hp->Type("10");
  hp->Key(pf::kKeyReturn);
  Settle();
  EXPECT_EQ(*Session().Text().ValueText(0, "Left"), "10");
}

// F9: the form runs, a hover lights a button and a click names its handler; F9 again: designed.
TEST_F(DesignerUi, TryingTheFormLightsItsButtonsAndNamesTheirHandlers) {
  hp->MoveTo(OnForm(480, 315));
  Settle();
  EXPECT_FALSE(StatesOf("ImageButton2") & pf::kAccessibleHot) << "designed: no hover";
  designer->ToggleTry();
  EXPECT_TRUE(!FormWindow().Layered() || FormWindow().Alpha() == 255)
      << "opaque, though its description fades it in from 0";
  hp->MoveTo(OnForm(481, 315));
  Settle();
  EXPECT_TRUE(StatesOf("ImageButton2") & pf::kAccessibleHot);
  hp->Click(OnForm(481, 315));
  Settle();
  ASSERT_FALSE(hp->debug_output.empty());
  EXPECT_EQ(hp->debug_output.back(), "qf_designer: ImageButton2Click would run\n");
  hp->Key(pf::kKeyF9);
  Settle();
  EXPECT_FALSE(designer->Trying());
  EXPECT_FALSE(StatesOf("ImageButton2") & pf::kAccessibleHot);
}

}  // namespace
}  // namespace qf::test

namespace qf::test {
namespace {

// A new form's first save asks where, in a dialog of its own, and writes there.
TEST_F(DesignerTest, ANewFormsFirstSaveAsksForItsPathAndWritesThere) {
  designer::Designer designer(*app, files, std::nullopt);
  designer.Window().Show();
  hp->At(hp->Now() + 100, [&] {
    hp->Key('A', pf::kCtrlKey);
    hp->Type("/forms/new.form");
    hp->Key(pf::kKeyReturn);
  });
  designer.Save();
  ASSERT_TRUE(files.files.count("/forms/new.form"));
  EXPECT_EQ(files.files["/forms/new.form"].substr(0, 14), "TForm Form1 {\n");
  EXPECT_FALSE(designer.Session().Modified());
  EXPECT_TRUE(designer.Window().GetEnabled()) << "the windows take input again";
}

}  // namespace
}  // namespace qf::test
