#include <algorithm>
#include <utility>

#include "platform/headless/headless_platform.h"

namespace pf::headless {

HeadlessWindow::HeadlessWindow(HeadlessPlatform& platform, const WindowParams& params,
                               WindowHandler* handler, NativeHandle handle)
    : platform_(platform), handler_(handler), handle_(handle), bounds_(params.bounds),
      buffer_(*this, std::max(bounds_.Width(), 0), std::max(bounds_.Height(), 0)),
      borderless_(params.borderless), layered_(params.layered), alpha_(params.alpha),
      title_(params.title) {}

HeadlessWindow::~HeadlessWindow() { platform_.WindowGone(this); }

void HeadlessWindow::Show(bool visible) {
  if (visible == IsVisible()) return;
  if (visible) {
    buffer_.Show();
  } else {
    buffer_.Hide();  // nothing to take off a screen
  }
  platform_.Record("show " + std::to_string(handle_) + " " + (visible ? "1" : "0"));
  // Shown, it is activated, as ShowWindow's SW_SHOW does; hidden, it gives up the focus.
  if (visible && !platform_.application_minimized) platform_.MoveFocus(handle_);
  if (!visible && platform_.focused == handle_) platform_.MoveFocus(0);
}

bool HeadlessWindow::IsMinimized() const { return IsVisible() && platform_.application_minimized; }

void HeadlessWindow::SetBounds(const Rect& bounds) {
  const bool resized = bounds.Width() != bounds_.Width() || bounds.Height() != bounds_.Height();
  bounds_ = bounds;
  if (resized) buffer_.Resize(std::max(bounds.Width(), 0), std::max(bounds.Height(), 0));
}

void HeadlessWindow::SetOpacity(bool layered, std::uint8_t alpha) {
  if (layered == layered_ && alpha == alpha_) return;
  layered_ = layered;
  alpha_ = alpha;
  platform_.opacity_steps.push_back({platform_.Now(), layered, alpha});
}

void HeadlessWindow::Invalidate(const Rect& client_rect) { buffer_.Invalidate(client_rect); }

void HeadlessWindow::Update() {
  if (NeedsPaint()) PaintNow();
}

void HeadlessWindow::PaintNow() {
  if (!InvalidRect().IsEmpty()) ++paint_count;
  buffer_.Paint(*handler_);
}

void HeadlessWindow::PutOnScreen(const ImageView&, const Rect& area) { puts.push_back(area); }

// The map shows the whole buffer.
void HeadlessWindow::MapWithBuffer(const ImageView& buffer) {
  puts.push_back({0, 0, buffer.width, buffer.height});
}

std::uint64_t HeadlessWindow::PutBytes() const {
  std::uint64_t bytes = 0;
  for (const Rect& r : puts) bytes += 4ull * static_cast<std::uint64_t>(r.Width()) * r.Height();
  return bytes;
}

std::unique_ptr<Device> HeadlessWindow::GetDevice() { return buffer_.NewDrawingDevice(); }

void HeadlessWindow::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  platform_.Record("enable " + std::to_string(handle_) + " " + (enabled ? "1" : "0"));
  // A disabled window loses the mouse it held.
  if (!enabled && platform_.capture_ == this) ReleaseCapture();
}

void HeadlessWindow::SetFocus() {
  platform_.Record("focus " + std::to_string(handle_));
  platform_.MoveFocus(handle_);
}

void HeadlessWindow::SetCapture() {
  HeadlessWindow* previous = platform_.capture_;
  platform_.capture_ = this;
  if (previous && previous != this) previous->handler_->WindowCaptureLost();
}

void HeadlessWindow::ReleaseCapture() {
  if (platform_.capture_ != this) return;
  platform_.capture_ = nullptr;
  // As on Windows, the window that loses the capture hears of it, also when it let go itself.
  handler_->WindowCaptureLost();
}

}  // namespace pf::headless
