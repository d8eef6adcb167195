#pragma once
#include "framework/graphics/canvas.h"

namespace fw {

class TControl;

// A control's canvas: origin at the control's top-left corner, clipped to it. Inside a repaint it
// draws on the paint device, outside one on a device of the parent window.
class TControlCanvas : public TCanvas {
 public:
  explicit TControlCanvas(TControl& control) : control_(control) {}

 protected:
  Lease Acquire() override;

 private:
  TControl& control_;
};

}  // namespace fw
