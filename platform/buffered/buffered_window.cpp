#include "platform/buffered/buffered_window.h"

#include <utility>

#include "platform/buffered/marking_device.h"

namespace pf {

BufferedWindow::BufferedWindow(ScreenPort& port, int width, int height)
    : port_(port), surface_(CreateSurface(width, height)) {}

void BufferedWindow::Show() {
  if (IsShown()) return;
  stage_ = Stage::kShown;
  Invalidate(ClientRect());
}

bool BufferedWindow::Hide() {
  const bool was_mapped = IsMapped();
  stage_ = Stage::kHidden;
  drawn_.Forget();
  return was_mapped;
}

void BufferedWindow::Resize(int width, int height) {
  std::unique_ptr<Surface> fresh = CreateSurface(width, height);
  fresh->NewDevice()->DrawImage({0, 0}, surface_->Pixels());
  surface_ = std::move(fresh);
  Invalidate(ClientRect());
}

Rect BufferedWindow::ClientRect() const { return {0, 0, surface_->Width(), surface_->Height()}; }

void BufferedWindow::Invalidate(const Rect& client_rect) {
  invalid_ = invalid_.Union(client_rect.Intersect(ClientRect()));
}

void BufferedWindow::Paint(WindowHandler& handler) {
  const Rect update = std::exchange(invalid_, Rect{});
  if (update.IsEmpty()) return;
  const WeakRef<BufferedWindow> self(this, life_);
  {
    std::unique_ptr<Device> device = surface_->NewDevice();
    device->SetClip(update);
    handler.WindowPaint(*device, update);
  }
  if (!self.Alive()) return;
  buffer_as_mapped_ = false;
  switch (stage_) {
    case Stage::kHidden: return;
    case Stage::kShown: Map(); return;
    case Stage::kMapped:
      Put(update);
      drawn_.PutByPaint(update);
      FlushDrawn();
      return;
  }
}

void BufferedWindow::EnsureMapped(WindowHandler& handler) {
  if (stage_ != Stage::kShown) return;
  if (NeedsPaint()) {
    Paint(handler);
  } else {
    Map();
  }
}

// The map shows the whole buffer: what was drawn before it goes out with it.
void BufferedWindow::Map() {
  stage_ = Stage::kMapped;
  buffer_as_mapped_ = true;
  drawn_.Forget();
  port_.MapWithBuffer(Pixels());
}

void BufferedWindow::FlushDrawn() {
  for (const Rect& area : drawn_.TakeUnless(NeedsPaint())) Put(area);
}

void BufferedWindow::Put(const Rect& r) {
  const Rect area = r.Intersect(ClientRect());
  if (area.IsEmpty() || !IsMapped()) return;
  port_.PutOnScreen(Pixels(), area);
}

void BufferedWindow::Exposed(const Rect& client_rect) {
  if (!buffer_as_mapped_) drawn_.Mark(client_rect, ClientRect());
}

void BufferedWindow::Drawn(const Rect& touched) {
  if (touched.IsEmpty()) return;
  buffer_as_mapped_ = false;
  drawn_.Mark(touched, ClientRect());
}

std::unique_ptr<Device> BufferedWindow::NewDrawingDevice() {
  return std::make_unique<MarkingDevice>(
      surface_->NewDevice(), [self = WeakRef<BufferedWindow>(this, life_)](const Rect& touched) {
        if (BufferedWindow* window = self.Get()) window->Drawn(touched);
      });
}

}  // namespace pf
