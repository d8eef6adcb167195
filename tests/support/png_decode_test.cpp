// The writer's output read back by libpng, and its checksums against zlib's.
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <vector>

#include "tests/support/pixel_image.h"
#include "tests/support/png_writer.h"

namespace qf::test {
namespace {

std::vector<std::uint8_t> DecodeRgb(const std::vector<std::uint8_t>& png, png_image& info) {
  info.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&info, png.data(), png.size())) return {};
  info.format = PNG_FORMAT_RGB;
  std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(info));
  if (!png_image_finish_read(&info, nullptr, rgb.data(), 0, nullptr)) return {};
  return rgb;
}

// Large enough for several stored blocks (each holds at most 65535 bytes).
PixelImage Gradient(int width, int height) {
  PixelImage image(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.Set(x, y, static_cast<std::uint32_t>(((x * 7) & 0xFF) << 16 | ((y * 3) & 0xFF) << 8 | ((x + y) & 0xFF)));
    }
  }
  return image;
}

TEST(PngDecode, LibpngReadsBackEveryPixelAcrossBlocks) {
  const PixelImage image = Gradient(300, 250);  // 250 rows of 901 bytes: four stored blocks
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

TEST(PngDecode, ChecksumsAgreeWithZlibOnLongInput) {
  std::vector<std::uint8_t> data(200000);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(255 - i % 7);
  const auto size = static_cast<uInt>(data.size());
  EXPECT_EQ(Adler32(data), adler32(adler32(0, nullptr, 0), data.data(), size));
  EXPECT_EQ(Crc32(data), crc32(crc32(0, nullptr, 0), data.data(), size));
}

}  // namespace
}  // namespace qf::test
