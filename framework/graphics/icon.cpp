#include "framework/graphics/icon.h"

#include <cstring>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/le_bytes.h"

namespace fw {
namespace {

constexpr const char* kInvalidIcon = "Icon image is not valid";

[[noreturn]] void InvalidIcon() { throw EInvalidGraphic(kInvalidIcon); }

void Put32(std::string& out, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i)
    out[at + static_cast<std::size_t>(i)] = static_cast<char>(v >> (8 * i));
}

struct Entry {
  std::uint32_t size = 0;
  std::uint32_t offset = 0;
};

// The largest entry that holds a bitmap (not a PNG).
Entry PickEntry(std::string_view bytes) {
  const LeBytes b(bytes, kInvalidIcon);
  if (b.U16(0) != 0 || b.U16(2) != 1) InvalidIcon();
  const int count = b.U16(4);
  Entry best;
  std::uint64_t best_area = 0;
  for (int i = 0; i < count; ++i) {
    const std::size_t at = 6 + static_cast<std::size_t>(i) * 16;
    Entry e{b.U32(at + 8), b.U32(at + 12)};
    b.Require(e.offset, e.size);
    if (e.size < 40) InvalidIcon();
    if (std::memcmp(b.At(e.offset, 4), "\x89PNG", 4) == 0) continue;
    const std::uint64_t w = b.U32(e.offset + 4);
    const std::uint64_t h = b.U32(e.offset + 8) / 2;
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
  const LeBytes in(dib, kInvalidIcon);
  const std::uint32_t header = in.U32(0);
  const int width = static_cast<int>(in.U32(4));
  const int height = static_cast<int>(in.U32(8)) / 2;
  const int bit_count = in.U16(14);
  std::uint32_t colours = in.U32(32);
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

  pf::IconImage image{width, height,
                      std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
  const std::size_t mask_stride = static_cast<std::size_t>((width + 31) / 32) * 4;
  const std::size_t mask_at = pixel_offset + xor_size;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      bool transparent = false;
      const std::size_t byte =
          mask_at + static_cast<std::size_t>(height - 1 - y) * mask_stride + x / 8;
      if (byte < dib.size())
        transparent = (static_cast<unsigned char>(dib[byte]) >> (7 - x % 8)) & 1;
      const std::uint32_t rgb = pf::ColorRefToPixel(colour.Pixel(x, y));
      image.pixels[static_cast<std::size_t>(y) * width + x] =
          transparent ? 0u : (0xFF000000u | rgb);
    }
  }
  data_.assign(bytes);
  image_ = std::move(image);
}

pf::IconImage TIcon::Image() const { return image_; }

}  // namespace fw
