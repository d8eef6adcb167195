#pragma once
// The device on a GDI DC. It keeps its own origin, clip and font and applies them around each
// operation, so several devices may share one DC (a surface's memory DC) without disturbing each
// other, and the DC is left as it was found.
#include <memory>
#include <optional>

#include "platform/device.h"
#include "platform/win32/handles.h"

namespace pf::win32 {

class GdiDevice : public Device {
 public:
  explicit GdiDevice(HDC dc) : dc_(dc) {}

  void SetOrigin(Point origin) override { origin_ = origin; }
  void SetClip(const Rect& device_rect) override { clip_ = device_rect; }

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

  HDC dc() const { return dc_; }

 private:
  class Operation;
  HFONT CurrentFont();

  HDC dc_;
  Point origin_;
  std::optional<Rect> clip_;
  FontSpec font_spec_;
  Font font_;
};

// A device on a window outside the paint cycle: GetDC now, ReleaseDC when it goes.
std::unique_ptr<Device> NewWindowDevice(HWND hwnd);

}  // namespace pf::win32
