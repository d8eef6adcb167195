#include "framework/description/picture_data.h"

#include <cstdint>

#include "framework/objects/sysutils.h"

namespace fw::picture_data {

FileKind KindOf(std::string_view file) {
  if (file.starts_with("\xFF\xD8")) return FileKind::Jpeg;
  if (file.starts_with("BM")) return FileKind::Bmp;
  if (file.starts_with(std::string_view("\0\0\1\0", 4))) return FileKind::Ico;
  return FileKind::Unknown;
}

std::string LengthPrefixed(std::string_view file) {
  if (file.size() > UINT32_MAX) throw Exception("is too large for a byte block");
  std::string out;
  const auto n = static_cast<std::uint32_t>(file.size());
  for (int i = 0; i < 4; ++i) out += static_cast<char>(n >> (8 * i));
  return out.append(file);
}

std::string_view WithoutLength(std::string_view data, const char* invalid_message) {
  if (data.size() < 4) throw EInvalidGraphic(invalid_message);
  const auto* p = reinterpret_cast<const unsigned char*>(data.data());
  const std::uint32_t n = std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) |
                          (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24);
  if (n != data.size() - 4) throw EInvalidGraphic(invalid_message);
  return data.substr(4);
}

std::string PictureData(std::string_view class_name, std::string_view file) {
  std::string out(1, static_cast<char>(class_name.size()));
  out += class_name;
  return out + LengthPrefixed(file);
}

PictureParts SplitPictureData(std::string_view data) {
  if (data.empty() || data.size() < 1u + static_cast<unsigned char>(data[0])) {
    throw EInvalidGraphic("Picture data is not valid");
  }
  const std::size_t name_length = static_cast<unsigned char>(data[0]);
  return {data.substr(1, name_length), data.substr(1 + name_length)};
}

}  // namespace fw::picture_data
