#pragma once
// A 32-bit pixel buffer (top-down rows of 0x00RRGGBB) that the raster device draws on. It either
// owns its pixels or views a buffer owned by someone else (an XImage, a headless window).
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/device.h"

namespace pf::raster {

// Where a raster device writes: not owned, must outlive every device made on it.
struct PixelBuffer {
  std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;  // pixels from one row to the next

  std::uint32_t& At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * stride + x]; }
  Rect Bounds() const { return {0, 0, width, height}; }
};

class RasterSurface final : public Surface {
 public:
  static constexpr std::uint32_t kWhite = 0x00FFFFFFu;

  // Owns width x height pixels, all `fill`. Throws std::invalid_argument on a negative size.
  RasterSurface(int width, int height, std::uint32_t fill = kWhite);
  // Views an external buffer of at least stride * height pixels; stride >= width.
  RasterSurface(std::uint32_t* pixels, int width, int height, int stride);

  RasterSurface(const RasterSurface&) = delete;
  RasterSurface& operator=(const RasterSurface&) = delete;

  int Width() const override { return buffer_.width; }
  int Height() const override { return buffer_.height; }
  ImageView Pixels() const override;
  std::unique_ptr<Device> NewDevice() override;

  // A device limited to `bounds` (device coordinates): its clip never leaves them, as a paint's
  // device stays inside the update area.
  std::unique_ptr<Device> NewDevice(const Rect& bounds);
  const PixelBuffer& Buffer() const { return buffer_; }

 private:
  std::vector<std::uint32_t> owned_;
  PixelBuffer buffer_;
};

}  // namespace pf::raster
