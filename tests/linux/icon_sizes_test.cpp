// The program's icon at the icon theme's sizes: sharp whole-multiple enlargements, averages that
// transparent pixels lend no colour to, and PNG files that read back the same.
#include "resources/desktop/icon_sizes.h"

#include <png.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace qf::test {
namespace {

using qf::desktop::ScaleIcon;
using qf::desktop::WriteIconPng;

constexpr std::uint32_t kRed = 0xFFFF0000, kBlue = 0xFF0000FF, kNone = 0x00000000;

TEST(IconSizes, WholeMultiplesUpKeepEveryPixelSharp) {
  const pf::IconImage icon{2, 1, {kRed, kBlue}};
  const pf::IconImage big = ScaleIcon(icon, 4);
  ASSERT_EQ(big.width, 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(big.pixels[y * 4 + x], x < 2 ? kRed : kBlue);
  }
}

TEST(IconSizes, SmallerSizesAverageWithoutTheColourOfTransparentPixels) {
  const pf::IconImage icon{2, 2, {kRed, kNone, kNone, kRed}};
  EXPECT_EQ(ScaleIcon(icon, 1).pixels, std::vector<std::uint32_t>{0x80FF0000});
  const pf::IconImage mixed{2, 2, {kRed, kBlue, kRed, kBlue}};
  EXPECT_EQ(ScaleIcon(mixed, 1).pixels, std::vector<std::uint32_t>{0xFF800080});
  EXPECT_EQ(ScaleIcon(pf::IconImage{2, 2, {kNone, kNone, kNone, kNone}}, 1).pixels[0], kNone);
}

TEST(IconSizes, ThePngReadsBackWithItsAlpha) {
  const pf::IconImage icon{3, 2, {kRed, kNone, 0x80123456, kBlue, 0xFF000000, 0xFFFFFFFF}};
  char path[] = "/tmp/qf-icon-XXXXXX";
  const int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  close(fd);
  ASSERT_TRUE(WriteIconPng(path, icon));
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_NE(png_image_begin_read_from_file(&image, path), 0);
  image.format = PNG_FORMAT_BGRA;
  std::vector<std::uint32_t> pixels(PNG_IMAGE_SIZE(image) / 4);
  ASSERT_NE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr), 0);
  unlink(path);
  EXPECT_EQ(image.width, 3u);
  EXPECT_EQ(image.height, 2u);
  EXPECT_EQ(pixels, icon.pixels);
  EXPECT_FALSE(WriteIconPng("/nonexistent-dir/icon.png", icon));
}

}  // namespace
}  // namespace qf::test
