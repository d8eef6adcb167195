#include "framework/graphics/canvas.h"

#include <vector>

namespace fw {

TCanvas::TCanvas()
    : font_(std::make_unique<TFont>()),
      brush_(std::make_unique<TBrush>()),
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
  device->StretchKeyed(dest, bitmap->View(), source, ColorToRGB(key), ColorToRGB(brush_->Color()));
}

TColor TCanvas::Pixel(int x, int y) {
  Lease device = Acquire();
  const pf::ColorRef c = device->GetPixel({x, y});
  return c == pf::kInvalidColor ? static_cast<TColor>(-1) : static_cast<TColor>(c);
}

}  // namespace fw
