// Surfaces on Windows: a top-down 32-bit DIB section selected into a memory DC, so GDI draws
// straight into pixels the caller can read.
#include <algorithm>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "platform/device.h"
#include "platform/win32/device_gdi.h"
#include "platform/win32/dib.h"

namespace pf {
namespace {

using win32::Bitmap;
using win32::MemoryDc;
using win32::Selection;

class DibSurface : public Surface {
 public:
  DibSurface(int width, int height) : dc_(::CreateCompatibleDC(nullptr)) {
    if (width < 0 || height < 0) throw std::invalid_argument("surface size must not be negative");
    if (width > 0 && height > 0) dib_ = win32::CreateDib(width, height, &bits_);
    if (dib_ && dc_) {
      width_ = width;
      height_ = height;
      selected_.emplace(dc_.get(), dib_.get());
      // New surfaces are white, as on every device realisation.
      std::fill_n(bits_, static_cast<std::size_t>(width) * height, 0x00FFFFFFu);
    } else if (width > 0 && height > 0) {
      throw std::runtime_error("no memory for a " + std::to_string(width) + " x " +
                               std::to_string(height) + " surface");
    }
  }

  int Width() const override { return width_; }
  int Height() const override { return height_; }

  // The seam's pixels are 0x00RRGGBB; a raster operation may set the byte above the colour (Wine's
  // DrawFocusRect inverts all 32 bits), which no picture shows.
  ImageView Pixels() const override {
    ::GdiFlush();  // GDI may batch calls: finish them before the bits are read
    std::for_each(bits_, bits_ + static_cast<std::size_t>(width_) * height_,
                  [](std::uint32_t& pixel) { pixel &= 0x00FFFFFFu; });
    return ImageView{width_, height_, bits_, width_};
  }

  std::unique_ptr<Device> NewDevice() override {
    auto device = std::make_unique<win32::GdiDevice>(dc_.get());
    if (!dib_) device->SetClip(Rect{});  // nothing to draw on: a 0 x 0 surface
    return device;
  }

 private:
  MemoryDc dc_;
  Bitmap dib_;
  std::optional<Selection> selected_;  // after dib_: deselected before it is deleted
  std::uint32_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace

std::unique_ptr<Surface> CreateSurface(int width, int height) {
  return std::make_unique<DibSurface>(width, height);
}

}  // namespace pf
