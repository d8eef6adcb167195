// Lines as GDI draws them: Bresenham steps, the end point left unpainted, and ties broken by the
// octant so that a segment and its reverse paint the same pixels.
#include <algorithm>
#include <cstdlib>

#include "platform/raster/raster_device.h"

namespace pf::raster {
namespace {

// Octants 1..8, counter-clockwise from the positive x axis (y pointing down).
int OctantOf(long long dx, long long dy) {
  if (dy > 0) {
    if (dx > 0) return dx > dy ? 1 : 2;
    return -dx > dy ? 4 : 3;
  }
  if (dx < 0) return -dx > -dy ? 5 : 6;
  return dx > -dy ? 8 : 7;
}

// 1 when a tie steps the minor axis.
int TieBias(long long dx, long long dy) {
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
  const Rect box{std::min(from.x, to.x), std::min(from.y, to.y), AddSat(std::max(from.x, to.x), 1),
                 AddSat(std::max(from.y, to.y), 1)};
  return box.Intersect(clip).IsEmpty();
}

// The steps i in [0, count) at which start + step * i lies in [low, high): a line far longer than
// the clip walks only the part that can paint.
void StepsWithin(long long start, int step, long long low, long long high, long long count,
                 long long* first, long long* end) {
  const long long a = step > 0 ? low - start : start - (high - 1);
  const long long b = step > 0 ? high - start : start - low + 1;
  *first = std::clamp(a, 0LL, count);
  *end = std::clamp(b, 0LL, count);
}

}  // namespace

void RasterDevice::DrawSegment(Point from, Point to, std::uint32_t pixel) {
  if (MissesClip(from, to, clip_)) return;
  const long long dx = static_cast<long long>(to.x) - from.x;
  const long long dy = static_cast<long long>(to.y) - from.y;
  const bool x_major = std::llabs(dx) >= std::llabs(dy);
  const long long major = x_major ? std::llabs(dx) : std::llabs(dy);
  const long long minor = x_major ? std::llabs(dy) : std::llabs(dx);
  const int step_x = dx < 0 ? -1 : 1, step_y = dy < 0 ? -1 : 1;
  const int bias = TieBias(dx, dy);
  const int major_step = x_major ? step_x : step_y;
  const int minor_step = x_major ? step_y : step_x;
  long long first = 0, end = 0;
  StepsWithin(x_major ? from.x : from.y, major_step, x_major ? clip_.left : clip_.top,
              x_major ? clip_.right : clip_.bottom, major, &first, &end);
  if (first >= end) return;
  // Bresenham's state after `first` steps, in closed form: the minor axis has stepped
  // floor((2 minor i + major + bias - 1) / (2 major)) times.
  using Wide = __int128;
  const Wide minor_steps = (Wide{2} * minor * first + major + bias - 1) / (Wide{2} * major);
  Wide err = Wide{2} * minor - major + Wide{2} * minor * first - Wide{2} * major * minor_steps;
  long long pos_major = (x_major ? from.x : from.y) + major_step * first;
  long long pos_minor =
      (x_major ? from.y : from.x) + minor_step * static_cast<long long>(minor_steps);
  for (long long i = first; i < end; ++i) {
    if (x_major) {
      PlotDevice(static_cast<int>(pos_major), ClampToInt(pos_minor), pixel);
    } else {
      PlotDevice(ClampToInt(pos_minor), static_cast<int>(pos_major), pixel);
    }
    if (err + bias > 0) {
      pos_minor += minor_step;
      err += Wide{2} * (minor - major);
    } else {
      err += Wide{2} * minor;
    }
    pos_major += major_step;
  }
}

void RasterDevice::Polyline(const Point* points, int count, ColorRef pen) {
  if (points == nullptr || count < 2) return;
  const std::uint32_t pixel = ColorRefToPixel(pen);
  for (int i = 1; i < count; ++i) {
    const Point from{AddSat(points[i - 1].x, origin_.x), AddSat(points[i - 1].y, origin_.y)};
    const Point to{AddSat(points[i].x, origin_.x), AddSat(points[i].y, origin_.y)};
    DrawSegment(from, to, pixel);
  }
}

}  // namespace pf::raster
