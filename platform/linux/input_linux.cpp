#include "platform/linux/input_linux.h"

#include <X11/X.h>
#include <X11/keysym.h>

#include <cstdlib>
#include <utility>

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

namespace {

// Windows' codes of the keys that are not letters or digits, from the symbol the state gives.
std::optional<unsigned> VirtualKeyOf(KeySym sym) {
  constexpr unsigned kBack = 0x08, kPrior = 0x21, kNext = 0x22, kEnd = 0x23, kHome = 0x24,
                     kInsert = 0x2D, kDelete = 0x2E, kF1 = 0x70;
  switch (sym) {
    case XK_BackSpace: return kBack;
    case XK_Tab:
    case XK_ISO_Left_Tab: return kKeyTab;
    case XK_Return:
    case XK_KP_Enter: return kKeyReturn;
    case XK_Escape: return kKeyEscape;
    case XK_space:
    case XK_KP_Space: return kKeySpace;
    case XK_Prior:
    case XK_KP_Prior: return kPrior;
    case XK_Next:
    case XK_KP_Next: return kNext;
    case XK_End:
    case XK_KP_End: return kEnd;
    case XK_Home:
    case XK_KP_Home: return kHome;
    case XK_Left:
    case XK_KP_Left: return kKeyLeft;
    case XK_Up:
    case XK_KP_Up: return kKeyUp;
    case XK_Right:
    case XK_KP_Right: return kKeyRight;
    case XK_Down:
    case XK_KP_Down: return kKeyDown;
    case XK_Insert:
    case XK_KP_Insert: return kInsert;
    case XK_Delete:
    case XK_KP_Delete: return kDelete;
    default: break;
  }
  constexpr unsigned kNumpad0 = 0x60;
  if (sym >= XK_F1 && sym <= XK_F12) return kF1 + static_cast<unsigned>(sym - XK_F1);
  if (sym >= XK_KP_0 && sym <= XK_KP_9) return kNumpad0 + static_cast<unsigned>(sym - XK_KP_0);
  return std::nullopt;
}

}  // namespace

std::optional<KeyEvent> KeyFromX(KeySym level0, KeySym effective, unsigned state) {
  KeyEvent key;
  key.shift = ShiftFromXState(state) & (kShiftKey | kCtrlKey | kAltKey);
  if (level0 >= XK_a && level0 <= XK_z) {
    key.key = 'A' + static_cast<unsigned>(level0 - XK_a);
  } else if (level0 >= XK_0 && level0 <= XK_9) {
    key.key = '0' + static_cast<unsigned>(level0 - XK_0);
  } else if (const std::optional<unsigned> code = VirtualKeyOf(effective)) {
    key.key = *code;
  } else {
    return std::nullopt;
  }
  // A keymap may give Shift+Tab its own symbol, with or without the Shift still in the state.
  if (effective == XK_ISO_Left_Tab) key.shift |= kShiftKey;
  return key;
}

bool HeldKey::Press(unsigned keycode) { return std::exchange(down_, keycode) == keycode; }

void HeldKey::Release(unsigned keycode) {
  if (down_ == keycode) down_ = 0;
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
