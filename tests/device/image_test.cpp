// DrawImage and DrawImageTransparent.
#include "tests/device/device_fixture.h"
#include "tests/support/image_compare.h"

namespace qf::test {
namespace {

PixelImage Picture(std::initializer_list<std::string_view> rows) {
  return PixelImage::FromAscii(rows, DevicePalette());
}

using DrawImage = DeviceTest;
using DrawImageTransparent = DeviceTest;

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

}  // namespace
}  // namespace qf::test
