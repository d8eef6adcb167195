// The square button's looks, caption placement and border strips, pixel for pixel.
#include "buttoncomps/square_button.h"
#include "tests/buttoncomps/button_fixture.h"

namespace qf::test {
namespace {

using bc::TSquareButton;
using fw::TAlignment;

class SquareLook : public ButtonTest {
 protected:
  TSquareButton* Button(const std::string& caption, TAlignment alignment, int width = 113,
                        int font_size = 9) {
    TSquareButton* b = Place<TSquareButton>("SquareButton1");
    b->SetBounds(10, 10, width, 17);
    b->Font()->SetSize(font_size);
    b->SetAlment(alignment);
    b->SetCap(caption);
    Settle();
    return b;
  }
  // The look of a w x 17 button: background, caption, then the strips `bw` thick.
  static Expected Look(int w, pf::Point at, const std::string& caption, const fw::TFont& font,
                       fw::TColor ink, fw::TColor strips, int bw = 2) {
    Expected e(w, 17, fw::clWhite);
    e.Fill({0, 0, w, 17}, fw::clBtnFace).Text(at, caption, font, ink, fw::clBtnFace);
    if (bw > 0) e.Fill({0, 17 - bw, w, 17}, strips).Fill({0, 0, bw, 17}, strips);
    return e;
  }
};

TEST_F(SquareLook, ANewButtonShowsItsNameLeftInBlackWithTwoPixelStripsLeftAndBottom) {
  auto* b = Place<TSquareButton>("SquareButton1");
  EXPECT_EQ(b->Width(), 113);
  EXPECT_EQ(b->Height(), 17);
  const pf::Size text = Extent(*b->Font(), "SquareButton1");
  EXPECT_TRUE(Shows(b, Look(113, {6, 8 - text.cy / 2 - 1}, "SquareButton1", *b->Font(),
                            fw::clBlack, fw::clBlack)));
}

TEST_F(SquareLook, CaptionFourteenHighOnHeight17StartsAtRowZero) {
  auto* b = Button("Update", TAlignment::taLeftJustify);
  ASSERT_EQ(Extent(*b->Font(), "Update").cy, 14);
  EXPECT_TRUE(Shows(b, Look(113, {6, 0}, "Update", *b->Font(), fw::clBlack, fw::clBlack)));
}

TEST_F(SquareLook, CentredCaptionOf51OnWidth112StartsAt31) {
  auto* b = Button("Start now", TAlignment::taCenter, 112);
  ASSERT_EQ(Extent(*b->Font(), "Start now").cx, 51);
  EXPECT_TRUE(Shows(b, Look(112, {31, 0}, "Start now", *b->Font(), fw::clBlack, fw::clBlack)));
}

TEST_F(SquareLook, RightJustifiedCaptionEndsSevenPixelsFromTheEdge) {
  auto* b = Button("Update", TAlignment::taRightJustify);
  EXPECT_TRUE(
      Shows(b, Look(113, {113 - 40 - 7, 0}, "Update", *b->Font(), fw::clBlack, fw::clBlack)));
}

TEST_F(SquareLook, HoverAndPressedChangeOnlyCaptionAndStripColours) {
  auto* b = Button("Update", TAlignment::taLeftJustify);
  b->ColorOverCaption = fw::clRed;
  b->ColorOverBorder = fw::clBlue;
  b->DownBorderColor = fw::clLime;
  MoveOnto(b, 50, 5);
  Settle();
  EXPECT_TRUE(Shows(b, Look(113, {6, 0}, "Update", *b->Font(), fw::clRed, fw::clBlue)));
  hp->Press();
  Settle();
  // Pressed: same place, the caption colour of the hover look carried over.
  EXPECT_TRUE(Shows(b, Look(113, {6, 0}, "Update", *b->Font(), fw::clRed, fw::clLime)));
}

TEST_F(SquareLook, StripsCoverTheCaptionWhereTheyMeetIt) {
  auto* b = Button("Update", TAlignment::taLeftJustify);
  b->SetBWidth(9);
  EXPECT_TRUE(Shows(b, Look(113, {6, 0}, "Update", *b->Font(), fw::clBlack, fw::clBlack, 9)));
}

TEST_F(SquareLook, BorderWidthZeroOrNegativeDrawsNoStrips) {
  for (int bw : {0, -1, -5}) {
    SCOPED_TRACE(bw);
    auto* b = Button("Update", TAlignment::taLeftJustify);
    b->SetBWidth(bw);
    EXPECT_TRUE(Shows(b, Look(113, {6, 0}, "Update", *b->Font(), fw::clBlack, fw::clBlack, 0)));
    delete b;
  }
}

TEST_F(SquareLook, BorderWidthAsLargeAsTheButtonCoversItWhole) {
  auto* b = Button("Update", TAlignment::taLeftJustify);
  b->SetBorder(fw::clRed);
  b->SetBWidth(113);
  EXPECT_EQ(Count(b, fw::clRed), 113 * 17);
}

TEST_F(SquareLook, EmptyCaptionLeavesBackgroundAndStrips) {
  auto* b = Button("", TAlignment::taCenter);
  Expected e(113, 17, fw::clWhite);
  e.Fill({0, 0, 113, 17}, fw::clBtnFace).Fill({0, 15, 113, 17}, fw::clBlack).Fill({0, 0, 2, 17}, fw::clBlack);
  EXPECT_TRUE(Shows(b, e));
}

TEST_F(SquareLook, CaptionWiderThanTheButtonStartsLeftOfItWhenRightJustifiedOrCentred) {
  const std::string wide = "A caption very much wider than the square button";
  for (TAlignment a : {TAlignment::taRightJustify, TAlignment::taCenter}) {
    auto* b = Button(wide, a);
    const pf::Size text = Extent(*b->Font(), wide);
    const int x = a == TAlignment::taCenter ? 56 - text.cx / 2 : 113 - text.cx - 7;
    ASSERT_LT(x, 0);
    EXPECT_TRUE(Shows(b, Look(113, {x, 0}, wide, *b->Font(), fw::clBlack, fw::clBlack)));
    delete b;
  }
}

}  // namespace
}  // namespace qf::test
