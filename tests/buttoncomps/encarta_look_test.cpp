// The flat picture button's three looks, pixel for pixel.
#include "buttoncomps/encarta_button.h"
#include "tests/buttoncomps/button_fixture.h"

namespace qf::test {
namespace {

using bc::TEncartaButton;

constexpr fw::TColor kBorder = 0x00828F99;
constexpr fw::TColor kOver = 0x000ABED8;
// The bevel edges written out, not taken from the button, so that a wrong colour there fails.
constexpr fw::TColor kLight = 0x00EDF4F8;
constexpr fw::TColor kDark = 0x004F4F4F;
constexpr fw::TColor kBlue = 0xFF0000;
constexpr fw::TColor kGreen = 0x00FF00;
constexpr fw::TColor kRed = 0x0000FF;

// 16 x 16: column 0 blue, column 15 green, the rest red; the top-left pixel and row 8 (between
// the outer columns) white, the key colour.
fw::TBitmap Glyph16() {
  fw::TBitmap g(16, 16);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      fw::TColor c = x == 0 ? kBlue : x == 15 ? kGreen : y == 8 ? fw::clWhite : kRed;
      if (x == 0 && y == 0) c = fw::clWhite;
      g.SetPixel(x, y, static_cast<pf::ColorRef>(c));
    }
  }
  return g;
}

class EncartaLook : public ButtonTest {
 protected:
  TEncartaButton* Button(const std::string& caption, int font_size = 9) {
    TEncartaButton* b = Place<TEncartaButton>("EncartaButton1");
    b->Font()->SetSize(font_size);
    b->SetCap(caption);
    Settle();
    return b;
  }
  void Hover(TEncartaButton* b) {
    MoveOnto(b, 1, 1);
    Settle();
  }
  void Press(TEncartaButton* b) {
    Hover(b);
    hp->Press();
    Settle();
  }
  // The glyph of Glyph16 drawn into `dest` over the fill colour `fill`.
  ::testing::AssertionResult GlyphIn(const TEncartaButton* b, pf::Rect dest, fw::TColor fill) {
    const int l = dest.left, t = dest.top, r = dest.right - 1, bottom = dest.bottom - 1;
    for (auto result : {At(b, l, t) == Px(fill) ? ::testing::AssertionSuccess()
                                                 : ::testing::AssertionFailure() << "key corner",
                        ColumnIs(b, l, t + 1, bottom, kBlue), ColumnIs(b, r, t, bottom, kGreen),
                        RowIs(b, t + 4, l + 1, r - 1, kRed), RowIs(b, t + 8, l + 1, r - 1, fill),
                        ColumnIs(b, l - 1, t, bottom, fill), ColumnIs(b, r + 1, t, bottom, fill),
                        RowIs(b, t - 1, l, r, fill), RowIs(b, bottom + 1, l, r, fill)}) {
      if (!result) return result;
    }
    return ::testing::AssertionSuccess();
  }
};

TEST_F(EncartaLook, ANewButtonShowsItsNameInBlackOnButtonFaceInsideItsBorder) {
  auto* b = Place<TEncartaButton>("EncartaButton1");
  const pf::Size text = Extent(*b->Font(), "EncartaButton1");
  EXPECT_EQ(b->Width(), 86);
  EXPECT_EQ(b->Height(), 22);
  Expected e(86, 22, fw::clWhite);
  e.Fill({1, 1, 85, 21}, fw::clBtnFace)
      .Text({43 - text.cx / 2, 11 - text.cy / 2}, "EncartaButton1", *b->Font(), fw::clBlack,
            fw::clBtnFace)
      .Frame({0, 0, 86, 22}, kBorder);
  EXPECT_TRUE(Shows(b, e));
}

TEST_F(EncartaLook, CaptionOf40By14SitsAt23_4AndPressedAt24_5) {
  auto* b = Button("Update");
  ASSERT_EQ(Extent(*b->Font(), "Update"), (pf::Size{40, 14}));
  Expected normal(86, 22, fw::clWhite);
  normal.Fill({1, 1, 85, 21}, fw::clBtnFace)
      .Text({23, 4}, "Update", *b->Font(), fw::clBlack, fw::clBtnFace)
      .Frame({0, 0, 86, 22}, kBorder);
  EXPECT_TRUE(Shows(b, normal));

  Hover(b);
  Expected hover(86, 22, fw::clWhite);
  hover.Fill({1, 1, 85, 21}, kOver)
      .Text({23, 4}, "Update", *b->Font(), fw::clBlack, kOver)
      .Fill({0, 0, 85, 1}, kLight)
      .Fill({0, 1, 1, 21}, kLight)
      .Fill({85, 0, 86, 22}, kDark)
      .Fill({0, 21, 86, 22}, kDark);
  EXPECT_TRUE(Shows(b, hover));

  hp->Press();
  Settle();
  Expected pressed(86, 22, fw::clWhite);
  pressed.Fill({1, 1, 85, 21}, kOver)
      .Text({24, 5}, "Update", *b->Font(), fw::clBlack, kOver)
      .Fill({0, 0, 85, 1}, kDark)
      .Fill({0, 1, 1, 21}, kDark)
      .Fill({85, 0, 86, 22}, kLight)
      .Fill({0, 21, 86, 22}, kLight);
  EXPECT_TRUE(Shows(b, pressed));
}

TEST_F(EncartaLook, HoverRingIsLightTopLeftAndDarkRightBottomWithNoBorderPixel) {
  auto* b = Button("Update");
  b->SetBounds(10, 10, 40, 12);
  Hover(b);
  EXPECT_TRUE(RowIs(b, 0, 0, 38, kLight));
  EXPECT_TRUE(ColumnIs(b, 0, 1, 10, kLight));
  EXPECT_TRUE(ColumnIs(b, 39, 0, 11, kDark));
  EXPECT_TRUE(RowIs(b, 11, 0, 39, kDark));
  EXPECT_EQ(Count(b, kBorder), 0);
}

TEST_F(EncartaLook, PressedRingIsDarkTopLeftAndLightRightBottom) {
  auto* b = Button("Update");
  b->SetBounds(10, 10, 40, 12);
  Press(b);
  EXPECT_TRUE(RowIs(b, 0, 0, 38, kDark));
  EXPECT_TRUE(ColumnIs(b, 0, 1, 10, kDark));
  EXPECT_TRUE(ColumnIs(b, 39, 0, 11, kLight));
  EXPECT_TRUE(RowIs(b, 11, 0, 39, kLight));
  EXPECT_EQ(Count(b, kBorder), 0);
}

TEST_F(EncartaLook, GlyphBesideA41PixelCaptionIsStretchedByOneColumn) {
  auto* b = Button("Manual");
  ASSERT_EQ(Extent(*b->Font(), "Manual"), (pf::Size{41, 14}));
  const fw::TBitmap glyph = Glyph16();
  b->SetBmp(&glyph);
  Settle();
  EXPECT_TRUE(GlyphIn(b, {14, 3, 31, 19}, fw::clBtnFace));
  EXPECT_TRUE(CaptionAt(b, {35, 4}, "Manual", *b->Font(), fw::clBlack, fw::clBtnFace));
  Press(b);
  EXPECT_TRUE(GlyphIn(b, {15, 4, 32, 20}, kOver));
  EXPECT_TRUE(CaptionAt(b, {36, 5}, "Manual", *b->Font(), fw::clBlack, kOver));
}

TEST_F(EncartaLook, GlyphWithoutCaptionIsCentredAtItsOwnSize) {
  auto* b = Button("Manual");
  const fw::TBitmap glyph = Glyph16();
  b->SetBmp(&glyph);
  b->SetSCap(false);
  Settle();
  EXPECT_TRUE(GlyphIn(b, {35, 3, 51, 19}, fw::clBtnFace));
  EXPECT_EQ(Count(b, fw::clBlack), 0);
  Press(b);
  EXPECT_TRUE(GlyphIn(b, {36, 4, 52, 20}, kOver));
}

TEST_F(EncartaLook, EmptyCaptionPlacesTheGlyphAsIfTheCaptionWereZeroWide) {
  auto* b = Button("");
  const fw::TBitmap glyph = Glyph16();
  b->SetBmp(&glyph);
  Settle();
  EXPECT_TRUE(GlyphIn(b, {34, 3, 51, 19}, fw::clBtnFace));
}

TEST_F(EncartaLook, KeyColouredGlyphPixelsShowTheFillOfEachLook) {
  auto* b = Button("Manual");
  const fw::TBitmap glyph = Glyph16();
  b->SetBmp(&glyph);
  b->ColorOver = fw::clYellow;
  b->ColorDown = fw::clAqua;
  Settle();
  Hover(b);
  EXPECT_TRUE(GlyphIn(b, {14, 3, 31, 19}, fw::clYellow));
  hp->Press();
  Settle();
  EXPECT_TRUE(GlyphIn(b, {15, 4, 32, 20}, fw::clAqua));
}

TEST_F(EncartaLook, NeitherGlyphNorCaptionLeavesFillAndOutline) {
  auto* b = Button("Update");
  b->SetSCap(false);
  Expected e(86, 22, fw::clWhite);
  e.Fill({1, 1, 85, 21}, fw::clBtnFace).Frame({0, 0, 86, 22}, kBorder);
  EXPECT_TRUE(Shows(b, e));
}

TEST_F(EncartaLook, CaptionWiderThanTheButtonIsClippedUnderTheOutline) {
  const std::string wide = "A caption far wider than the button";
  auto* b = Button(wide);
  const pf::Size text = Extent(*b->Font(), wide);
  ASSERT_GT(text.cx, 86);
  Expected e(86, 22, fw::clWhite);
  e.Fill({1, 1, 85, 21}, fw::clBtnFace)
      .Text({43 - text.cx / 2, 11 - text.cy / 2}, wide, *b->Font(), fw::clBlack, fw::clBtnFace)
      .Frame({0, 0, 86, 22}, kBorder);
  EXPECT_TRUE(Shows(b, e));
}

TEST_F(EncartaLook, NewGlyphIsDrawnByTheNextRepaintNotAtOnce) {
  auto* b = Button("Manual");
  const fw::TBitmap glyph = Glyph16();
  b->SetBmp(&glyph);
  EXPECT_EQ(Count(b, kRed), 0);
  EXPECT_TRUE(WindowOf(form).NeedsPaint());
  Settle();
  EXPECT_TRUE(GlyphIn(b, {14, 3, 31, 19}, fw::clBtnFace));
}

TEST_F(EncartaLook, GlyphChangedInPlaceIsNotRepainted) {
  auto* b = Button("Manual");
  const fw::TBitmap glyph = Glyph16();
  b->SetBmp(&glyph);
  Settle();
  b->Glyph()->SetPixel(5, 4, 0x00FFFF00);
  EXPECT_FALSE(WindowOf(form).NeedsPaint());
}

TEST_F(EncartaLook, GlyphIsTheButtonsOwnCopy) {
  auto* b = Button("Manual");
  fw::TBitmap glyph = Glyph16();
  b->SetBmp(&glyph);
  glyph.SetPixel(5, 4, 0);
  EXPECT_EQ(b->Glyph()->Pixel(5, 4), static_cast<pf::ColorRef>(kRed));
  b->SetBmp(nullptr);
  EXPECT_TRUE(b->Glyph()->Empty());
}

}  // namespace
}  // namespace qf::test
