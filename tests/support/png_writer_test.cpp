// What the tests rely on from the PNG writer: libpng reads every pixel back, and the checksums
// keep their standard values, also for empty and split input.
#include "tests/support/png_writer.h"

#include <gtest/gtest.h>
#include <png.h>

#include <string_view>
#include <vector>

#include "tests/support/pixel_image.h"

namespace qf::test {
namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

TEST(Checksums, MatchTheStandardCheckValues) {
  EXPECT_EQ(Crc32(Bytes("123456789")), 0xCBF43926u);
  EXPECT_EQ(Crc32({}), 0u);
  EXPECT_EQ(Adler32(Bytes("Wikipedia")), 0x11E60398u);
  EXPECT_EQ(Adler32({}), 1u);
}

TEST(Checksums, CrcContinuesAcrossPieces) {
  const std::vector<std::uint8_t> all = Bytes("123456789");
  const std::span<const std::uint8_t> whole(all);
  EXPECT_EQ(Crc32(whole.subspan(4), Crc32(whole.first(4))), 0xCBF43926u);
  EXPECT_EQ(Crc32({}, Crc32(whole)), 0xCBF43926u);
}

std::vector<std::uint8_t> DecodeRgb(const std::vector<std::uint8_t>& png, png_image& info) {
  info.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&info, png.data(), png.size())) return {};
  info.format = PNG_FORMAT_RGB;
  std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(info));
  if (!png_image_finish_read(&info, nullptr, rgb.data(), 0, nullptr)) return {};
  return rgb;
}

PixelImage Gradient(int width, int height) {
  PixelImage image(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.Set(x, y, static_cast<std::uint32_t>(((x * 7) & 0xFF) << 16 | ((y * 3) & 0xFF) << 8 | ((x + y) & 0xFF)));
    }
  }
  return image;
}

TEST(EncodePng, LibpngReadsBackEveryPixel) {
  const PixelImage image = Gradient(300, 250);
  png_image info{};
  const std::vector<std::uint8_t> rgb = DecodeRgb(EncodePng(image.View()), info);
  ASSERT_EQ(rgb.size(), 300u * 250u * 3u) << info.message;
  ASSERT_EQ(info.width, 300u);
  ASSERT_EQ(info.height, 250u);
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      const std::size_t at = (static_cast<std::size_t>(y) * 300 + x) * 3;
      const std::uint32_t pixel = std::uint32_t{rgb[at]} << 16 | rgb[at + 1] << 8 | rgb[at + 2];
      ASSERT_EQ(pixel, image.At(x, y)) << "at " << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace qf::test
