#pragma once
// The device a window hands out for drawing outside a paint: it draws through the window's own
// device and, when it goes, reports the rectangle its drawing may have touched, so that the
// window puts only that part on screen.
#include <functional>
#include <memory>

#include "platform/device.h"

namespace pf {

class MarkingDevice final : public Device {
 public:
  // `on_done` gets the touched rectangle in device coordinates (possibly empty, possibly beyond
  // the surface: the window cuts it to its client area).
  MarkingDevice(std::unique_ptr<Device> inner, std::function<void(const Rect&)> on_done);
  ~MarkingDevice() override;
  MarkingDevice(const MarkingDevice&) = delete;
  MarkingDevice& operator=(const MarkingDevice&) = delete;

  void SetOrigin(Point origin) override;
  void SetClip(const Rect& device_rect) override;
  void FillRect(const Rect& r, ColorRef color) override;
  void FrameRect(const Rect& r, ColorRef color) override;
  void Polyline(const Point* points, int count, ColorRef pen) override;
  void SelectFont(const FontSpec& font) override { inner_->SelectFont(font); }
  Size TextExtent(std::string_view text) override { return inner_->TextExtent(text); }
  void TextOutOpaque(Point at, std::string_view text, ColorRef fore, ColorRef back) override;
  void TextOutTransparent(Point at, std::string_view text, ColorRef fore) override;
  void DrawImage(Point at, const ImageView& image) override;
  void DrawImageTransparent(Point at, const ImageView& image, ColorRef transparent) override;
  void StretchKeyed(const Rect& dst, const ImageView& image, const Rect& src_rect, ColorRef key,
                    ColorRef brush) override;
  void DrawFocusRect(const Rect& r) override;
  ColorRef GetPixel(Point p) override { return inner_->GetPixel(p); }

  const Rect& Touched() const { return touched_; }

 private:
  // `logical` as a drawing call gives it, cut to the clip.
  void Mark(const Rect& logical);

  std::unique_ptr<Device> inner_;
  std::function<void(const Rect&)> on_done_;
  Point origin_;
  Rect clip_;
  Rect touched_;
};

}  // namespace pf
