#include "platform/shared/cp1252.h"

#include <array>
#include <string>
#include <utility>

namespace pf::text {
namespace {

constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

// The byte for `c`, or '?' where Windows-1252 has none.
char Cp1252Byte(char32_t c) { return Cp1252FromUnicode(c).value_or('?'); }

// The code point that starts at `at`, and how many bytes it takes; 0 for a byte that does not
// start a well-formed sequence (overlong forms and surrogates are not well-formed).
std::pair<char32_t, std::size_t> DecodeUtf8(std::string_view s, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) return {lead, 1};
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || at + length > s.size()) return {0, 0};
  char32_t c = lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return {0, 0};
    c = (c << 6) | (byte(at + i) & 0x3F);
  }
  constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kShortest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return {0, 0};
  return {c, length};
}

}  // namespace

std::optional<char> Cp1252FromUnicode(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
  }
  return std::nullopt;
}

char32_t Cp1252ToUnicode(std::uint8_t byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

std::string Utf8FromCp1252(std::string_view text) {
  std::string out;
  for (unsigned char byte : text) {
    const char32_t c = Cp1252ToUnicode(byte);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::string Cp1252FromUtf8(std::string_view utf8) {
  std::string out;
  for (std::size_t at = 0; at < utf8.size();) {
    const auto [c, length] = DecodeUtf8(utf8, at);
    out += length == 0 ? '?' : Cp1252Byte(c);
    at += length == 0 ? 1 : length;
  }
  return out;
}

std::string Latin1FromCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (unsigned char byte : text) {
    // Windows-1252's own characters and the C1 controls it leaves unused are not in a STRING.
    const char32_t c = Cp1252ToUnicode(byte);
    out += c < 0x80 || (c >= 0xA0 && c <= 0xFF) ? static_cast<char>(c) : '?';
  }
  return out;
}

std::string Cp1252FromLatin1(std::string_view latin1) {
  std::string out;
  out.reserve(latin1.size());
  for (unsigned char byte : latin1) out += Cp1252Byte(byte);
  return out;
}

std::string LinesEndingLf(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' || i + 1 == text.size() || text[i + 1] != '\n') out += text[i];
  }
  return out;
}

}  // namespace pf::text
