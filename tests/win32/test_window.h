#pragma once
// What the Win32 tests' windows share: a handler that hears nothing, and a place in the middle
// of the screen.
#include "platform/platform.h"

namespace pf::win32 {

struct QuietHandler : WindowHandler {
  void WindowMouseDown(const MouseEvent&) override {}
  void WindowMouseUp(const MouseEvent&) override {}
  void WindowMouseMove(unsigned, Point) override {}
  void WindowPaint(Device&, const Rect&) override {}
  void WindowCloseRequest() override {}
  void WindowCaptureLost() override {}
};

inline Rect CentredOnScreen(Platform& platform, int width, int height) {
  const Size screen = platform.ScreenSize();
  const int left = (screen.cx - width) / 2, top = (screen.cy - height) / 2;
  return Rect{left, top, left + width, top + height};
}

}  // namespace pf::win32
