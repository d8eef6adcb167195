#include "framework/controls/control_canvas.h"

#include "framework/controls/control.h"

namespace fw {

TCanvas::Lease TControlCanvas::Acquire() {
  TControlHost* host = control_.Parent() ? control_.Host() : nullptr;
  if (!host) {
    throw EInvalidOperation(Format("Control '%s' has no parent window", control_.Name().c_str()));
  }
  const pf::Point origin = control_.ClientToForm({0, 0});
  const pf::Point parent_origin = control_.Parent()->ClientToForm({0, 0});
  const pf::Rect parent_area{parent_origin.x, parent_origin.y,
                             pf::AddSat(parent_origin.x, control_.Parent()->ClientWidth()),
                             pf::AddSat(parent_origin.y, control_.Parent()->ClientHeight())};
  pf::Rect area = pf::Rect{origin.x, origin.y, pf::AddSat(origin.x, control_.Width()),
                           pf::AddSat(origin.y, control_.Height())}
                      .Intersect(parent_area);
  if (pf::Device* paint = host->PaintDevice()) {
    paint->SetOrigin(origin);
    paint->SetClip(area.Intersect(host->PaintClip()));
    return Lease(*paint);
  }
  std::unique_ptr<pf::Device> device = host->DrawingDevice(area);
  device->SetOrigin(origin);
  device->SetClip(area);
  pf::Device& ref = *device;
  return Lease(ref, std::move(device));
}

}  // namespace fw
