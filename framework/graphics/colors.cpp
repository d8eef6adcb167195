#include "framework/graphics/colors.h"

#include <array>
#include <cctype>
#include <charconv>

#include "platform/platform.h"

namespace fw {
namespace {

struct ColorName {
  TColor color;
  const char* name;
};

constexpr std::array<ColorName, 26> kColorNames{{
    {clBlack, "clBlack"},     {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},     {clOlive, "clOlive"},
    {clNavy, "clNavy"},       {clPurple, "clPurple"},
    {clTeal, "clTeal"},       {clGray, "clGray"},
    {clSilver, "clSilver"},   {clRed, "clRed"},
    {clLime, "clLime"},       {clYellow, "clYellow"},
    {clBlue, "clBlue"},       {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},       {clWhite, "clWhite"},
    {clNone, "clNone"},       {clDefault, "clDefault"},
    {clWindow, "clWindow"},   {clWindowText, "clWindowText"},
    {clBtnFace, "clBtnFace"}, {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"}, {clBtnHighlight, "clBtnHighlight"},
    {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"},
}};

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

bool ParseHexColor(std::string_view digits, TColor* color) {
  if (digits.empty() || digits.size() > 8) return false;
  std::uint32_t value = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
  if (error != std::errc() || end != digits.data() + digits.size()) return false;
  *color = static_cast<TColor>(value);
  return true;
}

bool ParseDecimalColor(std::string_view text, TColor* color) {
  if (text.empty()) return false;
  std::int32_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
  if (error != std::errc() || end != text.data() + text.size()) return false;
  *color = value;
  return true;
}

}  // namespace

pf::ColorRef ColorToRGB(TColor color) {
  if (color < 0) return pf::Current().SysColor(color & 0xFF) & 0x00FFFFFFu;
  // clNone and clDefault are not colours; masked they become white and black.
  return static_cast<pf::ColorRef>(color) & 0x00FFFFFFu;
}

String ColorToString(TColor color) {
  for (const auto& entry : kColorNames) {
    if (entry.color == color) return entry.name;
  }
  return Format("$%.8X", static_cast<unsigned>(color));
}

bool StringToColor(std::string_view text, TColor* color) {
  for (const auto& entry : kColorNames) {
    if (EqualsIgnoringCase(text, entry.name)) {
      *color = entry.color;
      return true;
    }
  }
  if (!text.empty() && text.front() == '$') return ParseHexColor(text.substr(1), color);
  return ParseDecimalColor(text, color);
}

namespace {
// In a description a colour's name is an identifier that starts with "cl" (any case after it).
std::optional<long long> NamedColorValue(std::string_view name) {
  TColor color = 0;
  if (name.starts_with("cl") && StringToColor(name, &color)) return color;
  return std::nullopt;
}

std::optional<String> NamedColorName(long long value) {
  String name = ColorToString(static_cast<TColor>(value));
  if (name.starts_with("cl")) return name;
  return std::nullopt;
}
}  // namespace

const NamedIntegers kNamedColors{&NamedColorValue, &NamedColorName};

}  // namespace fw
