// Text: the cell filled with the back colour (opaque text), then monochrome glyphs in the fore
// colour on a baseline one ascent below the top; glyphs may leave the cell, never the clip.
#include "platform/raster/raster_device.h"

namespace pf::raster {

const RasterFont& RasterDevice::Font() {
  if (!font_) font_ = FindFont(font_spec_);
  return *font_;
}

void RasterDevice::SelectFont(const FontSpec& font) {
  if (font_ && font == font_spec_) return;
  font_spec_ = font;
  font_ = FindFont(font_spec_);
}

Size RasterDevice::TextExtent(std::string_view text) { return Font().Extent(text); }

void RasterDevice::DrawGlyph(const Glyph& glyph, int pen_x, int baseline, std::uint32_t pixel) {
  const int left = pen_x + glyph.left;
  const int top = baseline - glyph.top;
  for (int y = 0; y < glyph.rows; ++y) {
    for (int x = 0; x < glyph.width; ++x) {
      if (glyph.Ink(x, y)) PlotDevice(left + x, top + y, pixel);
    }
  }
}

void RasterDevice::DrawTextLines(Point at, int width, std::uint32_t pixel) {
  const int baseline = at.y + Font().Ascent();
  if (font_spec_.underline) {
    const int row = baseline + Font().UnderlineRow();
    FillDeviceRect({at.x, row, at.x + width, row + 1}, pixel);
  }
  if (font_spec_.strike_out) {
    const int row = baseline - Font().StrikeRow();
    FillDeviceRect({at.x, row, at.x + width, row + 1}, pixel);
  }
}

void RasterDevice::TextOutOpaque(Point at, std::string_view text, ColorRef fore, ColorRef back) {
  DrawText(at, text, fore, back);
}

void RasterDevice::TextOutTransparent(Point at, std::string_view text, ColorRef fore) {
  DrawText(at, text, fore, std::nullopt);
}

void RasterDevice::DrawText(Point at, std::string_view text, ColorRef fore,
                            std::optional<ColorRef> back) {
  const RasterFont& font = Font();
  const Size extent = font.Extent(text);
  const Point d{AddSat(at.x, origin_.x), AddSat(at.y, origin_.y)};
  // Text far from the clip paints nothing (glyphs overhang their cells by less than the margin);
  // near it, every coordinate below stays well inside int.
  const int margin = 2 * extent.cy + 64;
  const Rect reach{SubSat(d.x, margin), SubSat(d.y, margin), AddSat(d.x, AddSat(extent.cx, margin)),
                   AddSat(d.y, AddSat(extent.cy, margin))};
  if (reach.Intersect(clip_).IsEmpty()) return;
  if (back) FillDeviceRect({d.x, d.y, d.x + extent.cx, d.y + extent.cy}, ColorRefToPixel(*back));
  const std::uint32_t ink = ColorRefToPixel(fore);
  int pen_x = d.x;
  for (char c : text) {
    const Glyph& glyph = font.GlyphFor(c);
    DrawGlyph(glyph, pen_x, d.y + font.Ascent(), ink);
    pen_x += glyph.advance;
  }
  DrawTextLines(d, extent.cx, ink);
}

}  // namespace pf::raster
