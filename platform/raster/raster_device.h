#pragma once
// The software device: GDI's drawing rules on a 32-bit pixel buffer, FreeType for text.
#include <memory>
#include <optional>

#include "platform/device.h"
#include "platform/raster/raster_font.h"
#include "platform/raster/raster_surface.h"

namespace pf::raster {

class RasterDevice final : public Device {
 public:
  // Draws on `target` (not owned); the clip never leaves `bounds` intersected with the buffer.
  explicit RasterDevice(const PixelBuffer& target);
  RasterDevice(const PixelBuffer& target, const Rect& bounds);

  void SetOrigin(Point origin) override { origin_ = origin; }
  void SetClip(const Rect& device_rect) override;

  void FillRect(const Rect& r, ColorRef color) override;
  void FrameRect(const Rect& r, ColorRef color) override;
  void Polyline(const Point* points, int count, ColorRef pen) override;

  void SelectFont(const FontSpec& font) override;
  Size TextExtent(std::string_view text) override;
  void TextOutOpaque(Point at, std::string_view text, ColorRef fore, ColorRef back) override;
  void TextOutTransparent(Point at, std::string_view text, ColorRef fore) override;

  void DrawImage(Point at, const ImageView& image) override;
  void DrawImageTransparent(Point at, const ImageView& image, ColorRef transparent) override;
  void StretchKeyed(const Rect& dst, const ImageView& image, const Rect& src_rect, ColorRef key,
                    ColorRef brush) override;

  void DrawFocusRect(const Rect& r) override;

  ColorRef GetPixel(Point p) override;

 private:
  // All take device coordinates and clip.
  void FillDeviceRect(const Rect& r, std::uint32_t pixel);
  void PlotDevice(int x, int y, std::uint32_t pixel);
  void InvertDevice(int x, int y);
  void DrawSegment(Point from, Point to, std::uint32_t pixel);
  void CopyImage(Point at, const ImageView& image, const std::uint32_t* skip);
  void DrawGlyph(const Glyph& glyph, int pen_x, int baseline, std::uint32_t pixel);
  void DrawTextLines(Point at, int width, std::uint32_t pixel);
  // The cell filled with `back` first, if given.
  void DrawText(Point at, std::string_view text, ColorRef fore, std::optional<ColorRef> back);
  const RasterFont& Font();

  PixelBuffer target_;
  Rect bounds_;
  Rect clip_;
  Point origin_;
  FontSpec font_spec_;
  std::shared_ptr<const RasterFont> font_;
};

}  // namespace pf::raster
