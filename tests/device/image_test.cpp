// DrawImage, DrawImageTransparent and the keyed stretch.
#include "tests/device/device_fixture.h"
#include "tests/support/image_compare.h"

namespace qf::test {
namespace {

PixelImage Picture(std::initializer_list<std::string_view> rows) {
  return PixelImage::FromAscii(rows, DevicePalette());
}

using DrawImage = DeviceTest;
using DrawImageTransparent = DeviceTest;
using StretchKeyed = DeviceTest;

TEST_F(DrawImage, CopiesUnscaledAtOrigin) {
  const PixelImage image = Picture({"rgb", "#rb"});
  dev().SetOrigin({1, 1});
  dev().DrawImage({1, 0}, image.View());
  EXPECT_TRUE(Shows({"........",
                     "..rgb...",
                     "..#rb...",
                     "........",
                     "........",
                     "........"}));
}

TEST_F(DrawImage, ClippedToClipAndSurface) {
  const PixelImage image = Picture({"rgb", "grb", "bgr"});
  dev().SetClip({0, 0, 8, 5});
  dev().DrawImage({-1, -1}, image.View());
  dev().DrawImage({6, 4}, image.View());
  EXPECT_TRUE(Shows({"rb......",
                     "gr......",
                     "........",
                     "........",
                     "......rg",
                     "........"}));
}

TEST_F(DrawImageTransparent, SkipsOnlyTheKeyColour) {
  const PixelImage image = Picture({"rbr", "#g#"});
  dev().DrawImageTransparent({2, 2}, image.View(), kRed);
  EXPECT_TRUE(Shows({"........",
                     "........",
                     "...b....",
                     "..#g#...",
                     "........",
                     "........"}));
}

TEST_F(StretchKeyed, SixteenColumnsToSeventeenRepeatTheMiddleOne) {
  Make(20, 2);
  PixelImage source(16, 1);
  for (int x = 0; x < 16; ++x) source.Set(x, 0, 0x000100u * static_cast<std::uint32_t>(x + 1));
  dev().StretchKeyed({1, 0, 18, 1}, source.View(), {0, 0, 16, 1}, kRed, kBlue);

  PixelImage expected(20, 2, pf::ColorRefToPixel(kWhite));
  const int columns[17] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 8, 9, 10, 11, 12, 13, 14, 15};
  for (int dx = 0; dx < 17; ++dx) expected.Set(1 + dx, 0, source.At(columns[dx], 0));
  EXPECT_TRUE(ImagesEqual(expected.View(), surface_->Pixels()));
}

TEST_F(StretchKeyed, KeyPixelsTakeTheBrushColour) {
  const PixelImage source = Picture({"rg", "#r"});
  dev().StretchKeyed({2, 1, 6, 5}, source.View(), {0, 0, 2, 2}, kRed, kBlue);
  EXPECT_TRUE(Shows({"........",
                     "..bbgg..",
                     "..bbgg..",
                     "..##bb..",
                     "..##bb..",
                     "........"}));
}

TEST_F(StretchKeyed, ShrinkSamplesPixelCentres) {
  const PixelImage source = Picture({"r#gb", "#gbr", "gbr#", "br#g"});
  dev().StretchKeyed({0, 0, 2, 2}, source.View(), {0, 0, 4, 4}, kWhite, kBlack);
  EXPECT_TRUE(Shows({"gr......",
                     "rg......",
                     "........",
                     "........",
                     "........",
                     "........"}));
}

TEST_F(StretchKeyed, SourceRectWithOriginAndClip) {
  const PixelImage source = Picture({"rgb#", "#bgr"});
  dev().SetOrigin({1, 2});
  dev().SetClip({0, 0, 4, 6});
  dev().StretchKeyed({0, 0, 4, 2}, source.View(), {1, 0, 3, 2}, kRed, kBlue);
  EXPECT_TRUE(Shows({"........",
                     "........",
                     ".ggb....",
                     ".bbg....",
                     "........",
                     "........"}));
}

TEST_F(StretchKeyed, EmptyDestinationPaintsNothing) {
  const PixelImage source = Picture({"rg", "#r"});
  dev().StretchKeyed({2, 1, 2, 5}, source.View(), {0, 0, 2, 2}, kRed, kBlue);
  dev().StretchKeyed({2, 3, 6, 3}, source.View(), {0, 0, 2, 2}, kRed, kBlue);
  EXPECT_TRUE(Shows({"........",
                     "........",
                     "........",
                     "........",
                     "........",
                     "........"}));
}

}  // namespace
}  // namespace qf::test
