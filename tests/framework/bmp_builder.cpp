#include "bmp_builder.h"

namespace qf_test {

void PutU16(std::string& out, std::uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void PutU32(std::string& out, std::uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}

std::uint32_t GetU32(const std::string& data, std::size_t offset) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(data.at(offset + i));
  return v;
}

namespace {

std::string InfoHeader(const BmpParts& parts) {
  std::string h;
  PutU32(h, parts.header_size);
  if (parts.header_size == 12) {
    PutU16(h, static_cast<std::uint32_t>(parts.width));
    PutU16(h, static_cast<std::uint32_t>(parts.height));
    PutU16(h, 1);
    PutU16(h, parts.bits);
    return h;
  }
  PutU32(h, static_cast<std::uint32_t>(parts.width));
  PutU32(h, static_cast<std::uint32_t>(parts.height));
  PutU16(h, 1);
  PutU16(h, parts.bits);
  PutU32(h, parts.compression);
  PutU32(h, 0);  // image size
  PutU32(h, 2835);
  PutU32(h, 2835);
  PutU32(h, parts.colors_used);
  PutU32(h, 0);
  for (auto mask : parts.masks) PutU32(h, mask);
  if (parts.header_size > 40) h.resize(parts.header_size, '\0');
  return h;
}

std::string ColourTable(const BmpParts& parts) {
  std::string t;
  for (auto c : parts.palette) {
    t.push_back(static_cast<char>(c & 0xFF));
    t.push_back(static_cast<char>((c >> 8) & 0xFF));
    t.push_back(static_cast<char>((c >> 16) & 0xFF));
    if (parts.header_size != 12) t.push_back('\0');
  }
  return t;
}

}  // namespace

std::string BuildBmp(const BmpParts& parts) {
  const std::string head = InfoHeader(parts) + ColourTable(parts);
  std::string pixels;
  for (const auto& row : parts.rows) {
    pixels.append(row.begin(), row.end());
    while (pixels.size() % 4 != 0) pixels.push_back('\0');
  }
  std::string file = "BM";
  PutU32(file, static_cast<std::uint32_t>(14 + head.size() + pixels.size()));
  PutU32(file, 0);
  PutU32(file, static_cast<std::uint32_t>(14 + head.size()));
  return file + head + pixels;
}

}  // namespace qf_test
