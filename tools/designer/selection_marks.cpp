#include "tools/designer/selection_marks.h"

#include <algorithm>

namespace designer {
namespace {

constexpr int kHandle = 6;  // a handle's side
constexpr pf::ColorRef kHandleFill = 0x00800000;   // navy, 0x00BBGGRR
constexpr pf::ColorRef kHandleEdge = 0x00FFFFFF;
constexpr pf::ColorRef kOutline = 0x00800000;

pf::Rect Square(int cx, int cy) {
  const int half = kHandle / 2;
  return {cx - half, cy - half, cx - half + kHandle, cy - half + kHandle};
}

}  // namespace

std::array<pf::Rect, 8> HandleRects(const pf::Rect& c) {
  const int mx = c.left + c.Width() / 2, my = c.top + c.Height() / 2;
  const int r = c.right - 1, b = c.bottom - 1;
  return {Square(c.left, my), Square(c.left, c.top), Square(mx, c.top), Square(r, c.top),
          Square(r, my),      Square(r, b),          Square(mx, b),     Square(c.left, b)};
}

Grip GripAt(const pf::Rect& control, pf::Point p) {
  const std::array<pf::Rect, 8> handles = HandleRects(control);
  for (std::size_t i = 0; i < handles.size(); ++i) {
    if (handles[i].Contains(p)) return static_cast<Grip>(static_cast<int>(Grip::kLeft) + i);
  }
  return control.Contains(p) ? Grip::kMove : Grip::kNone;
}

Bounds Dragged(const Bounds& start, Grip grip, int dx, int dy) {
  if (grip == Grip::kMove) return {start.left + dx, start.top + dy, start.width, start.height};
  const bool left = grip == Grip::kLeft || grip == Grip::kTopLeft || grip == Grip::kBottomLeft;
  const bool right = grip == Grip::kRight || grip == Grip::kTopRight || grip == Grip::kBottomRight;
  const bool top = grip == Grip::kTop || grip == Grip::kTopLeft || grip == Grip::kTopRight;
  const bool bottom = grip == Grip::kBottom || grip == Grip::kBottomLeft || grip == Grip::kBottomRight;
  Bounds b = start;
  if (left) {
    const int moved = std::min(dx, start.width);  // the left edge stops at the right one
    b.left += moved;
    b.width -= moved;
  }
  if (right) b.width = std::max(0, start.width + dx);
  if (top) {
    const int moved = std::min(dy, start.height);
    b.top += moved;
    b.height -= moved;
  }
  if (bottom) b.height = std::max(0, start.height + dy);
  return b;
}

pf::Rect MarksArea(const pf::Rect& control) {
  const int reach = kHandle / 2 + 1;
  return {control.left - reach, control.top - reach, control.right + reach, control.bottom + reach};
}

void PaintMarks(pf::Device& device, const pf::Rect& control) {
  device.FrameRect(control, kOutline);
  for (const pf::Rect& handle : HandleRects(control)) {
    device.FillRect(handle, kHandleFill);
    device.FrameRect(handle, kHandleEdge);
  }
}

}  // namespace designer
