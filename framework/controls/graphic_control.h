#pragma once
#include <memory>

#include "framework/controls/control.h"
#include "framework/controls/control_canvas.h"

namespace fw {

// A control without a window of its own, drawing through its canvas onto its parent's window.
class TGraphicControl : public TControl {
  QF_PUBLISHED_CLASS()

 public:
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;
  TCanvas* Canvas() const { return canvas_.get(); }
  virtual void Paint() {}
  void PaintOn(pf::Device& device, const TRect& form_clip) override;

 private:
  std::unique_ptr<TControlCanvas> canvas_;
};

}  // namespace fw
