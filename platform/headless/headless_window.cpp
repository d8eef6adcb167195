#include <algorithm>
#include <utility>

#include "platform/headless/headless_platform.h"
#include "platform/marking_device.h"

namespace pf::headless {

HeadlessWindow::HeadlessWindow(HeadlessPlatform& platform, const WindowParams& params,
                               WindowHandler* handler, NativeHandle handle)
    : platform_(platform), handler_(handler), handle_(handle), bounds_(params.bounds),
      layered_(params.layered), alpha_(params.alpha), title_(params.title) {
  ResizeSurface(bounds_.Width(), bounds_.Height());
}

HeadlessWindow::~HeadlessWindow() { platform_.WindowGone(this); }

void HeadlessWindow::Show(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  if (!visible) drawn_.Forget();
  platform_.Record("show " + std::to_string(handle_) + " " + (visible ? "1" : "0"));
  if (visible) Invalidate({0, 0, bounds_.Width(), bounds_.Height()});
}

bool HeadlessWindow::IsMinimized() const { return visible_ && platform_.application_minimized; }

void HeadlessWindow::SetBounds(const Rect& bounds) {
  const bool resized = bounds.Width() != bounds_.Width() || bounds.Height() != bounds_.Height();
  bounds_ = bounds;
  if (resized) {
    ResizeSurface(bounds.Width(), bounds.Height());
    Invalidate({0, 0, bounds.Width(), bounds.Height()});
  }
}

void HeadlessWindow::ResizeSurface(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  auto fresh = CreateSurface(width, height);
  if (surface_) fresh->NewDevice()->DrawImage({0, 0}, surface_->Pixels());
  surface_ = std::move(fresh);
}

void HeadlessWindow::SetOpacity(bool layered, std::uint8_t alpha) {
  if (layered == layered_ && alpha == alpha_) return;
  layered_ = layered;
  alpha_ = alpha;
  platform_.opacity_steps.push_back({platform_.Now(), layered, alpha});
}

void HeadlessWindow::Invalidate(const Rect& client_rect) {
  const Rect r = client_rect.Intersect({0, 0, bounds_.Width(), bounds_.Height()});
  invalid_ = invalid_.Union(r);
}

void HeadlessWindow::Update() {
  if (NeedsPaint()) PaintNow();
}

void HeadlessWindow::PaintNow() {
  const Rect update = invalid_;
  invalid_ = {};
  if (update.IsEmpty()) return;
  ++paint_count;
  const WeakRef<HeadlessWindow> self(this, life_);
  {
    auto device = surface_->NewDevice();
    device->SetClip(update);
    handler_->WindowPaint(*device, update);
  }
  if (!self.Alive()) return;
  Put(update);
  drawn_.PutByPaint(update);
  FlushDrawn();
}

void HeadlessWindow::Put(const Rect& r) {
  const Rect area = r.Intersect(ClientRect());
  if (visible_ && !area.IsEmpty()) puts.push_back(area);
}

void HeadlessWindow::FlushDrawn() {
  if (const std::optional<Rect> area = drawn_.TakeUnless(NeedsPaint())) Put(*area);
}

std::uint64_t HeadlessWindow::PutBytes() const {
  std::uint64_t bytes = 0;
  for (const Rect& r : puts) bytes += 4ull * static_cast<std::uint64_t>(r.Width()) * r.Height();
  return bytes;
}

std::unique_ptr<Device> HeadlessWindow::GetDevice() {
  return std::make_unique<MarkingDevice>(
      surface_->NewDevice(), [self = WeakRef<HeadlessWindow>(this, life_)](const Rect& touched) {
        HeadlessWindow* window = self.Get();
        if (window == nullptr || !window->visible_) return;
        window->drawn_.Mark(touched, window->ClientRect());
      });
}

void HeadlessWindow::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  platform_.Record("enable " + std::to_string(handle_) + " " + (enabled ? "1" : "0"));
  // A disabled window loses the mouse it held.
  if (!enabled && platform_.capture_ == this) ReleaseCapture();
}

void HeadlessWindow::SetFocus() {
  platform_.focused = handle_;
  platform_.Record("focus " + std::to_string(handle_));
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

ImageView HeadlessWindow::Pixels() const { return surface_->Pixels(); }

}  // namespace pf::headless
