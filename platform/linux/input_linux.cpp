#include "platform/linux/input_linux.h"

#include <X11/X.h>
// Also the publishing and technical symbols: quotation marks, dashes, the ellipsis, the florin.
#define XK_PUBLISHING
#define XK_TECHNICAL
#include <X11/keysym.h>

#include <cstdlib>
#include <utility>

#include "platform/shared/cp1252.h"

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
  switch (sym) {
    case XK_BackSpace: return kKeyBack;
    case XK_Tab:
    case XK_ISO_Left_Tab: return kKeyTab;
    case XK_Return:
    case XK_KP_Enter: return kKeyReturn;
    case XK_Escape: return kKeyEscape;
    case XK_space:
    case XK_KP_Space: return kKeySpace;
    case XK_Prior:
    case XK_KP_Prior: return kKeyPrior;
    case XK_Next:
    case XK_KP_Next: return kKeyNext;
    case XK_End:
    case XK_KP_End: return kKeyEnd;
    case XK_Home:
    case XK_KP_Home: return kKeyHome;
    case XK_Left:
    case XK_KP_Left: return kKeyLeft;
    case XK_Up:
    case XK_KP_Up: return kKeyUp;
    case XK_Right:
    case XK_KP_Right: return kKeyRight;
    case XK_Down:
    case XK_KP_Down: return kKeyDown;
    case XK_Insert:
    case XK_KP_Insert: return kKeyInsert;
    case XK_Delete:
    case XK_KP_Delete: return kKeyDelete;
    default: break;
  }
  constexpr unsigned kNumpad0 = 0x60;
  if (sym >= XK_F1 && sym <= XK_F12) return kKeyF1 + static_cast<unsigned>(sym - XK_F1);
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

namespace {

// The symbols older than Unicode for the characters Windows-1252 has beyond Latin-1 (0x80-0x9F),
// which XLookupString does not give as text.
struct LegacySymbol {
  KeySym sym;
  char32_t unicode;
};
constexpr LegacySymbol kLegacySymbols[] = {
    {XK_EuroSign, 0x20AC},
    {XK_singlelowquotemark, 0x201A},
    {XK_function, 0x0192},
    {XK_doublelowquotemark, 0x201E},
    {XK_ellipsis, 0x2026},
    {XK_dagger, 0x2020},
    {XK_doubledagger, 0x2021},
    {XK_permille, 0x2030},
    {XK_Scaron, 0x0160},
    {XK_OE, 0x0152},
    {XK_Zcaron, 0x017D},
    {XK_leftsinglequotemark, 0x2018},
    {XK_rightsinglequotemark, 0x2019},
    {XK_leftdoublequotemark, 0x201C},
    {XK_rightdoublequotemark, 0x201D},
    {XK_enfilledcircbullet, 0x2022},
    {XK_endash, 0x2013},
    {XK_emdash, 0x2014},
    {XK_trademark, 0x2122},
    {XK_scaron, 0x0161},
    {XK_oe, 0x0153},
    {XK_zcaron, 0x017E},
    {XK_Ydiaeresis, 0x0178},
};

// The character a symbol stands for; 0 for none. Latin-1's symbols are their own code points,
// and a symbol made from a code point (0x01000000 + it) says so.
char32_t UnicodeOf(KeySym sym) {
  constexpr KeySym kUnicodeSymbols = 0x01000000;
  if ((sym >= 0x20 && sym <= 0x7E) || (sym >= 0xA0 && sym <= 0xFF)) {
    return static_cast<char32_t>(sym);
  }
  if (sym > kUnicodeSymbols && sym <= kUnicodeSymbols + 0x10FFFF) {
    return static_cast<char32_t>(sym - kUnicodeSymbols);
  }
  // The keypad's characters, as XLookupString writes them.
  if (sym == XK_KP_Space) return ' ';
  if (sym == XK_KP_Equal || (sym >= XK_KP_Multiply && sym <= XK_KP_9)) {
    return static_cast<char32_t>(sym - 0xFF80);
  }
  for (const LegacySymbol& legacy : kLegacySymbols) {
    if (legacy.sym == sym) return legacy.unicode;
  }
  return 0;
}

}  // namespace

std::optional<char> CharFromX(KeySym sym, unsigned state) {
  if ((state & (ControlMask | Mod1Mask)) != 0) return std::nullopt;
  const char32_t c = UnicodeOf(sym);
  if (c < 0x20 || (c >= 0x7F && c < 0xA0)) return std::nullopt;
  return text::Cp1252FromUnicode(c);
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
