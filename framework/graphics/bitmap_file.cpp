#include "framework/graphics/bitmap_file.h"

#include <array>
#include <cstring>

#include "framework/graphics/le_bytes.h"
#include "framework/objects/sysutils.h"

namespace fw::bmp {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kCompressionRgb = 0;
constexpr std::uint32_t kCompressionBitfields = 3;
// 1 GB of pixels at most, whatever the headers say.
constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 28;

constexpr const char* kInvalid = "Bitmap image is not valid";

[[noreturn]] void Invalid() { throw EInvalidGraphic(kInvalid); }

// Reads that leave the file make it an invalid one.
class Bytes : public LeBytes {
 public:
  explicit Bytes(std::string_view data) : LeBytes(data, kInvalid) {}
};

// One colour channel of a 16- or 32-bit pixel, scaled to 0..255.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  std::uint32_t max = 0;

  explicit Channel(std::uint32_t m = 0) : mask(m) {
    if (mask == 0) return;
    while (((mask >> shift) & 1u) == 0) ++shift;
    max = mask >> shift;
  }
  std::uint32_t Extract(std::uint32_t value) const {
    if (max == 0) return 0;
    const std::uint64_t v = (value & mask) >> shift;
    return static_cast<std::uint32_t>((v * 255 + max / 2) / max);
  }
};

struct Layout {
  std::int64_t width = 0;
  std::int64_t height = 0;  // positive: rows stored bottom-up
  int bits = 0;
  std::uint32_t compression = kCompressionRgb;
  std::uint64_t table_offset = 0;
  std::uint64_t table_entries = 0;
  int table_entry_size = 4;
  std::uint64_t pixel_offset = 0;
  std::array<std::uint32_t, 3> masks{};  // red, green, blue
};

bool IsPaletted(int bits) { return bits == 1 || bits == 4 || bits == 8; }

Layout ReadCoreHeader(const Bytes& in) {
  Layout l;
  l.width = in.U16(18);
  l.height = in.U16(20);
  if (in.U16(22) != 1) Invalid();
  l.bits = in.U16(24);
  if (!IsPaletted(l.bits) && l.bits != 24) Invalid();
  l.table_offset = kFileHeaderSize + kCoreHeaderSize;
  l.table_entries = IsPaletted(l.bits) ? (1u << l.bits) : 0;
  l.table_entry_size = 3;
  return l;
}

void ReadMasks(const Bytes& in, std::uint32_t header_size, Layout& l) {
  if (l.compression == kCompressionBitfields) {
    if (l.bits != 16 && l.bits != 32) Invalid();
    // A 40-byte header is followed by the three masks; longer headers hold them.
    const std::uint64_t at = kFileHeaderSize + kInfoHeaderSize;
    l.masks = {in.U32(at), in.U32(at + 4), in.U32(at + 8)};
    if (header_size == kInfoHeaderSize) l.table_offset += 12;
  } else if (l.bits == 16) {
    l.masks = {0x7C00, 0x03E0, 0x001F};
  } else if (l.bits == 32) {
    l.masks = {0xFF0000, 0x00FF00, 0x0000FF};
  }
}

Layout ReadInfoHeader(const Bytes& in, std::uint32_t header_size) {
  Layout l;
  in.Require(kFileHeaderSize, header_size);
  l.width = in.I32(18);
  l.height = in.I32(22);
  if (in.U16(26) != 1) Invalid();
  l.bits = in.U16(28);
  l.compression = in.U32(30);
  if (!IsPaletted(l.bits) && l.bits != 16 && l.bits != 24 && l.bits != 32) Invalid();
  if (l.compression != kCompressionRgb && l.compression != kCompressionBitfields) Invalid();
  l.table_offset = kFileHeaderSize + header_size;
  ReadMasks(in, header_size, l);
  if (IsPaletted(l.bits)) {
    const std::uint32_t used = in.U32(46);
    if (used > (1u << l.bits)) Invalid();
    l.table_entries = used != 0 ? used : (1u << l.bits);
  }
  return l;
}

Layout ReadLayout(const Bytes& in) {
  if (in.Size() < 2 || std::memcmp(in.At(0, 2), "BM", 2) != 0) Invalid();
  const std::uint32_t header_size = in.U32(kFileHeaderSize);
  Layout l;
  if (header_size == kCoreHeaderSize) {
    l = ReadCoreHeader(in);
  } else if (header_size == kInfoHeaderSize || header_size == 52 || header_size == 56 ||
             header_size == 108 || header_size == 124) {
    l = ReadInfoHeader(in, header_size);
  } else {
    Invalid();
  }
  l.pixel_offset = in.U32(10);
  return l;
}

std::uint64_t RowBytes(const Layout& l) {
  return (static_cast<std::uint64_t>(l.width) * static_cast<std::uint64_t>(l.bits) + 31) / 32 * 4;
}

// Every part the headers describe must lie inside the data, in order.
void CheckLayout(const Bytes& in, const Layout& l) {
  if (l.width < 0) Invalid();
  const std::uint64_t rows = static_cast<std::uint64_t>(l.height < 0 ? -l.height : l.height);
  if (static_cast<std::uint64_t>(l.width) * rows > kMaxPixels) Invalid();
  const std::uint64_t table_end = l.table_offset + l.table_entries * l.table_entry_size;
  if (table_end > l.pixel_offset) Invalid();
  in.Require(l.table_offset, table_end - l.table_offset);
  in.Require(l.pixel_offset, RowBytes(l) * rows);
}

std::array<std::uint32_t, 256> ReadPalette(const Bytes& in, const Layout& l) {
  std::array<std::uint32_t, 256> palette{};  // indices past the table are black
  for (std::uint64_t i = 0; i < l.table_entries; ++i) {
    const auto* p = in.At(l.table_offset + i * l.table_entry_size, 3);
    palette[i] = std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16);
  }
  return palette;
}

class RowDecoder {
 public:
  RowDecoder(const Bytes& in, const Layout& l)
      : width_(static_cast<int>(l.width)),
        bits_(l.bits),
        palette_(ReadPalette(in, l)),
        red_(l.masks[0]),
        green_(l.masks[1]),
        blue_(l.masks[2]) {}

  void Decode(const std::uint8_t* row, std::uint32_t* out) const {
    switch (bits_) {
      case 24:
        for (int x = 0; x < width_; ++x, row += 3)
          out[x] =
              std::uint32_t{row[0]} | (std::uint32_t{row[1]} << 8) | (std::uint32_t{row[2]} << 16);
        break;
      case 16:
        for (int x = 0; x < width_; ++x, row += 2) out[x] = FromMasks(row[0] | (row[1] << 8));
        break;
      case 32:
        for (int x = 0; x < width_; ++x, row += 4)
          out[x] = FromMasks(std::uint32_t{row[0]} | (std::uint32_t{row[1]} << 8) |
                             (std::uint32_t{row[2]} << 16) | (std::uint32_t{row[3]} << 24));
        break;
      default: DecodeIndexed(row, out);
    }
  }

 private:
  std::uint32_t FromMasks(std::uint32_t v) const {
    return (red_.Extract(v) << 16) | (green_.Extract(v) << 8) | blue_.Extract(v);
  }
  // 1, 4 or 8 bits per pixel, leftmost pixel in the high bits of each byte.
  void DecodeIndexed(const std::uint8_t* row, std::uint32_t* out) const {
    const int per_byte = 8 / bits_;
    const unsigned mask = (1u << bits_) - 1;
    for (int x = 0; x < width_; ++x) {
      const int shift = 8 - bits_ * (x % per_byte + 1);
      out[x] = palette_[(row[x / per_byte] >> shift) & mask];
    }
  }

  int width_;
  int bits_;
  std::array<std::uint32_t, 256> palette_;
  Channel red_, green_, blue_;
};

void PutU16(std::string& out, std::uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}

void PutU32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

}  // namespace

Image ReadFile(std::string_view bytes) {
  const Bytes in(bytes);
  const Layout l = ReadLayout(in);
  CheckLayout(in, l);
  Image image;
  image.bits_per_pixel = l.bits;
  if (l.width == 0 || l.height == 0) return image;
  image.width = static_cast<int>(l.width);
  image.height = static_cast<int>(l.height < 0 ? -l.height : l.height);
  image.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
  const RowDecoder decoder(in, l);
  const std::uint64_t row_bytes = RowBytes(l);
  for (int r = 0; r < image.height; ++r) {
    const int y = l.height < 0 ? r : image.height - 1 - r;
    decoder.Decode(in.At(l.pixel_offset + r * row_bytes, row_bytes),
                   image.pixels.data() + static_cast<std::size_t>(y) * image.width);
  }
  return image;
}

std::string WriteFile(int width, int height, int bits_per_pixel, const std::uint32_t* pixels) {
  const int bits = bits_per_pixel == 32 ? 32 : 24;
  const std::uint32_t row_bytes = (static_cast<std::uint32_t>(width) * bits + 31) / 32 * 4;
  const std::uint32_t image_size = row_bytes * static_cast<std::uint32_t>(height);
  const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize;
  std::string out;
  out.reserve(offset + image_size);
  out += "BM";
  PutU32(out, offset + image_size);
  PutU32(out, 0);
  PutU32(out, offset);
  PutU32(out, kInfoHeaderSize);
  PutU32(out, static_cast<std::uint32_t>(width));
  PutU32(out, static_cast<std::uint32_t>(height));
  PutU16(out, 1);
  PutU16(out, static_cast<std::uint16_t>(bits));
  PutU32(out, kCompressionRgb);
  PutU32(out, image_size);
  for (int i = 0; i < 4; ++i) PutU32(out, 0);  // resolution, colours used and important
  for (int y = height - 1; y >= 0; --y) {
    const std::uint32_t* row = pixels + static_cast<std::size_t>(y) * width;
    const std::size_t start = out.size();
    for (int x = 0; x < width; ++x) {
      out.push_back(static_cast<char>(row[x] & 0xFF));
      out.push_back(static_cast<char>((row[x] >> 8) & 0xFF));
      out.push_back(static_cast<char>((row[x] >> 16) & 0xFF));
      if (bits == 32) out.push_back(0);
    }
    out.resize(start + row_bytes, '\0');
  }
  return out;
}

}  // namespace fw::bmp
