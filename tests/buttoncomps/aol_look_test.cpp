// The raised button's raised and pressed looks, pixel for pixel.
#include "buttoncomps/aol_button.h"
#include "tests/buttoncomps/button_fixture.h"

namespace qf::test {
namespace {

using bc::TAOLButton;

constexpr fw::TColor kFace = 0x00A56934;
constexpr fw::TColor kRaise = 0x00D7A28A;

class AOLLook : public ButtonTest {
 protected:
  // The finished raised look of a w x h button, caption aside.
  static Expected Raised(int w, int h) {
    Expected e(w, h, fw::clWhite);
    e.Fill({0, 0, w, h}, fw::clBlack)
        .Fill({3, 3, w - 2, h - 2}, kFace)
        .Fill({1, 1, w - 2, 3}, kRaise)
        .Fill({1, 1, 2, h - 1}, kRaise)
        .Fill({2, 1, 3, h - 2}, kRaise);
    return e;
  }
  static pf::Point Centred(const fw::TControl* b, pf::Size text) {
    return {b->Width() / 2 - text.cx / 2, b->Height() / 2 - text.cy / 2};
  }
};

TEST_F(AOLLook, DefaultButtonHasBevelShadowFrameAndBoldWhiteCaption) {
  auto* b = Place<TAOLButton>("AOLButton1");
  EXPECT_EQ(b->Width(), 89);
  EXPECT_EQ(b->Height(), 23);
  const pf::Size text = Extent(*b->Font(), "AOLButton1");
  Expected e = Raised(89, 23);
  e.Text(Centred(b, text), "AOLButton1", *b->Font(), fw::clWhite, kFace);
  EXPECT_TRUE(Shows(b, e));
  // Bevel to column 86 on rows 1 and 2; shadow on column 87 and row 21; frame beyond.
  EXPECT_TRUE(RowIs(b, 1, 1, 86, kRaise));
  EXPECT_TRUE(RowIs(b, 2, 1, 86, kRaise));
  EXPECT_TRUE(ColumnIs(b, 87, 1, 21, fw::clBlack));
  EXPECT_TRUE(RowIs(b, 21, 2, 87, fw::clBlack));
  EXPECT_TRUE(ColumnIs(b, 88, 0, 22, fw::clBlack));
  EXPECT_TRUE(RowIs(b, 22, 0, 88, fw::clBlack));
}

TEST_F(AOLLook, PressedLookIsFlatWithALineUnderTheTopAndTheCaptionTwoPixelsOver) {
  auto* b = Place<TAOLButton>("AOLButton1");
  b->Font()->SetSize(9);
  b->SetCap("Cancel");
  Settle();
  const pf::Size text = Extent(*b->Font(), "Cancel");
  MoveOnto(b, 5, 5);
  hp->Press();
  Settle();
  const pf::Point raised = Centred(b, text);
  Expected e(89, 23, fw::clWhite);
  e.Fill({0, 0, 89, 23}, fw::clBlack)
      .Fill({1, 2, 88, 22}, kFace)
      .Text({raised.x + 2, raised.y + 2}, "Cancel", *b->Font(), fw::clWhite, kFace);
  EXPECT_TRUE(Shows(b, e));
}

TEST_F(AOLLook, ShadowBandsFollowTheReversedFillsOnASmallButton) {
  auto* b = Place<TAOLButton>("AOLButton1");
  b->SetCap("");
  b->SetBounds(10, 10, 6, 6);
  Settle();
  EXPECT_TRUE(Shows(b, Raised(6, 6)));
}

TEST_F(AOLLook, CaptionLargerThanTheFaceCoversBevelAndShadowButNotTheFrame) {
  const std::string wide = "A caption wider than the face";
  auto* b = Place<TAOLButton>("AOLButton1");
  b->SetCap(wide);
  b->Font()->SetSize(18);
  Settle();
  const pf::Size text = Extent(*b->Font(), wide);
  ASSERT_GT(text.cx, 89);
  ASSERT_GT(text.cy, 23);
  Expected e = Raised(89, 23);
  e.Text(Centred(b, text), wide, *b->Font(), fw::clWhite, kFace).Frame({0, 0, 89, 23}, fw::clBlack);
  EXPECT_TRUE(Shows(b, e));
}

TEST_F(AOLLook, WritersRedrawTheRaisedLookAtOnceEvenWhilePressed) {
  auto* b = Place<TAOLButton>("AOLButton1");
  MoveOnto(b, 5, 5);
  hp->Press();
  Settle();
  EXPECT_EQ(At(b, 1, 1), Px(fw::clBlack));
  b->SetRaiseCol(fw::clYellow);
  EXPECT_EQ(At(b, 1, 1), Px(fw::clYellow));
  // The same value again still redraws.
  b->Canvas()->Brush()->SetColor(fw::clRed);
  b->Canvas()->FillRect(b->ClientRect());
  b->SetCol(kFace);
  EXPECT_EQ(At(b, 1, 1), Px(fw::clYellow));
}

TEST_F(AOLLook, FontChangeRepaintsLaterNotAtOnce) {
  auto* b = Place<TAOLButton>("AOLButton1");
  b->Font()->SetColor(fw::clYellow);
  EXPECT_EQ(Count(b, fw::clYellow), 0);
  Settle();
  EXPECT_GT(Count(b, fw::clYellow), 0);
}

}  // namespace
}  // namespace qf::test
