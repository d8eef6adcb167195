#pragma once
// Canvases: brush, pen and font kept from one drawing to the next, drawing through a device.
#include <initializer_list>
#include <memory>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/colors.h"
#include "framework/graphics/graphic.h"
#include "framework/graphics/graphics_objects.h"
#include "platform/device.h"

namespace fw {

class TCanvas {
 public:
  TCanvas();
  virtual ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  TFont* Font() const { return font_.get(); }
  TBrush* Brush() const { return brush_.get(); }
  TPen* Pen() const { return pen_.get(); }

  // With the brush: left/top included, right/bottom excluded.
  void FillRect(const pf::Rect& rect);
  // A one-pixel outline with the brush.
  void FrameRect(const pf::Rect& rect);
  // With the pen; the last point is not painted.
  void Polyline(std::initializer_list<pf::Point> points);
  // The cell is filled with the brush colour behind the text.
  void TextOut(int x, int y, const String& text);
  // The text alone, over what is there.
  void TextOutTransparent(int x, int y, const String& text);
  pf::Size TextExtent(const String& text);
  int TextWidth(const String& text) { return TextExtent(text).cx; }
  int TextHeight(const String& text) { return TextExtent(text).cy; }
  // Unscaled, nothing for an empty graphic.
  void Draw(int x, int y, const TGraphic* graphic);
  // Stretches `source` of the bitmap into `dest`; pixels of `key` show the brush colour.
  void BrushCopy(const pf::Rect& dest, const TBitmap* bitmap, const pf::Rect& source, TColor key);
  TColor Pixel(int x, int y);

 protected:
  // A device ready for this canvas (origin and clip set); released when the lease ends.
  class Lease {
   public:
    explicit Lease(pf::Device& device, std::unique_ptr<pf::Device> owned = nullptr)
        : device_(device), owned_(std::move(owned)) {}
    pf::Device& operator*() const { return device_; }
    pf::Device* operator->() const { return &device_; }

   private:
    pf::Device& device_;
    std::unique_ptr<pf::Device> owned_;
  };
  virtual Lease Acquire() = 0;

 private:
  std::unique_ptr<TFont> font_;
  std::unique_ptr<TBrush> brush_;
  std::unique_ptr<TPen> pen_;
};

// A canvas on a device the caller provides, such as a test surface.
class TDeviceCanvas : public TCanvas {
 public:
  explicit TDeviceCanvas(pf::Device& device) : device_(device) {}

 protected:
  Lease Acquire() override { return Lease(device_); }

 private:
  pf::Device& device_;
};

}  // namespace fw
