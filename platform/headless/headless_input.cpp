// The headless platform's scripted input: the pointer, with its leaves and double clicks, and the
// keyboard, with the focus that decides which window hears it and the characters typed.
#include <cstdlib>
#include <utility>

#include "platform/headless/headless_platform.h"
#include "platform/shared/cp1252.h"

namespace pf::headless {

// ---- the pointer ------------------------------------------------------------------------

HeadlessWindow* HeadlessPlatform::InputWindow() const {
  if (capture_) return capture_;
  return VisibleWindowAt(cursor_);
}

unsigned HeadlessPlatform::ButtonFlags() const { return buttons_down_; }

namespace {
unsigned ButtonBit(MouseButton b) {
  switch (b) {
    case MouseButton::Right: return kRightButton;
    case MouseButton::Middle: return kMiddleButton;
    default: return kLeftButton;
  }
}
}  // namespace

void HeadlessPlatform::MoveTo(Point screen_point) {
  HeadlessWindow* const was_over = capture_ ? nullptr : VisibleWindowAt(cursor_);
  cursor_ = screen_point;
  if (was_over && was_over != VisibleWindowAt(cursor_)) PostPointerLeft(*was_over);
  HeadlessWindow* w = InputWindow();
  if (!w || !w->Enabled()) return;
  const Point local{cursor_.x - w->Bounds().left, cursor_.y - w->Bounds().top};
  const unsigned shift = ButtonFlags();
  const NativeHandle handle = w->Handle();
  Post([this, handle, shift, local] {
    if (HeadlessWindow* target = WindowByHandle(handle); target && target->handler_) {
      target->handler_->WindowMouseMove(shift, local);
    }
  });
}

void HeadlessPlatform::PostMouse(bool down, MouseButton button, unsigned extra_flags) {
  HeadlessWindow* w = InputWindow();
  if (!w || !w->Enabled()) return;  // a disabled window takes no mouse input
  MouseEvent e{button, ButtonFlags() | extra_flags,
               {cursor_.x - w->Bounds().left, cursor_.y - w->Bounds().top}};
  const NativeHandle handle = w->Handle();
  Post([this, handle, e, down] {
    HeadlessWindow* target = WindowByHandle(handle);
    if (!target || !target->handler_) return;
    if (down) {
      target->handler_->WindowMouseDown(e);
    } else {
      target->handler_->WindowMouseUp(e);
    }
  });
}

void HeadlessPlatform::Press(MouseButton button) {
  // A second press soon after and near the first is a double click, as the system decides it.
  const bool is_double = last_press_counts_ && button == last_press_button_ &&
                         now_ - last_press_time_ <= double_click_ms &&
                         std::abs(cursor_.x - last_press_pos_.x) <= 2 &&
                         std::abs(cursor_.y - last_press_pos_.y) <= 2;
  last_press_counts_ = !is_double;
  last_press_time_ = now_;
  last_press_pos_ = cursor_;
  last_press_button_ = button;
  buttons_down_ |= ButtonBit(button);
  PostMouse(true, button, is_double ? unsigned{kDoubleClick} : 0u);
}

void HeadlessPlatform::Release(MouseButton button) {
  buttons_down_ &= ~ButtonBit(button);
  PostMouse(false, button, 0);
}

void HeadlessPlatform::Click(Point screen_point, MouseButton button) {
  MoveTo(screen_point);
  Press(button);
  Release(button);
}

// ---- the keyboard and the focus ----------------------------------------------------------

HeadlessWindow* HeadlessPlatform::KeyWindow() const {
  HeadlessWindow* w = WindowByHandle(focused);
  if (!w || !w->Enabled() || !w->IsVisible() || application_minimized) return nullptr;
  return w;
}

void HeadlessPlatform::Key(unsigned key, unsigned shift, bool repeat) {
  HeadlessWindow* w = KeyWindow();
  if (!w) return;
  const KeyEvent e{key, shift, repeat};
  const NativeHandle handle = w->Handle();
  Post([this, handle, e] {
    if (HeadlessWindow* target = WindowByHandle(handle); target && target->handler_) {
      target->handler_->WindowKeyDown(e);
    }
  });
}

namespace {

struct TypedKey {
  unsigned key = 0;  // 0: no key types it
  unsigned shift = 0;
  bool types = true;  // the key types the character
};

// The US keyboard's punctuation: each key's code (Windows' VK_OEM_*), its character alone, and
// with Shift.
struct PunctuationKey {
  unsigned key;
  char plain, shifted;
};
constexpr PunctuationKey kPunctuation[] = {
    {0xBA, ';', ':'},  {0xBB, '=', '+'}, {0xBC, ',', '<'},  {0xBD, '-', '_'},
    {0xBE, '.', '>'},  {0xBF, '/', '?'}, {0xC0, '`', '~'},  {0xDB, '[', '{'},
    {0xDC, '\\', '|'}, {0xDD, ']', '}'}, {0xDE, '\'', '"'},
};
constexpr char kShiftedDigits[] = ")!@#$%^&*(";
constexpr unsigned kPacket = 0xE7;  // VK_PACKET

// What WindowChar takes: printable Windows-1252 (not the C1 controls of the bytes it leaves
// unused).
bool IsPrintable(char c) {
  const char32_t u = text::Cp1252ToUnicode(static_cast<std::uint8_t>(c));
  return u >= 0x20 && (u < 0x7F || u >= 0xA0);
}

TypedKey KeyTyping(char c) {
  if (c >= 'a' && c <= 'z') return {kKeyA + static_cast<unsigned>(c - 'a')};
  if (c >= 'A' && c <= 'Z') return {kKeyA + static_cast<unsigned>(c - 'A'), kShiftKey};
  if (c >= '0' && c <= '9') return {kKey0 + static_cast<unsigned>(c - '0')};
  if (c == ' ') return {kKeySpace};
  if (c == '\n') return {kKeyReturn, 0, false};
  if (c == '\t') return {kKeyTab, 0, false};
  if (c == '\b') return {kKeyBack, 0, false};
  if (c == '\x1B') return {kKeyEscape, 0, false};
  if (!IsPrintable(c)) return {};
  for (unsigned digit = 0; digit < 10; ++digit) {
    if (kShiftedDigits[digit] == c) return {kKey0 + digit, kShiftKey};
  }
  for (const PunctuationKey& p : kPunctuation) {
    if (p.plain == c) return {p.key};
    if (p.shifted == c) return {p.key, kShiftKey};
  }
  return {kPacket};
}

}  // namespace

void HeadlessPlatform::Type(std::string_view text) {
  for (const char c : text) {
    HeadlessWindow* w = KeyWindow();
    if (!w) return;
    const TypedKey typed = KeyTyping(c);
    if (typed.key == 0) continue;
    Key(typed.key, typed.shift);
    if (!typed.types) continue;
    const NativeHandle handle = w->Handle();
    Post([this, handle, c] {
      if (HeadlessWindow* target = WindowByHandle(handle); target && target->handler_) {
        target->handler_->WindowChar(c);
      }
    });
  }
}

// As Windows sends WM_KILLFOCUS and WM_SETFOCUS: at once, from inside the call that moved it.
void HeadlessPlatform::MoveFocus(NativeHandle handle) {
  if (handle == focused) return;
  const NativeHandle lost = std::exchange(focused, handle);
  TellFocus(lost, false);
  TellFocus(handle, true);
}

void HeadlessPlatform::TellFocus(NativeHandle handle, bool has_focus) {
  if (HeadlessWindow* target = WindowByHandle(handle); target && target->handler_) {
    target->handler_->WindowFocusChanged(has_focus);
  }
}

}  // namespace pf::headless
