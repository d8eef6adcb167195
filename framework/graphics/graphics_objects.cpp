#include "framework/graphics/graphics_objects.h"

#include <cstdlib>

namespace fw {
namespace {

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

// ---- TFont

TFont::TFont() = default;

void TFont::SetName(const String& name) { Change(name_, name); }

void TFont::SetSize(int points) { Change(size_, points); }

int TFont::Height() const { return -MulDiv(size_, pixels_per_inch_, 72); }

void TFont::SetColor(TColor color) { Change(color_, color); }

void TFont::SetStyle(TFontStyles style) { Change(style_, style); }

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

void TBrush::SetColor(TColor color) { Change(color_, color); }

void TPen::SetColor(TColor color) { Change(color_, color); }

void TPen::SetWidth(int width) { Change(width_, width < 1 ? 1 : width); }

}  // namespace fw
