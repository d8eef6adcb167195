#include "platform/win32/dib.h"

#include <vector>

namespace pf::win32 {
namespace {

constexpr std::uint32_t kRgbMask = 0x00FFFFFFu;

Bitmap CopyMapped(const ImageView& image, const std::function<std::uint32_t(std::uint32_t)>& map) {
  std::uint32_t* bits = nullptr;
  Bitmap dib = CreateDib(image.width, image.height, &bits);
  if (!dib) return dib;
  for (int y = 0; y < image.height; ++y) {
    std::uint32_t* row = bits + static_cast<std::size_t>(y) * image.width;
    for (int x = 0; x < image.width; ++x) row[x] = map(image.At(x, y) & kRgbMask);
  }
  return dib;
}

}  // namespace

DibHeader::DibHeader(int width, int height) {
  header.biSize = sizeof(BITMAPINFOHEADER);
  header.biWidth = width;
  header.biHeight = -height;  // negative: the first row is the top one
  header.biPlanes = 1;
  header.biBitCount = 32;
  header.biCompression = BI_RGB;
}

Bitmap CreateDib(int width, int height, std::uint32_t** bits) {
  DibHeader dib(width, height);
  void* raw = nullptr;
  Bitmap bitmap(::CreateDIBSection(nullptr, dib.info(), DIB_RGB_COLORS, &raw, nullptr, 0));
  *bits = bitmap ? static_cast<std::uint32_t*>(raw) : nullptr;
  return bitmap;
}

Bitmap ImageWithKeyBlack(const ImageView& image, ColorRef key) {
  const std::uint32_t key_pixel = ColorRefToPixel(key) & kRgbMask;
  return CopyMapped(image, [key_pixel](std::uint32_t p) { return p == key_pixel ? 0u : p; });
}

Bitmap KeyMask(const ImageView& image, ColorRef key) {
  const std::uint32_t key_pixel = ColorRefToPixel(key) & kRgbMask;
  // Monochrome bitmap rows are padded to 16 bits; the leftmost pixel is the high bit.
  const int row_bytes = ((image.width + 15) / 16) * 2;
  std::vector<std::uint8_t> bits(static_cast<std::size_t>(row_bytes) * image.height, 0);
  for (int y = 0; y < image.height; ++y) {
    std::uint8_t* row = bits.data() + static_cast<std::size_t>(y) * row_bytes;
    for (int x = 0; x < image.width; ++x) {
      if ((image.At(x, y) & kRgbMask) == key_pixel) row[x / 8] |= 0x80u >> (x % 8);
    }
  }
  return Bitmap(::CreateBitmap(image.width, image.height, 1, 1, bits.data()));
}

}  // namespace pf::win32
