#include "platform/buffered/marking_device.h"

#include <algorithm>

namespace pf {
namespace {

// Until a clip is set the inner device's whole surface may be drawn on; the window cuts to it.
constexpr int kFar = 1 << 29;
constexpr Rect kEverywhere{-kFar, -kFar, kFar, kFar};

// GDI's reading of a rectangle with reversed corners: from the smaller coordinate plus one
// through the larger one.
Rect Normalised(const Rect& r) {
  Rect n = r;
  if (n.right < n.left) n = {AddSat(n.right, 1), n.top, AddSat(n.left, 1), n.bottom};
  if (n.bottom < n.top) n = {n.left, AddSat(n.bottom, 1), n.right, AddSat(n.top, 1)};
  return n;
}

Rect Around(Point at, const ImageView& image) {
  return {at.x, at.y, AddSat(at.x, image.width), AddSat(at.y, image.height)};
}

}  // namespace

MarkingDevice::MarkingDevice(std::unique_ptr<Device> inner,
                             std::function<void(const Rect&)> on_done)
    : inner_(std::move(inner)), on_done_(std::move(on_done)), clip_(kEverywhere) {}

MarkingDevice::~MarkingDevice() {
  if (on_done_) on_done_(touched_);
}

void MarkingDevice::Mark(const Rect& logical) {
  touched_ = touched_.Union(logical.Offset(origin_.x, origin_.y).Intersect(clip_));
}

void MarkingDevice::SetOrigin(Point origin) {
  origin_ = origin;
  inner_->SetOrigin(origin);
}

void MarkingDevice::SetClip(const Rect& device_rect) {
  clip_ = device_rect;
  inner_->SetClip(device_rect);
}

void MarkingDevice::FillRect(const Rect& r, ColorRef color) {
  Mark(Normalised(r));
  inner_->FillRect(r, color);
}

void MarkingDevice::FrameRect(const Rect& r, ColorRef color) {
  Mark(Normalised(r));
  inner_->FrameRect(r, color);
}

void MarkingDevice::DrawFocusRect(const Rect& r) {
  if (!r.IsEmpty()) Mark(r);
  inner_->DrawFocusRect(r);
}

void MarkingDevice::Polyline(const Point* points, int count, ColorRef pen) {
  if (points != nullptr && count > 0) {
    // A pen one pixel wide covers the pixel at each point and those between.
    const auto pixel = [](Point p) { return Rect{p.x, p.y, AddSat(p.x, 1), AddSat(p.y, 1)}; };
    Rect box = pixel(points[0]);
    for (int i = 1; i < count; ++i) box = box.Union(pixel(points[i]));
    Mark(box);
  }
  inner_->Polyline(points, count, pen);
}

// Glyphs may leave their cell: the whole clip may have changed.
void MarkingDevice::TextOutOpaque(Point at, std::string_view text, ColorRef fore, ColorRef back) {
  touched_ = touched_.Union(clip_);
  inner_->TextOutOpaque(at, text, fore, back);
}

void MarkingDevice::TextOutTransparent(Point at, std::string_view text, ColorRef fore) {
  touched_ = touched_.Union(clip_);
  inner_->TextOutTransparent(at, text, fore);
}

void MarkingDevice::DrawImage(Point at, const ImageView& image) {
  Mark(Around(at, image));
  inner_->DrawImage(at, image);
}

void MarkingDevice::DrawImageTransparent(Point at, const ImageView& image, ColorRef transparent) {
  Mark(Around(at, image));
  inner_->DrawImageTransparent(at, image, transparent);
}

void MarkingDevice::StretchKeyed(const Rect& dst, const ImageView& image, const Rect& src_rect,
                                 ColorRef key, ColorRef brush) {
  Mark(dst);
  inner_->StretchKeyed(dst, image, src_rect, key, brush);
}

}  // namespace pf
