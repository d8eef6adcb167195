#include <cstring>

#include "framework/forms.h"

namespace fw {
namespace {

[[noreturn]] void InvalidIcon() { throw EInvalidGraphic("Icon image is not valid"); }

std::uint32_t Read32(std::string_view b, std::size_t at) {
  if (at + 4 > b.size()) InvalidIcon();
  return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

std::uint16_t Read16(std::string_view b, std::size_t at) {
  if (at + 2 > b.size()) InvalidIcon();
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                    static_cast<unsigned char>(b[at + 1]) << 8);
}

void Put32(std::string& out, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + static_cast<std::size_t>(i)] = static_cast<char>(v >> (8 * i));
}

struct Entry {
  std::uint32_t size = 0;
  std::uint32_t offset = 0;
};

// The largest entry that holds a bitmap (not a PNG).
Entry PickEntry(std::string_view b) {
  if (Read16(b, 0) != 0 || Read16(b, 2) != 1) InvalidIcon();
  const int count = Read16(b, 4);
  Entry best;
  std::uint64_t best_area = 0;
  for (int i = 0; i < count; ++i) {
    const std::size_t at = 6 + static_cast<std::size_t>(i) * 16;
    Entry e{Read32(b, at + 8), Read32(b, at + 12)};
    if (e.offset > b.size() || e.size > b.size() - e.offset || e.size < 40) InvalidIcon();
    if (std::memcmp(b.data() + e.offset, "\x89PNG", 4) == 0) continue;
    const std::uint64_t w = Read32(b, e.offset + 4);
    const std::uint64_t h = Read32(b, e.offset + 8) / 2;
    if (w * h >= best_area) {
      best = e;
      best_area = w * h;
    }
  }
  if (best.size == 0) InvalidIcon();
  return best;
}

}  // namespace

void TIcon::LoadFromBytes(std::string_view bytes) {
  if (bytes.empty()) {
    data_.clear();
    image_ = {};
    return;
  }
  const Entry e = PickEntry(bytes);
  std::string_view dib = bytes.substr(e.offset, e.size);
  const std::uint32_t header = Read32(dib, 0);
  const int width = static_cast<int>(Read32(dib, 4));
  const int height = static_cast<int>(Read32(dib, 8)) / 2;
  const int bit_count = Read16(dib, 14);
  std::uint32_t colours = Read32(dib, 32);
  if (colours == 0 && bit_count <= 8) colours = 1u << bit_count;
  if (header < 40 || width <= 0 || height <= 0 || width > 1024 || height > 1024) InvalidIcon();
  const std::size_t pixel_offset = header + std::size_t{colours} * 4;
  const std::size_t xor_size = static_cast<std::size_t>((width * bit_count + 31) / 32) * 4 * height;

  // The colour part as a bitmap file of half the stored height.
  std::string file(14, '\0');
  file[0] = 'B';
  file[1] = 'M';
  file += std::string(dib.substr(0, std::min(dib.size(), pixel_offset + xor_size)));
  Put32(file, 2, static_cast<std::uint32_t>(file.size()));
  Put32(file, 10, static_cast<std::uint32_t>(14 + pixel_offset));
  Put32(file, 14 + 8, static_cast<std::uint32_t>(height));
  Put32(file, 14 + 20, 0);  // size of image: let the reader work it out
  TBitmap colour;
  try {
    colour.LoadFromBytes(file);
  } catch (const EInvalidGraphic&) {
    InvalidIcon();
  }

  pf::IconImage image{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
  const std::size_t mask_stride = static_cast<std::size_t>((width + 31) / 32) * 4;
  const std::size_t mask_at = pixel_offset + xor_size;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      bool transparent = false;
      const std::size_t byte = mask_at + static_cast<std::size_t>(height - 1 - y) * mask_stride + x / 8;
      if (byte < dib.size()) transparent = (static_cast<unsigned char>(dib[byte]) >> (7 - x % 8)) & 1;
      const std::uint32_t rgb = pf::ColorRefToPixel(colour.Pixel(x, y));
      image.pixels[static_cast<std::size_t>(y) * width + x] = transparent ? 0u : (0xFF000000u | rgb);
    }
  }
  data_.assign(bytes);
  image_ = std::move(image);
}

pf::IconImage TIcon::Image() const { return image_; }

}  // namespace fw
