// What the four buttons share: their caption follows their name when they get a parent, their
// repainting writers need one, and the framework's own state stays as construction leaves it.
#include "buttoncomps/aol_button.h"
#include "tests/buttoncomps/button_kinds.h"

namespace qf::test {
namespace {

template <class B>
class Common : public ButtonTest {};

using Buttons =
    ::testing::Types<bc::TEncartaButton, bc::TAOLButton, bc::TSelButton, bc::TSquareButton>;
TYPED_TEST_SUITE(Common, Buttons);

TYPED_TEST(Common, EveryParentAssignmentResetsTheCaptionToTheNameWithoutDrawing) {
  auto* b = this->template Place<TypeParam>("Named");
  EXPECT_EQ(b->Caption(), "Named");
  b->SetCap("From code");
  b->Canvas()->Brush()->SetColor(fw::clRed);
  b->Canvas()->FillRect(b->ClientRect());
  b->SetParent(this->form);
  EXPECT_EQ(b->Caption(), "Named");
  EXPECT_EQ(this->Count(b, fw::clRed), b->Width() * b->Height());
  b->SetCap("From code");
  b->SetParent(nullptr);
  EXPECT_EQ(b->Caption(), "From code");
}

TYPED_TEST(Common, RepaintingWritersWithoutAParentRaiseAfterStoring) {
  TypeParam b(this->app);
  b.SetName("Orphan");
  try {
    b.SetCap("Kept");
    FAIL() << "no exception";
  } catch (const fw::EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), "Control 'Orphan' has no parent window");
  }
  EXPECT_EQ(b.Caption(), "Kept");
  EXPECT_THROW(b.SetCol(fw::clRed), fw::EInvalidOperation);
  EXPECT_EQ(b.Color(), fw::clRed);
}

TYPED_TEST(Common, ConstructionKeepsItsOwnFontShowsHintsAndLeavesTheFrameworkEnabled) {
  TypeParam b(this->app);
  EXPECT_FALSE(b.ParentFont());
  EXPECT_EQ(b.Font()->Name(), "Arial");
  EXPECT_EQ(b.Font()->Size(), 8);
  EXPECT_TRUE(b.ShowHint());
  EXPECT_FALSE(b.ParentShowHint());
  EXPECT_TRUE(b.Enabled);
  EXPECT_TRUE(b.GetEnabled());
  EXPECT_EQ(b.Caption(), "");
  b.Enabled = false;
  EXPECT_TRUE(b.GetEnabled());
}

TYPED_TEST(Common, NotificationsEndAtTheButton) {
  // A form that hears of its children's notifications through its own dispatch.
  struct Listening : fw::TForm {
    using fw::TForm::TForm;
    void Dispatch(fw::TMessage& m) override {
      if (m.Msg == fw::CM_MOUSELEAVE && m.LParam != 0) ++heard;
      fw::TForm::Dispatch(m);
    }
    int heard = 0;
  };
  auto* listening = new Listening(this->app);
  listening->SetBounds(100, 200, 200, 60);
  listening->Show();
  auto* b = new TypeParam(listening);
  b->SetParent(listening);
  this->Settle();
  this->hp->MoveTo(b->ClientToScreen({3, 3}));
  this->Settle();
  this->hp->MoveTo(listening->ClientToScreen({190, 50}));
  this->Settle();
  EXPECT_EQ(listening->heard, 0);
}

TEST(ButtonDefaults, EachClassStartsWithItsOwnSizeColoursAndFont) {
  bc::TEncartaButton e(nullptr);
  EXPECT_EQ(e.Color(), fw::clBtnFace);
  EXPECT_EQ(e.ColorBorder(), 0x00828F99);
  EXPECT_EQ(e.ColorOver, 0x000ABED8);
  EXPECT_EQ(e.ColorDown, 0x000ABED8);
  EXPECT_EQ(e.ColorOverCaption, fw::clBlack);
  EXPECT_EQ(e.Font()->Color(), fw::clBlack);
  EXPECT_TRUE(e.ShowCaption());
  EXPECT_TRUE(e.Glyph()->Empty());

  bc::TAOLButton a(nullptr);
  EXPECT_EQ(a.Color(), 0x00A56934);
  EXPECT_EQ(a.RaiseColor(), 0x00D7A28A);
  EXPECT_EQ(a.Font()->Color(), fw::clWhite);
  EXPECT_EQ(a.Font()->Style(), (fw::TFontStyles{fw::TFontStyle::fsBold}));

  bc::TSelButton s(nullptr);
  EXPECT_EQ(s.Color(), fw::clBtnFace);
  EXPECT_EQ(s.ColorBorder(), fw::clGray);
  EXPECT_EQ(s.ColorOver, 0x00A4B984);
  EXPECT_EQ(s.ColorDown, 0x00A4B984);
  EXPECT_EQ(s.Font()->Color(), fw::clGray);
  EXPECT_EQ(s.Alignment(), fw::TAlignment::taLeftJustify);
  EXPECT_EQ(s.BorderWidth(), 1);

  bc::TSquareButton q(nullptr);
  EXPECT_EQ(q.Color(), fw::clBtnFace);
  EXPECT_EQ(q.ColorBorder(), fw::clBlack);
  EXPECT_EQ(q.ColorOverCaption, fw::clWhite);
  EXPECT_EQ(q.ColorOverBorder, fw::clBlack);
  EXPECT_EQ(q.DownBorderColor, fw::clWhite);
  EXPECT_EQ(q.BorderWidth(), 2);
}

}  // namespace
}  // namespace qf::test
