// The selection button's looks, caption placement and outlines, pixel for pixel.
#include "buttoncomps/sel_button.h"
#include "tests/buttoncomps/button_fixture.h"

namespace qf::test {
namespace {

using bc::TSelButton;
using fw::TAlignment;

constexpr fw::TColor kOver = 0x00A4B984;

class SelLook : public ButtonTest {
 protected:
  TSelButton* Button(const std::string& caption, TAlignment alignment, int width = 105) {
    TSelButton* b = Place<TSelButton>("SelButton1");
    b->SetBounds(10, 10, width, 20);
    b->Font()->SetSize(9);
    b->SetAlment(alignment);
    b->SetCap(caption);
    Settle();
    return b;
  }
  // The caption at x `normal` in the normal and hover looks, at `pressed` (one row lower) in the
  // pressed look.
  ::testing::AssertionResult CaptionXs(TSelButton* b, const std::string& caption, int normal,
                                       int pressed) {
    const int y = 10 - Extent(*b->Font(), caption).cy / 2;
    auto r = CaptionAt(b, {normal, y}, caption, *b->Font(), fw::clGray, fw::clBtnFace);
    if (!r) return r << " (normal look)";
    MoveOnto(b, 1, 1);
    Settle();
    r = CaptionAt(b, {normal, y}, caption, *b->Font(), fw::clBlack, kOver);
    if (!r) return r << " (hover look)";
    hp->Press();
    Settle();
    r = CaptionAt(b, {pressed, y + 1}, caption, *b->Font(), fw::clBlack, kOver);
    if (!r) return r << " (pressed look)";
    return r;
  }
};

TEST_F(SelLook, ANewButtonShowsItsNameLeftInGreyWithAGreyOutline) {
  auto* b = Place<TSelButton>("SelButton1");
  EXPECT_EQ(b->Width(), 105);
  EXPECT_EQ(b->Height(), 20);
  const pf::Size text = Extent(*b->Font(), "SelButton1");
  Expected e(105, 20, fw::clWhite);
  e.Fill({1, 1, 104, 19}, fw::clBtnFace)
      .Text({5, 10 - text.cy / 2}, "SelButton1", *b->Font(), fw::clGray, fw::clBtnFace)
      .Frame({0, 0, 105, 20}, fw::clGray);
  EXPECT_TRUE(Shows(b, e));
}

TEST_F(SelLook, RightJustified40WideCaptionSitsAt59AndPressedOneLeftAt58) {
  auto* b = Button("Update", TAlignment::taRightJustify);
  ASSERT_EQ(Extent(*b->Font(), "Update").cx, 40);
  EXPECT_TRUE(CaptionXs(b, "Update", 59, 58));
}

TEST_F(SelLook, LeftJustifiedCaptionSitsAt5AndPressedOneRight) {
  auto* b = Button("Update", TAlignment::taLeftJustify);
  EXPECT_TRUE(CaptionXs(b, "Update", 5, 6));
}

TEST_F(SelLook, Centred51WideCaptionHalvesEachQuantityOnItsOwn) {
  for (int width : {104, 105}) {
    SCOPED_TRACE(width);
    auto* b = Button("Start now", TAlignment::taCenter, width);
    ASSERT_EQ(Extent(*b->Font(), "Start now").cx, 51);
    EXPECT_TRUE(CaptionXs(b, "Start now", 27, 28));
    hp->Release();
    MoveOff();
    Settle();
    delete b;
  }
}

TEST_F(SelLook, PressedLookFillsWithColorDownAndMovesTheCaptionDown) {
  auto* b = Button("Update", TAlignment::taLeftJustify);
  b->ColorDown = fw::clAqua;
  MoveOnto(b, 1, 1);
  Settle();
  hp->Press();
  Settle();
  const pf::Size text = Extent(*b->Font(), "Update");
  ASSERT_EQ(text.cy, 14);
  Expected e(105, 20, fw::clWhite);
  e.Fill({1, 1, 104, 19}, fw::clAqua)
      .Text({6, 4}, "Update", *b->Font(), fw::clBlack, fw::clAqua)
      .Frame({0, 0, 105, 20}, fw::clGray);
  EXPECT_TRUE(Shows(b, e));
}

TEST_F(SelLook, BorderWidthZeroNeverPaintsTheOuterRing) {
  auto* b = Button("", TAlignment::taLeftJustify);
  b->SetBWidth(0);
  // The outline drawn before stays until the form paints its background again.
  EXPECT_EQ(At(b, 0, 0), Px(fw::clGray));
  b->Invalidate();
  Settle();
  Expected e(105, 20, fw::clWhite);
  e.Fill({1, 1, 104, 19}, fw::clBtnFace);
  EXPECT_TRUE(Shows(b, e));
}

TEST_F(SelLook, BorderWidthThreeDrawsOutlinesOverTheFillAndCaption) {
  auto* b = Button("Update", TAlignment::taLeftJustify);
  b->SetBorder(fw::clRed);
  b->SetBWidth(3);
  Expected e(105, 20, fw::clWhite);
  e.Fill({1, 1, 104, 19}, fw::clBtnFace)
      .Text({5, 3}, "Update", *b->Font(), fw::clGray, fw::clBtnFace)
      .Fill({0, 0, 105, 3}, fw::clRed)
      .Fill({0, 17, 105, 20}, fw::clRed)
      .Fill({0, 0, 3, 20}, fw::clRed)
      .Fill({102, 0, 105, 20}, fw::clRed);
  EXPECT_TRUE(Shows(b, e));
}

TEST_F(SelLook, BorderWidthBeyondTheMiddleFillsTheWholeButtonAtOnce) {
  auto* b = Button("Update", TAlignment::taLeftJustify);
  b->SetBorder(fw::clRed);
  b->SetBWidth(2147483647);
  EXPECT_EQ(Count(b, fw::clRed), 105 * 20);
}

TEST_F(SelLook, CaptionWiderThanTheButtonStartsLeftOfItWhenRightJustifiedOrCentred) {
  const std::string wide = "A caption very much wider than the button";
  for (TAlignment a : {TAlignment::taRightJustify, TAlignment::taCenter}) {
    auto* b = Button(wide, a);
    const pf::Size text = Extent(*b->Font(), wide);
    const int x = a == TAlignment::taCenter ? 52 - text.cx / 2 : 105 - text.cx - 6;
    ASSERT_LT(x, 0);
    Expected e(105, 20, fw::clWhite);
    e.Fill({1, 1, 104, 19}, fw::clBtnFace)
        .Text({x, 10 - text.cy / 2}, wide, *b->Font(), fw::clGray, fw::clBtnFace)
        .Frame({0, 0, 105, 20}, fw::clGray);
    EXPECT_TRUE(Shows(b, e));
    delete b;
  }
}

TEST_F(SelLook, WritersRedrawTheNormalLookAtOnceOverTheHoverLook) {
  auto* b = Button("Update", TAlignment::taLeftJustify);
  MoveOnto(b, 1, 1);
  Settle();
  ASSERT_EQ(At(b, 2, 2), Px(kOver));
  b->SetAlment(TAlignment::taLeftJustify);
  EXPECT_EQ(At(b, 2, 2), Px(fw::clBtnFace));
  // Stored values show only at the next drawing that uses them.
  b->ColorOver = fw::clYellow;
  EXPECT_EQ(At(b, 2, 2), Px(fw::clBtnFace));
  MoveOff();
  Settle();
  MoveOnto(b, 1, 1);
  Settle();
  EXPECT_EQ(At(b, 2, 2), Px(fw::clYellow));
}

}  // namespace
}  // namespace qf::test
