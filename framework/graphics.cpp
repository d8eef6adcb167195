#include "framework/graphics.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cstdlib>

#include "platform/platform.h"

namespace fw {
namespace {

struct ColorName {
  TColor color;
  const char* name;
};

constexpr std::array<ColorName, 24> kColorNames{{
    {clBlack, "clBlack"},         {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},         {clOlive, "clOlive"},
    {clNavy, "clNavy"},           {clPurple, "clPurple"},
    {clTeal, "clTeal"},           {clGray, "clGray"},
    {clSilver, "clSilver"},       {clRed, "clRed"},
    {clLime, "clLime"},           {clYellow, "clYellow"},
    {clBlue, "clBlue"},           {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},           {clWhite, "clWhite"},
    {clNone, "clNone"},           {clDefault, "clDefault"},
    {clWindow, "clWindow"},       {clWindowText, "clWindowText"},
    {clBtnFace, "clBtnFace"},     {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},     {clBtnHighlight, "clBtnHighlight"},
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

// a * b / c rounded to the nearest integer, halves away from zero, as the Windows call does.
int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const long long product = static_cast<long long>(a) * b;
  const long long half = std::llabs(static_cast<long long>(c)) / 2;
  const bool negative = (product < 0) != (c < 0);
  const long long magnitude = (std::llabs(product) + half) / std::llabs(static_cast<long long>(c));
  return static_cast<int>(negative ? -magnitude : magnitude);
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

TColor props_detail::AsColor(const PropValue& v, const String& prop) {
  if (const auto* i = std::get_if<long long>(&v)) return static_cast<TColor>(*i);
  if (const auto* id = std::get_if<Ident>(&v)) {
    TColor c = 0;
    if (StringToColor(id->name, &c)) return c;
  }
  props_detail::InvalidValue(prop);
}

// ---- TFont

TFont::TFont() = default;

void TFont::SetName(const String& name) {
  if (name == name_) return;
  name_ = name;
  Changed();
}

void TFont::SetSize(int points) {
  if (points == size_) return;
  size_ = points;
  Changed();
}

int TFont::Height() const { return -MulDiv(size_, pixels_per_inch_, 72); }

void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TFont::SetStyle(TFontStyles style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TFont::Assign(const TFont& source) {
  if (&source == this) return;
  name_ = source.name_;
  size_ = source.size_;
  style_ = source.style_;
  color_ = source.color_;
  Changed();
}

bool TFont::SameAs(const TFont& other) const {
  return name_ == other.name_ && size_ == other.size_ && color_ == other.color_ &&
         style_ == other.style_ && pixels_per_inch_ == other.pixels_per_inch_;
}

pf::FontSpec TFont::Logical() const {
  pf::FontSpec font;
  font.face = name_;
  font.height = Height();
  font.bold = style_.Contains(TFontStyle::fsBold);
  font.italic = style_.Contains(TFontStyle::fsItalic);
  font.underline = style_.Contains(TFontStyle::fsUnderline);
  font.strike_out = style_.Contains(TFontStyle::fsStrikeOut);
  return font;
}

// ---- TBrush, TPen

void TBrush::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TPen::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TPen::SetWidth(int width) {
  if (width < 1) width = 1;
  if (width == width_) return;
  width_ = width;
  Changed();
}

}  // namespace fw
