// A form and the mouse: each event goes to the control under it (or the one holding the mouse),
// under the click rule, or to the designer of a designed form; the pointer is reported to the
// application, which keeps where it is.
#include "framework/controls/forms.h"
#include "framework/controls/forms_application.h"

namespace fw {

namespace {
TMouseButton ButtonOf(pf::MouseButton b) {
  switch (b) {
    case pf::MouseButton::Right: return TMouseButton::mbRight;
    case pf::MouseButton::Middle: return TMouseButton::mbMiddle;
    default: return TMouseButton::mbLeft;
  }
}

// Whether `control` and every control it lies in on the form take input: then a hit test that
// passes over disabled controls finds it too.
bool TakesInputOn(const TControl& control, const TCustomForm& form) {
  for (const TControl* c = &control; c && c != &form; c = c->Parent()) {
    if (!c->GetEnabled()) return false;
  }
  return true;
}

}  // namespace

// One hit test for the event and for the idle after it: the topmost control under `pos`,
// disabled ones included, which the application records with the pointer. A disabled control
// there (or one in a disabled container) costs a second, for what takes input beneath it.
TControl* TCustomForm::MouseEventTarget(pf::Point pos, TPoint* local) {
  TControl* under = FindControlAt(pos, true);
  TFormsApplication* app = FormsApplication();
  if (app) app->PointerAt(*this, pos, under);
  TControl* target = app ? app->CaptureControl() : nullptr;
  if (target && target->ParentForm() != this) target = nullptr;
  if (!target) target = TakesInputOn(*under, *this) ? under : FindControlAt(pos, false);
  const TPoint origin = target->ClientToForm({0, 0});
  *local = {pf::SubSat(pos.x, origin.x), pf::SubSat(pos.y, origin.y)};
  return target;
}

bool TCustomForm::ForDesigner(pf::Point pos) {
  if (!designer_) return false;
  if (TFormsApplication* app = FormsApplication()) app->PointerAt(*this, pos, nullptr);
  return true;
}

void TCustomForm::WindowMouseDown(const pf::MouseEvent& e) {
  if (ForDesigner(e.pos)) {
    designer_->FormMouseDown(e);
    return;
  }
  TPoint p;
  TControl* target = MouseEventTarget(e.pos, &p);
  TFormsApplication* app = FormsApplication();
  const TMouseButton button = ButtonOf(e.button);
  if (button == TMouseButton::mbLeft && app) {
    app->SetCaptureControl(target);
    // The second press of a double click starts no click.
    target->SetClicked((e.shift & pf::kDoubleClick) == 0);
  }
  target->MouseDown(button, TShiftState(e.shift), p.x, p.y);
}

void TCustomForm::WindowMouseUp(const pf::MouseEvent& e) {
  if (ForDesigner(e.pos)) {
    designer_->FormMouseUp(e);
    return;
  }
  TPoint p;
  TControl* target = MouseEventTarget(e.pos, &p);
  TFormsApplication* app = FormsApplication();
  const TMouseButton button = ButtonOf(e.button);
  const auto watch = WeakRefTo(target);
  if (button == TMouseButton::mbLeft && app) {
    app->SetCaptureControl(nullptr);
    if (target->Clicked()) {
      target->SetClicked(false);
      if (target->ClientRect().Contains(p)) target->Click();
    }
  }
  if (watch.Alive()) target->MouseUp(button, TShiftState(e.shift), p.x, p.y);
}

void TCustomForm::WindowMouseMove(unsigned shift, pf::Point pos) {
  if (ForDesigner(pos)) {
    designer_->FormMouseMove(shift, pos);
    return;
  }
  TPoint p;
  TControl* target = MouseEventTarget(pos, &p);
  UpdateCursor(target);
  target->MouseMove(TShiftState(shift), p.x, p.y);
}

void TCustomForm::UpdateCursor(TControl* control) {
  TCursor cursor = crDefault;
  for (TControl* c = control; c && cursor == crDefault; c = c->Parent()) cursor = c->Cursor();
  window_->SetCursor(CursorShapeOf(cursor));
}

void TCustomForm::WindowPointerLeft() {
  if (TFormsApplication* app = FormsApplication()) app->PointerLeft(*this);
}

void TCustomForm::WindowCaptureLost() {
  if (designer_) {
    designer_->FormCaptureLost();
    return;
  }
  ReleaseMouseControl();
}

void TCustomForm::ReleaseMouseControl() {
  TFormsApplication* app = FormsApplication();
  if (!app) return;
  TControl* captured = app->CaptureControl();
  if (captured && captured->ParentForm() == this) {
    captured->SetClicked(false);
    app->SetCaptureControl(nullptr);
  }
}

}  // namespace fw
