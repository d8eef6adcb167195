#pragma once
// Input from X events into the seam's terms: buttons, the shift state, double clicks, keys and
// their repeats, the characters typed.
#include <X11/X.h>
// X.h's constant for XQueryBestSize, never used here, would rename the seam's enum.
#undef CursorShape

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

// A key as the framework gets it: its Windows virtual-key code and the Shift, Ctrl and Alt of the
// X state. `level0` is the key's own symbol (first group, no modifier), which names letters and
// digits as Windows' codes do, whatever Shift makes of them; `effective` is the symbol the state
// makes of it (Shift+Tab's ISO_Left_Tab, the keypad's arrows only without NumLock). Nullopt for
// a key whose Windows code is not known here.
std::optional<KeyEvent> KeyFromX(KeySym level0, KeySym effective, unsigned state);

// The character a key press types, from the symbol XLookupString gives it (Shift, Caps Lock and
// the third level applied), in Windows-1252: nullopt for none, for a control character, for a key
// held with Ctrl or Alt (Ctrl+C is a key), and for a character Windows-1252 lacks.
std::optional<char> CharFromX(KeySym sym, unsigned state);

// Which key is held. With Xkb's detectable auto-repeat a held key comes as presses without
// releases between them: a press of the key that is down is the system repeating it.
class HeldKey {
 public:
  // Whether this press repeats the key held.
  bool Press(unsigned keycode);
  void Release(unsigned keycode);
  // The keys went elsewhere (the focus moved): their releases will not come here.
  void Forget() { down_ = 0; }

 private:
  unsigned down_ = 0;  // X keycodes start at 8
};

}  // namespace pf::linux_x
