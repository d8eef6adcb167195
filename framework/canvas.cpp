#include "framework/canvas.h"

#include <vector>

#include "framework/controls.h"
#include "framework/forms.h"

namespace fw {

TCanvas::TCanvas()
    : font_(std::make_unique<TFont>()), brush_(std::make_unique<TBrush>()),
      pen_(std::make_unique<TPen>()) {}

TCanvas::~TCanvas() = default;

void TCanvas::FillRect(const pf::Rect& rect) {
  Lease device = Acquire();
  device->FillRect(rect, ColorToRGB(brush_->Color()));
}

void TCanvas::FrameRect(const pf::Rect& rect) {
  Lease device = Acquire();
  device->FrameRect(rect, ColorToRGB(brush_->Color()));
}

void TCanvas::Polyline(std::initializer_list<pf::Point> points) {
  Lease device = Acquire();
  const std::vector<pf::Point> list(points);
  device->Polyline(list.data(), static_cast<int>(list.size()), ColorToRGB(pen_->Color()));
}

void TCanvas::TextOut(int x, int y, const String& text) {
  Lease device = Acquire();
  device->SelectFont(font_->Logical());
  device->TextOutOpaque({x, y}, text, ColorToRGB(font_->Color()), ColorToRGB(brush_->Color()));
}

pf::Size TCanvas::TextExtent(const String& text) {
  Lease device = Acquire();
  device->SelectFont(font_->Logical());
  return device->TextExtent(text);
}

void TCanvas::Draw(int x, int y, const TGraphic* graphic) {
  if (!graphic || graphic->Empty()) return;
  Lease device = Acquire();
  graphic->Draw(*device, {x, y});
}

void TCanvas::BrushCopy(const pf::Rect& dest, const TBitmap* bitmap, const pf::Rect& source,
                        TColor key) {
  if (!bitmap || bitmap->Empty()) return;
  Lease device = Acquire();
  device->StretchKeyed(dest, bitmap->View(), source, ColorToRGB(key),
                       ColorToRGB(brush_->Color()));
}

TColor TCanvas::Pixel(int x, int y) {
  Lease device = Acquire();
  const pf::ColorRef c = device->GetPixel({x, y});
  return c == pf::kInvalidColor ? static_cast<TColor>(-1) : static_cast<TColor>(c);
}

TCanvas::Lease TControlCanvas::Acquire() {
  TCustomForm* form = control_.Parent() ? control_.ParentForm() : nullptr;
  if (!form) {
    throw EInvalidOperation(
        Format("Control '%s' has no parent window", control_.Name().c_str()));
  }
  const pf::Point origin = control_.ClientToForm({0, 0});
  const pf::Point parent_origin = control_.Parent()->ClientToForm({0, 0});
  const pf::Rect parent_area{parent_origin.x, parent_origin.y,
                             pf::AddSat(parent_origin.x, control_.Parent()->ClientWidth()),
                             pf::AddSat(parent_origin.y, control_.Parent()->ClientHeight())};
  pf::Rect area = pf::Rect{origin.x, origin.y, pf::AddSat(origin.x, control_.Width()),
                           pf::AddSat(origin.y, control_.Height())}
                      .Intersect(parent_area);
  if (pf::Device* paint = form->PaintDevice()) {
    paint->SetOrigin(origin);
    paint->SetClip(area.Intersect(form->PaintClip()));
    return Lease(*paint);
  }
  std::unique_ptr<pf::Device> device = form->Window().GetDevice();
  device->SetOrigin(origin);
  device->SetClip(area);
  pf::Device& ref = *device;
  return Lease(ref, std::move(device));
}

}  // namespace fw
