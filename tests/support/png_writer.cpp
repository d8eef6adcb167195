#include "tests/support/png_writer.h"

#include <png.h>
#include <zlib.h>

#include <fstream>

namespace qf::test {
namespace {

// Rows of R, G, B bytes, as libpng's simplified writer takes them.
std::vector<std::uint8_t> RgbBytes(const pf::ImageView& image) {
  std::vector<std::uint8_t> rgb;
  rgb.reserve(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 3);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const std::uint32_t p = image.At(x, y);
      rgb.insert(rgb.end(), {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                             static_cast<std::uint8_t>(p)});
    }
  }
  return rgb;
}

}  // namespace

// zlib answers its own initial value for a null buffer, whatever the earlier result.
std::uint32_t Crc32(std::span<const std::uint8_t> data, std::uint32_t crc) {
  if (data.empty()) return crc;
  return static_cast<std::uint32_t>(crc32_z(crc, data.data(), data.size()));
}

std::uint32_t Adler32(std::span<const std::uint8_t> data) {
  if (data.empty()) return 1;
  return static_cast<std::uint32_t>(adler32_z(1, data.data(), data.size()));
}

std::vector<std::uint8_t> EncodePng(const pf::ImageView& image) {
  png_image info{};
  info.version = PNG_IMAGE_VERSION;
  info.width = static_cast<png_uint_32>(image.width);
  info.height = static_cast<png_uint_32>(image.height);
  info.format = PNG_FORMAT_RGB;
  const std::vector<std::uint8_t> rgb = RgbBytes(image);
  png_alloc_size_t size = 0;
  if (!png_image_write_get_memory_size(info, size, 0, rgb.data(), 0, nullptr)) return {};
  std::vector<std::uint8_t> png(size);
  if (!png_image_write_to_memory(&info, png.data(), &size, 0, rgb.data(), 0, nullptr)) return {};
  png.resize(size);
  return png;
}

bool WritePng(const std::string& path, const pf::ImageView& image) {
  const std::vector<std::uint8_t> png = EncodePng(image);
  if (png.empty()) return false;
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  return static_cast<bool>(file.flush());
}

}  // namespace qf::test
