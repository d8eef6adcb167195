#pragma once
// Windows-1252 bytes to Unicode code points, as the ANSI text calls of a western Windows read them.
#include <cstdint>
#include <string>
#include <string_view>

namespace pf::raster {

// 0x80-0x9F through the Windows-1252 table (its five unused bytes map to themselves, as Windows
// maps them); every other byte is Latin-1.
char32_t Cp1252ToUnicode(std::uint8_t byte);

// The same text in UTF-8, for the desktop's own text interfaces.
std::string Utf8FromCp1252(std::string_view text);

}  // namespace pf::raster
