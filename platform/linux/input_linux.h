#pragma once
// Mouse input from X events into the seam's terms: buttons, the shift state, double clicks.
#include <cstdint>
#include <optional>

#include "platform/platform.h"

namespace pf::linux_x {

// X button numbers 1..3; the wheel's 4..7 and extra buttons are not mouse buttons here.
std::optional<MouseButton> ButtonFromX(unsigned x_button);
unsigned ButtonFlag(MouseButton button);
// ShiftFlag bits from an X event's state (which is the state before the event).
unsigned ShiftFromXState(unsigned state);

// Windows' rule on server time stamps: a second press of the same button on the same window
// within 500 ms and 2 pixels either way of the first is a double click; the press after a
// double click starts afresh.
class DoubleClickDetector {
 public:
  static constexpr std::uint32_t kIntervalMs = 500;
  static constexpr int kSlop = 2;

  bool Press(unsigned long window, MouseButton button, std::uint32_t time_ms, Point pos);

 private:
  bool armed_ = false;
  unsigned long window_ = 0;
  MouseButton button_ = MouseButton::Left;
  std::uint32_t time_ = 0;
  Point pos_;
};

}  // namespace pf::linux_x
