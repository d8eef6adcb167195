// A form's pixels: the paint of its window, the devices its controls draw on outside a paint, and
// the focus cue placed where the current choice is; a designer's marks over a designed form.
#include "framework/controls/forms.h"

namespace fw {

void TCustomForm::Invalidate() { window_->Invalidate(ClientRect()); }

void TCustomForm::InvalidateArea(const TRect& area) {
  const TRect r = area.Intersect(ClientRect());
  if (!r.IsEmpty()) window_->Invalidate(r);
}

void TCustomForm::WindowPaint(pf::Device& device, const pf::Rect& update) {
  struct PaintScope {
    TCustomForm& form;
    PaintScope(TCustomForm& f, pf::Device& d, const pf::Rect& u) : form(f) {
      form.paint_device_ = &d;
      form.paint_clip_ = u;
    }
    ~PaintScope() { form.paint_device_ = nullptr; }
  } scope(*this, device, update);
  device.SetOrigin({0, 0});
  device.SetClip(update);
  device.FillRect(update, ColorToRGB(color_));
  Paint();
  PaintControls(device, update);
  // The update's pixels are fresh: the cue goes back on them where it is drawn.
  device.SetOrigin({0, 0});
  device.SetClip(update);
  choices_.PaintCue(device);
  if (designer_) designer_->PaintOver(device, update);
}

// A control draws straight on the window: where it draws over the cue (a neighbour overlapping
// the ring), the cue's inverted pixels are gone, and only a repaint puts them back right.
std::unique_ptr<pf::Device> TCustomForm::DrawingDevice(const TRect& area) {
  const std::optional<TRect>& cue = choices_.DrawnCue();
  if (cue && !cue->Intersect(area).IsEmpty()) InvalidateArea(*cue);
  if (designer_) InvalidateArea(area);  // for the designer's marks there
  return window_->GetDevice();
}

void TCustomForm::PlaceFocusCue() { choices_.PlaceCue(*window_); }

}  // namespace fw
