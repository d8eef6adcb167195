#pragma once
// A font at one size, ready for the raster device: metrics as GDI reports them and monochrome
// glyph bitmaps for the 256 characters of Windows-1252, rendered on first use.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/device.h"

namespace pf::raster {

struct Glyph {
  int advance = 0;  // pixels to the next pen position
  int left = 0;     // bitmap's left column relative to the pen
  int top = 0;      // bitmap's top row, in rows above the baseline
  int width = 0;
  int rows = 0;
  std::vector<std::uint8_t> ink;  // width * rows, 1 where the glyph is painted

  bool Ink(int x, int y) const { return ink[static_cast<std::size_t>(y) * width + x] != 0; }
};

struct OpenedFace;

class RasterFont {
 public:
  // Takes the face (null: no usable font file; glyphs are then empty and zero-wide).
  RasterFont(std::unique_ptr<OpenedFace> face, int lf_height);
  ~RasterFont();
  RasterFont(const RasterFont&) = delete;
  RasterFont& operator=(const RasterFont&) = delete;

  int Ascent() const { return ascent_; }
  int Descent() const { return descent_; }
  int Height() const { return ascent_ + descent_; }
  int UnderlineRow() const { return underline_row_; }  // rows below the baseline
  int StrikeRow() const { return strike_row_; }        // rows above the baseline

  // Thread-safe; the reference stays valid as long as the font.
  const Glyph& GlyphFor(char c) const;
  Size Extent(std::string_view text) const;

 private:
  Glyph Render(char c) const;

  std::unique_ptr<OpenedFace> face_;
  int ascent_ = 0;
  int descent_ = 0;
  int underline_row_ = 0;
  int strike_row_ = 0;
  mutable std::array<std::unique_ptr<const Glyph>, 256> glyphs_;
};

// The font for `wanted` (its underline and strike-out flags play no part here), loaded once and
// kept while fewer than kMostCachedFonts are cached or someone holds it.
inline constexpr std::size_t kMostCachedFonts = 64;
std::shared_ptr<const RasterFont> FindFont(const FontSpec& wanted);

}  // namespace pf::raster
