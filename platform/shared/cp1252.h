#pragma once
// Windows-1252, the encoding of the program's texts, to and from Unicode, as the ANSI text calls
// of a western Windows convert them. Paths cross the seam as UTF-8 (docs/ARCHITECTURE.md).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pf::text {

// 0x80-0x9F through the Windows-1252 table (its five unused bytes map to themselves, as Windows
// maps them); every other byte is Latin-1.
char32_t Cp1252ToUnicode(std::uint8_t byte);

// The same text in UTF-8, for the desktop's own text interfaces.
std::string Utf8FromCp1252(std::string_view text);

// UTF-8 in Windows-1252: '?' for each character it lacks and for each byte that is not UTF-8.
std::string Cp1252FromUtf8(std::string_view utf8);

// The byte of `c` in Windows-1252; nullopt where it has none.
std::optional<char> Cp1252FromUnicode(char32_t c);

// ISO 8859-1 (X's STRING) both ways; '?' for what the other lacks.
std::string Latin1FromCp1252(std::string_view text);
std::string Cp1252FromLatin1(std::string_view latin1);

// The program's lines end with "\n": a "\r\n" from another program's text becomes one.
std::string LinesEndingLf(std::string_view text);

}  // namespace pf::text
