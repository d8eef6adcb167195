#include "platform/linux/input_linux.h"

#include <X11/X.h>

#include <cstdlib>

namespace pf::linux_x {

std::optional<MouseButton> ButtonFromX(unsigned x_button) {
  switch (x_button) {
    case Button1: return MouseButton::Left;
    case Button2: return MouseButton::Middle;
    case Button3: return MouseButton::Right;
    default: return std::nullopt;
  }
}

unsigned ButtonFlag(MouseButton button) {
  switch (button) {
    case MouseButton::Right: return kRightButton;
    case MouseButton::Middle: return kMiddleButton;
    case MouseButton::Left: break;
  }
  return kLeftButton;
}

unsigned ShiftFromXState(unsigned state) {
  unsigned shift = 0;
  if (state & ShiftMask) shift |= kShiftKey;
  if (state & ControlMask) shift |= kCtrlKey;
  if (state & Mod1Mask) shift |= kAltKey;
  if (state & Button1Mask) shift |= kLeftButton;
  if (state & Button2Mask) shift |= kMiddleButton;
  if (state & Button3Mask) shift |= kRightButton;
  return shift;
}

bool DoubleClickDetector::Press(unsigned long window, MouseButton button, std::uint32_t time_ms,
                                Point pos) {
  // Unsigned difference: the server's millisecond clock wraps after 49 days.
  const bool is_double = armed_ && window == window_ && button == button_ &&
                         time_ms - time_ <= kIntervalMs && std::abs(pos.x - pos_.x) <= kSlop &&
                         std::abs(pos.y - pos_.y) <= kSlop;
  armed_ = !is_double;
  window_ = window;
  button_ = button;
  time_ = time_ms;
  pos_ = pos;
  return is_double;
}

}  // namespace pf::linux_x
