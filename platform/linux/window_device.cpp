#include "platform/linux/window_device.h"

namespace pf::linux_x {
namespace {

class FlushingDevice final : public Device {
 public:
  FlushingDevice(std::unique_ptr<Device> inner, std::function<void()> on_done)
      : inner_(std::move(inner)), on_done_(std::move(on_done)) {}
  ~FlushingDevice() override { on_done_(); }

  void SetOrigin(Point origin) override { inner_->SetOrigin(origin); }
  void SetClip(const Rect& r) override { inner_->SetClip(r); }
  void FillRect(const Rect& r, ColorRef c) override { inner_->FillRect(r, c); }
  void FrameRect(const Rect& r, ColorRef c) override { inner_->FrameRect(r, c); }
  void Polyline(const Point* p, int n, ColorRef pen) override { inner_->Polyline(p, n, pen); }
  void SelectFont(const FontSpec& font) override { inner_->SelectFont(font); }
  Size TextExtent(std::string_view text) override { return inner_->TextExtent(text); }
  void TextOutOpaque(Point at, std::string_view text, ColorRef fore, ColorRef back) override {
    inner_->TextOutOpaque(at, text, fore, back);
  }
  void DrawImage(Point at, const ImageView& image) override { inner_->DrawImage(at, image); }
  void DrawImageTransparent(Point at, const ImageView& image, ColorRef transparent) override {
    inner_->DrawImageTransparent(at, image, transparent);
  }
  void StretchKeyed(const Rect& dst, const ImageView& image, const Rect& src, ColorRef key,
                    ColorRef brush) override {
    inner_->StretchKeyed(dst, image, src, key, brush);
  }
  ColorRef GetPixel(Point p) override { return inner_->GetPixel(p); }

 private:
  std::unique_ptr<Device> inner_;
  std::function<void()> on_done_;
};

}  // namespace

std::unique_ptr<Device> NewFlushingDevice(std::unique_ptr<Device> inner,
                                          std::function<void()> on_done) {
  return std::make_unique<FlushingDevice>(std::move(inner), std::move(on_done));
}

}  // namespace pf::linux_x
