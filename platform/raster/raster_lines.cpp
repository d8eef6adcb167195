// Lines as GDI draws them: Bresenham steps, the end point left unpainted, and ties broken by the
// octant so that a segment and its reverse paint the same pixels.
#include <algorithm>
#include <cstdlib>

#include "platform/raster/raster_device.h"

namespace pf::raster {
namespace {

// Octants 1..8, counter-clockwise from the positive x axis (y pointing down).
int OctantOf(int dx, int dy) {
  if (dy > 0) {
    if (dx > 0) return dx > dy ? 1 : 2;
    return -dx > dy ? 4 : 3;
  }
  if (dx < 0) return -dx > -dy ? 5 : 6;
  return dx > -dy ? 8 : 7;
}

// 1 when a tie steps the minor axis.
int TieBias(int dx, int dy) {
  switch (OctantOf(dx, dy)) {
    case 3:
    case 5:
    case 6:
    case 8:
      return 1;
    default:
      return 0;
  }
}

bool MissesClip(Point from, Point to, const Rect& clip) {
  const Rect box{std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x) + 1,
                 std::max(from.y, to.y) + 1};
  return box.Intersect(clip).IsEmpty();
}

}  // namespace

void RasterDevice::DrawSegment(Point from, Point to, std::uint32_t pixel) {
  if (MissesClip(from, to, clip_)) return;
  const int dx = to.x - from.x, dy = to.y - from.y;
  const bool x_major = std::abs(dx) >= std::abs(dy);
  const long long major = x_major ? std::abs(dx) : std::abs(dy);
  const long long minor = x_major ? std::abs(dy) : std::abs(dx);
  const int step_x = dx < 0 ? -1 : 1, step_y = dy < 0 ? -1 : 1;
  const int bias = TieBias(dx, dy);
  long long err = 2 * minor - major;
  Point p = from;
  for (long long i = 0; i < major; ++i) {
    PlotDevice(p.x, p.y, pixel);
    if (err + bias > 0) {
      (x_major ? p.y : p.x) += x_major ? step_y : step_x;
      err += 2 * (minor - major);
    } else {
      err += 2 * minor;
    }
    (x_major ? p.x : p.y) += x_major ? step_x : step_y;
  }
}

void RasterDevice::Polyline(const Point* points, int count, ColorRef pen) {
  if (points == nullptr || count < 2) return;
  const std::uint32_t pixel = ColorRefToPixel(pen);
  for (int i = 1; i < count; ++i) {
    const Point from{points[i - 1].x + origin_.x, points[i - 1].y + origin_.y};
    const Point to{points[i].x + origin_.x, points[i].y + origin_.y};
    DrawSegment(from, to, pixel);
  }
}

}  // namespace pf::raster
