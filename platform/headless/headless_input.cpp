// The headless platform's scripted input: the pointer, with its leaves and double clicks, and the
// keyboard, with the focus that decides which window hears it.
#include <cstdlib>
#include <utility>

#include "platform/headless/headless_platform.h"

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

void HeadlessPlatform::Key(unsigned key, unsigned shift, bool repeat) {
  HeadlessWindow* w = WindowByHandle(focused);
  if (!w || !w->Enabled() || !w->IsVisible() || application_minimized) return;
  const KeyEvent e{key, shift, repeat};
  const NativeHandle handle = w->Handle();
  Post([this, handle, e] {
    if (HeadlessWindow* target = WindowByHandle(handle); target && target->handler_) {
      target->handler_->WindowKeyDown(e);
    }
  });
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
