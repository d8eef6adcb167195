#include "tests/support/pixel_image.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace qf::test {
namespace {

const Palette kPalette{{'.', 0xFFFFFF}, {'r', 0xFF0000}, {'b', 0x0000FF}};

TEST(PixelImage, AsciiRowsBecomePixels) {
  const PixelImage image = PixelImage::FromAscii({"r..", ".b."}, kPalette);
  ASSERT_EQ(image.Width(), 3);
  ASSERT_EQ(image.Height(), 2);
  EXPECT_EQ(image.At(0, 0), 0xFF0000u);
  EXPECT_EQ(image.At(1, 0), 0xFFFFFFu);
  EXPECT_EQ(image.At(1, 1), 0x0000FFu);
  EXPECT_EQ(image.View().stride, 3);
  EXPECT_EQ(image.View().At(1, 1), 0x0000FFu);
}

TEST(PixelImage, BadAsciiPicturesAreRefused) {
  EXPECT_THROW(PixelImage::FromAscii({"r..", ".b"}, kPalette), std::invalid_argument);
  EXPECT_THROW(PixelImage::FromAscii({"r.x"}, kPalette), std::invalid_argument);
  EXPECT_THROW(PixelImage(-1, 2), std::invalid_argument);
}

TEST(PixelImage, CopyOfHonoursTheStride) {
  const std::uint32_t wide[] = {1, 2, 99, 3, 4, 99};
  const PixelImage copy = PixelImage::CopyOf({2, 2, wide, 3});
  EXPECT_EQ(copy.At(0, 1), 3u);
  EXPECT_EQ(copy.At(1, 1), 4u);
}

}  // namespace
}  // namespace qf::test
