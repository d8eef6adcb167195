#include "platform/raster/raster_surface.h"

#include <stdexcept>

#include "platform/raster/raster_device.h"

namespace pf::raster {
namespace {

void CheckSize(int width, int height) {
  if (width < 0 || height < 0) throw std::invalid_argument("surface size must not be negative");
}

}  // namespace

RasterSurface::RasterSurface(int width, int height, std::uint32_t fill) {
  CheckSize(width, height);
  owned_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
  buffer_ = {owned_.data(), width, height, width};
}

RasterSurface::RasterSurface(std::uint32_t* pixels, int width, int height, int stride) {
  CheckSize(width, height);
  if (stride < width) throw std::invalid_argument("stride must not be less than the width");
  if (pixels == nullptr && width > 0 && height > 0)
    throw std::invalid_argument("a non-empty surface needs pixels");
  buffer_ = {pixels, width, height, stride};
}

ImageView RasterSurface::Pixels() const {
  return {buffer_.width, buffer_.height, buffer_.pixels, buffer_.stride};
}

std::unique_ptr<Device> RasterSurface::NewDevice() { return NewDevice(buffer_.Bounds()); }

std::unique_ptr<Device> RasterSurface::NewDevice(const Rect& bounds) {
  return std::make_unique<RasterDevice>(buffer_, bounds);
}

}  // namespace pf::raster

namespace pf {

std::unique_ptr<Surface> CreateSurface(int width, int height) {
  return std::make_unique<raster::RasterSurface>(width, height);
}

}  // namespace pf
