#include <gtest/gtest.h>

#include "fakes.h"
#include "framework/graphics/colors.h"
#include "framework/graphics/graphics_objects.h"

namespace fw {
namespace {

TEST(ColorToRGB, ResolvesSystemColoursThroughThePlatform) {
  qf_test::InstalledSysColorPlatform platform;
  EXPECT_EQ(ColorToRGB(clBtnFace), qf_test::FakeSysColor(15));
  EXPECT_EQ(ColorToRGB(clWindowText), qf_test::FakeSysColor(8));
  EXPECT_EQ(ColorToRGB(clSystemColor | 13), qf_test::FakeSysColor(13));
}

TEST(ColorToRGB, PlainColoursPassThroughMasked) {
  EXPECT_EQ(ColorToRGB(clRed), 0x0000FFu);
  EXPECT_EQ(ColorToRGB(0x00A56934), 0x00A56934u);
  EXPECT_EQ(ColorToRGB(0x12345678), 0x00345678u);
  EXPECT_EQ(ColorToRGB(clNone), 0x00FFFFFFu);
  EXPECT_EQ(ColorToRGB(clDefault), 0x00000000u);
}

TEST(ColorToString, NamesTheConstantsAndWritesOthersInHex) {
  EXPECT_EQ(ColorToString(clBtnFace), "clBtnFace");
  EXPECT_EQ(ColorToString(clGray), "clGray");
  EXPECT_EQ(ColorToString(clNone), "clNone");
  EXPECT_EQ(ColorToString(0x00A56934), "$00A56934");
  EXPECT_EQ(ColorToString(clSystemColor | 3), "$80000003");
  EXPECT_EQ(ColorToString(clHighlight), "clHighlight");
}

TEST(StringToColor, ReadsNamesHexAndDecimal) {
  for (TColor c : {clBlack, clWhite, clFuchsia, clNone, clDefault, clBtnFace, clBtnHighlight,
                   static_cast<TColor>(0x00A56934), static_cast<TColor>(0x8000000D)}) {
    TColor back = 0x123;
    ASSERT_TRUE(StringToColor(ColorToString(c), &back)) << ColorToString(c);
    EXPECT_EQ(back, c) << ColorToString(c);
  }
  TColor c = 0;
  ASSERT_TRUE(StringToColor("clbtnface", &c));
  EXPECT_EQ(c, clBtnFace);
  ASSERT_TRUE(StringToColor("-2147483633", &c));
  EXPECT_EQ(c, clBtnFace);
  ASSERT_TRUE(StringToColor("8421504", &c));
  EXPECT_EQ(c, clGray);
  ASSERT_TRUE(StringToColor("$ff", &c));
  EXPECT_EQ(c, clRed);
}

TEST(StringToColor, RejectsOtherTextAndLeavesTheColour) {
  for (const char* text : {"", "$", "$123456789", "$12g", "12abc", "clPink", "99999999999", " 1"}) {
    TColor c = 0x4242;
    EXPECT_FALSE(StringToColor(text, &c)) << text;
    EXPECT_EQ(c, 0x4242) << text;
  }
}

TEST(TFont, HeightIsTheNegativeEmHeightRoundedAsMulDiv) {
  TFont font;
  EXPECT_EQ(font.Size(), 8);
  EXPECT_EQ(font.Height(), -11);  // 10.67 rounds up
  font.SetSize(9);
  EXPECT_EQ(font.Height(), -12);
  font.SetSize(10);
  EXPECT_EQ(font.Height(), -13);  // 13.33 rounds down
  font.SetSize(12);
  EXPECT_EQ(font.Height(), -16);
  font.SetSize(-9);
  EXPECT_EQ(font.Height(), 12);
}

TEST(TFont, FontSpecCarriesFaceHeightAndStyle) {
  TFont font;
  font.SetName("Courier New");
  font.SetSize(10);
  font.SetStyle({TFontStyle::fsBold, TFontStyle::fsStrikeOut});
  const pf::FontSpec font_spec = font.Logical();
  EXPECT_EQ(font_spec.face, "Courier New");
  EXPECT_EQ(font_spec.height, -13);
  EXPECT_TRUE(font_spec.bold);
  EXPECT_FALSE(font_spec.italic);
  EXPECT_FALSE(font_spec.underline);
  EXPECT_TRUE(font_spec.strike_out);
}

TEST(TFont, EachRealChangeNotifiesOnce) {
  TFont font;
  int changes = 0;
  font.OnChange = [&] { ++changes; };
  font.SetName("Arial");
  font.SetSize(8);
  font.SetColor(clWindowText);
  font.SetStyle({});
  EXPECT_EQ(changes, 0);
  font.SetName("Tahoma");
  EXPECT_EQ(changes, 1);
  font.SetSize(11);
  EXPECT_EQ(changes, 2);
  font.SetColor(clRed);
  EXPECT_EQ(changes, 3);
  font.SetStyle({TFontStyle::fsItalic});
  EXPECT_EQ(changes, 4);
}

TEST(TFont, AssignCopiesEverythingWithOneNotification) {
  TFont source;
  source.SetName("Verdana");
  source.SetSize(14);
  source.SetColor(clNavy);
  source.SetStyle({TFontStyle::fsUnderline});
  TFont target;
  int changes = 0;
  target.OnChange = [&] { ++changes; };
  EXPECT_FALSE(target.SameAs(source));
  target.Assign(source);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(target.SameAs(source));
  EXPECT_EQ(target.Logical(), source.Logical());
  EXPECT_EQ(target.Color(), clNavy);
}

TEST(BrushAndPen, NotifyOnlyWhenSomethingChanges) {
  TBrush brush;
  TPen pen;
  int changes = 0;
  brush.OnChange = [&] { ++changes; };
  pen.OnChange = [&] { ++changes; };
  brush.SetColor(clWhite);
  pen.SetColor(clBlack);
  pen.SetWidth(1);
  EXPECT_EQ(changes, 0);
  brush.SetColor(clBtnFace);
  pen.SetColor(clGray);
  pen.SetWidth(3);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(brush.Color(), clBtnFace);
  EXPECT_EQ(pen.Color(), clGray);
  EXPECT_EQ(pen.Width(), 3);
}

}  // namespace
}  // namespace fw
