#include "framework/controls/graphic_control.h"

namespace fw {

const ClassInfo& TGraphicControl::StaticClass() {
  static const ClassInfo info = NewClass("TGraphicControl", &TControl::StaticClass());
  return info;
}

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), canvas_(std::make_unique<TControlCanvas>(*this)) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::PaintOn(pf::Device&, const TRect&) {
  // The control canvas picks up the paint device from the form while the paint is under way.
  Paint();
}

}  // namespace fw
