#pragma once
// The device: what a canvas draws through. Its operations are the GDI operations the controls
// need, with GDI's semantics; see the conformance suite in tests/device for the exact rules.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/geometry.h"

namespace pf {

// A picture's pixels: top-down rows of 0x00RRGGBB values.
struct ImageView {
  int width = 0;
  int height = 0;
  const std::uint32_t* pixels = nullptr;
  int stride = 0;  // pixels from one row to the next
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * stride + x]; }
};

struct FontSpec {
  std::string face = "Arial";
  int height = -11;  // as LOGFONT's lfHeight: negative is the em height in pixels
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike_out = false;
  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

class Device {
 public:
  virtual ~Device() = default;

  // Logical coordinates: device point = logical point + origin. Clip is in device coordinates
  // and is always intersected with the surface (and, inside a paint, the update area).
  virtual void SetOrigin(Point origin) = 0;
  virtual void SetClip(const Rect& device_rect) = 0;

  // FillRect: left/top included, right/bottom excluded. Reversed corners cover from the smaller
  // coordinate plus one through the larger one.
  virtual void FillRect(const Rect& r, ColorRef color) = 0;
  // FrameRect: a one-pixel outline just inside r.
  virtual void FrameRect(const Rect& r, ColorRef color) = 0;
  // Solid pen of width 1; the last point is not painted.
  virtual void Polyline(const Point* points, int count, ColorRef pen) = 0;

  virtual void SelectFont(const FontSpec& font) = 0;
  virtual Size TextExtent(std::string_view text) = 0;
  // Opaque text: the cell (x, y, x + extent.cx, y + extent.cy) is filled with back first.
  virtual void TextOutOpaque(Point at, std::string_view text, ColorRef fore, ColorRef back) = 0;
  // The same glyphs (and lines) alone: what lies under the cell stays.
  virtual void TextOutTransparent(Point at, std::string_view text, ColorRef fore) = 0;

  // Unscaled copy with the top-left corner at `at`.
  virtual void DrawImage(Point at, const ImageView& image) = 0;
  // As DrawImage, but pixels of colour `transparent` are left untouched.
  virtual void DrawImageTransparent(Point at, const ImageView& image, ColorRef transparent) = 0;
  // Stretch src_rect of image into dst, painting pixels of colour `key` with `brush`.
  virtual void StretchKeyed(const Rect& dst, const ImageView& image, const Rect& src_rect,
                            ColorRef key, ColorRef brush) = 0;

  // The system's focus rectangle on r: a dotted one-pixel frame drawn by inverting every other
  // pixel of its edge, so that drawing it again takes it away without a trace. GDI draws it with
  // the system's own pattern; the raster device inverts the pixels Wine's GDI does: round the
  // frame from its top right corner, leftwards first, every second pixel from the first, each
  // edge up to the next corner (where edges meet twice, as in a frame one pixel wide, they
  // cancel). An empty r draws nothing.
  virtual void DrawFocusRect(const Rect& r) = 0;

  // kInvalidColor outside the clip.
  virtual ColorRef GetPixel(Point p) = 0;
};

// A drawing surface in memory that a device can draw on; its pixels are readable.
class Surface {
 public:
  virtual ~Surface() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual ImageView Pixels() const = 0;
  // A fresh device on the whole surface: origin (0,0), clip the surface.
  virtual std::unique_ptr<Device> NewDevice() = 0;
};

// Made by the device realisation that is linked in (raster on Linux, GDI on Windows).
std::unique_ptr<Surface> CreateSurface(int width, int height);

}  // namespace pf
