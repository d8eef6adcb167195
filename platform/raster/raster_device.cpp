#include "platform/raster/raster_device.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace pf::raster {
namespace {

// GDI's reading of a reversed span: from the smaller coordinate plus one through the larger.
void NormaliseSpan(int& low, int& high) {
  if (high >= low) return;
  const int from = AddSat(high, 1);
  high = AddSat(low, 1);
  low = from;
}

// Which source pixel a stretch of s source pixels over n destination pixels shows at
// destination index d, as GDI's StretchBlt (COLORONCOLOR) picks them, so that both devices
// repeat and drop the same pixels. Growing samples the destination pixel's centre, a tie going
// to the lower source pixel: floor(((2d + 1) s - 1) / 2n).
int GrowingSource(int d, int s, int n) {
  return static_cast<int>(((2LL * d + 1) * s - 1) / (2LL * n));
}

// Shrinking cuts the source into n runs; run d starts at round(d s / n), halves rounding up.
int RunStart(int d, int s, int n) { return static_cast<int>((2LL * d * s + n) / (2LL * n)); }

// A shrunk row shows the first row of its run.
int SourceRow(int d, int s, int n) { return n >= s ? GrowingSource(d, s, n) : RunStart(d, s, n); }

// A shrunk column shows the last column of its run, except that a single column shows the
// last-but-one source column.
int SourceColumn(int d, int s, int n) {
  if (n >= s) return GrowingSource(d, s, n);
  if (n == 1) return s - 2;
  return RunStart(d + 1, s, n) - 1;
}

}  // namespace

RasterDevice::RasterDevice(const PixelBuffer& target) : RasterDevice(target, target.Bounds()) {}

RasterDevice::RasterDevice(const PixelBuffer& target, const Rect& bounds)
    : target_(target), bounds_(bounds.Intersect(target.Bounds())), clip_(bounds_) {}

void RasterDevice::SetClip(const Rect& device_rect) { clip_ = device_rect.Intersect(bounds_); }

void RasterDevice::FillDeviceRect(const Rect& r, std::uint32_t pixel) {
  const Rect area = r.Intersect(clip_);
  for (int y = area.top; y < area.bottom; ++y) {
    std::fill_n(&target_.At(area.left, y), area.Width(), pixel);
  }
}

void RasterDevice::PlotDevice(int x, int y, std::uint32_t pixel) {
  if (clip_.Contains({x, y})) target_.At(x, y) = pixel;
}

void RasterDevice::FillRect(const Rect& r, ColorRef color) {
  Rect area = r;
  NormaliseSpan(area.left, area.right);
  NormaliseSpan(area.top, area.bottom);
  FillDeviceRect(area.Offset(origin_.x, origin_.y), ColorRefToPixel(color));
}

void RasterDevice::FrameRect(const Rect& r, ColorRef color) {
  if (r.IsEmpty()) return;
  const Rect d = r.Offset(origin_.x, origin_.y);
  const std::uint32_t pixel = ColorRefToPixel(color);
  FillDeviceRect({d.left, d.top, d.right, AddSat(d.top, 1)}, pixel);
  FillDeviceRect({d.left, SubSat(d.bottom, 1), d.right, d.bottom}, pixel);
  FillDeviceRect({d.left, d.top, AddSat(d.left, 1), d.bottom}, pixel);
  FillDeviceRect({SubSat(d.right, 1), d.top, d.right, d.bottom}, pixel);
}

void RasterDevice::CopyImage(Point at, const ImageView& image, const std::uint32_t* skip) {
  const Point d{AddSat(at.x, origin_.x), AddSat(at.y, origin_.y)};
  const Rect area =
      Rect{d.x, d.y, AddSat(d.x, image.width), AddSat(d.y, image.height)}.Intersect(clip_);
  const int width = area.Width();
  for (int y = area.top; y < area.bottom; ++y) {
    const std::uint32_t* from =
        image.pixels + static_cast<std::size_t>(y - d.y) * image.stride + (area.left - d.x);
    std::uint32_t* to = &target_.At(area.left, y);
    if (skip == nullptr) {
      std::copy_n(from, width, to);
      continue;
    }
    for (int x = 0; x < width; ++x) {
      if (from[x] != *skip) to[x] = from[x];
    }
  }
}

void RasterDevice::DrawImage(Point at, const ImageView& image) { CopyImage(at, image, nullptr); }

void RasterDevice::DrawImageTransparent(Point at, const ImageView& image, ColorRef transparent) {
  const std::uint32_t key = ColorRefToPixel(transparent);
  CopyImage(at, image, &key);
}

void RasterDevice::StretchKeyed(const Rect& dst, const ImageView& image, const Rect& src_rect,
                                ColorRef key, ColorRef brush) {
  const int dst_w = dst.Width(), dst_h = dst.Height();
  const int src_w = src_rect.Width(), src_h = src_rect.Height();
  if (dst_w <= 0 || dst_h <= 0 || src_w <= 0 || src_h <= 0) return;
  const Rect d = dst.Offset(origin_.x, origin_.y);
  const Rect area = d.Intersect(clip_);
  if (area.IsEmpty()) return;
  const std::uint32_t key_pixel = ColorRefToPixel(key);
  const std::uint32_t brush_pixel = ColorRefToPixel(brush);
  // The source column of each destination column is the same on every row: worked out once.
  std::vector<int> columns(static_cast<std::size_t>(area.Width()));
  for (int x = area.left; x < area.right; ++x) {
    columns[x - area.left] = src_rect.left + SourceColumn(x - d.left, src_w, dst_w);
  }
  for (int y = area.top; y < area.bottom; ++y) {
    const int sy = src_rect.top + SourceRow(y - d.top, src_h, dst_h);
    if (sy < 0 || sy >= image.height) continue;
    std::uint32_t* to = &target_.At(area.left, y);
    for (std::size_t i = 0; i < columns.size(); ++i) {
      const int sx = columns[i];
      if (sx < 0 || sx >= image.width) continue;
      const std::uint32_t pixel = image.At(sx, sy);
      to[i] = pixel == key_pixel ? brush_pixel : pixel;
    }
  }
}

ColorRef RasterDevice::GetPixel(Point p) {
  const Point d{AddSat(p.x, origin_.x), AddSat(p.y, origin_.y)};
  if (!clip_.Contains(d)) return kInvalidColor;
  return PixelToColorRef(target_.At(d.x, d.y));
}

}  // namespace pf::raster
