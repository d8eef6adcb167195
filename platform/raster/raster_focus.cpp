// The focus rectangle: every second pixel of the frame inverted, walking round it as Wine's GDI
// does (its dotted pen along the rectangle's outline, in XOR).
#include "platform/raster/raster_device.h"

namespace pf::raster {

void RasterDevice::InvertDevice(int x, int y) {
  if (!clip_.Contains({x, y})) return;
  target_.At(x, y) ^= 0x00FFFFFFu;
}

// From the top right corner leftwards, down the left edge, rightwards along the bottom, up the
// right edge; each edge stops short of the next corner, and every second pixel walked is inverted,
// the first included.
void RasterDevice::DrawFocusRect(const Rect& r) {
  if (r.IsEmpty()) return;
  const Rect d = r.Offset(origin_.x, origin_.y);
  const int last_x = d.right - 1, last_y = d.bottom - 1;
  long step = 0;
  auto walk = [&](int x, int y) {
    if (step++ % 2 == 0) InvertDevice(x, y);
  };
  for (int x = last_x; x > d.left; --x) walk(x, d.top);
  for (int y = d.top; y < last_y; ++y) walk(d.left, y);
  for (int x = d.left; x < last_x; ++x) walk(x, last_y);
  for (int y = last_y; y > d.top; --y) walk(last_x, y);
}

}  // namespace pf::raster
