#pragma once
// A design environment, as the form it designs sees it (TCustomForm::SetDesigner): while attached,
// it gets the form's window events instead of the controls, and draws its marks over the form.
#include "platform/device.h"
#include "platform/platform.h"

namespace fw {

class TFormDesigner {
 public:
  // The window's events, as it reports them (client coordinates of the form).
  virtual void FormMouseDown(const pf::MouseEvent& e) = 0;
  virtual void FormMouseUp(const pf::MouseEvent& e) = 0;
  virtual void FormMouseMove(unsigned shift, pf::Point pos) = 0;
  virtual void FormKeyDown(const pf::KeyEvent& e) = 0;
  virtual void FormKeyPress(char c) { (void)c; }
  // The user or the system asks the window to close.
  virtual void FormCloseRequest() = 0;
  // The window lost the mouse capture that the designer took (form.Window().SetCapture()).
  virtual void FormCaptureLost() {}
  // Draws the marks after the form painted `clip` (form client coordinates), on the paint's
  // device, its origin the form's and clipped to `clip`. What the marks cover, the designer
  // invalidates (TCustomForm::InvalidateArea) when they change.
  virtual void PaintOver(pf::Device& device, const pf::Rect& clip) = 0;

 protected:
  ~TFormDesigner() = default;
};

}  // namespace fw
