#include "tests/support/png_writer.h"

#include <algorithm>
#include <array>
#include <fstream>

namespace qf::test {
namespace {

constexpr std::size_t kStoredBlockMax = 65535;

std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}

void PutBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, const char (&type)[5],
              const std::vector<std::uint8_t>& data) {
  PutBigEndian32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t type_at = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutBigEndian32(out, Crc32(std::span(out).subspan(type_at)));
}

std::vector<std::uint8_t> HeaderData(const pf::ImageView& image) {
  std::vector<std::uint8_t> data;
  PutBigEndian32(data, static_cast<std::uint32_t>(image.width));
  PutBigEndian32(data, static_cast<std::uint32_t>(image.height));
  // Bit depth 8, colour type 2 (RGB), deflate, filter method 0, no interlace.
  data.insert(data.end(), {8, 2, 0, 0, 0});
  return data;
}

// Each row: filter type 0, then R, G, B per pixel.
std::vector<std::uint8_t> RawScanlines(const pf::ImageView& image) {
  std::vector<std::uint8_t> raw;
  raw.reserve(static_cast<std::size_t>(image.height) * (1 + 3 * static_cast<std::size_t>(image.width)));
  for (int y = 0; y < image.height; ++y) {
    raw.push_back(0);
    for (int x = 0; x < image.width; ++x) {
      const std::uint32_t p = image.At(x, y);
      raw.insert(raw.end(), {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                             static_cast<std::uint8_t>(p)});
    }
  }
  return raw;
}

// A zlib stream of stored deflate blocks.
std::vector<std::uint8_t> ZlibStored(const std::vector<std::uint8_t>& raw) {
  std::vector<std::uint8_t> out{0x78, 0x01};
  std::size_t at = 0;
  do {
    const std::size_t length = std::min(kStoredBlockMax, raw.size() - at);
    const bool last = at + length == raw.size();
    const auto len16 = static_cast<std::uint16_t>(length);
    const auto nlen16 = static_cast<std::uint16_t>(~len16);
    out.insert(out.end(), {static_cast<std::uint8_t>(last ? 1 : 0), static_cast<std::uint8_t>(len16),
                           static_cast<std::uint8_t>(len16 >> 8), static_cast<std::uint8_t>(nlen16),
                           static_cast<std::uint8_t>(nlen16 >> 8)});
    out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
               raw.begin() + static_cast<std::ptrdiff_t>(at + length));
    at += length;
  } while (at < raw.size());
  PutBigEndian32(out, Adler32(raw));
  return out;
}

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> data, std::uint32_t crc) {
  static const std::array<std::uint32_t, 256> table = MakeCrcTable();
  std::uint32_t c = crc ^ 0xFFFFFFFFu;
  for (std::uint8_t byte : data) c = table[(c ^ byte) & 0xFFu] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(std::span<const std::uint8_t> data) {
  constexpr std::uint32_t kModulus = 65521;
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t byte : data) {
    a = (a + byte) % kModulus;
    b = (b + a) % kModulus;
  }
  return (b << 16) | a;
}

std::vector<std::uint8_t> EncodePng(const pf::ImageView& image) {
  std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  PutChunk(png, "IHDR", HeaderData(image));
  PutChunk(png, "IDAT", ZlibStored(RawScanlines(image)));
  PutChunk(png, "IEND", {});
  return png;
}

bool WritePng(const std::string& path, const pf::ImageView& image) {
  const std::vector<std::uint8_t> png = EncodePng(image);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  return static_cast<bool>(file.flush());
}

}  // namespace qf::test
