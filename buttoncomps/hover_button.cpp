#include "buttoncomps/hover_button.h"

#include "buttoncomps/button_support.h"

namespace bc {

void THoverButton::AppendCommonProperties(std::vector<fw::PropInfo>& p) {
  using T = THoverButton;
  p.push_back(fw::StringProp<T>("Caption", &T::Caption, &T::SetCap));
  p.push_back(fw::ColorProp<T>("Color", &T::Color, &T::SetCol));
  p.push_back(fw::ColorProp<T>("ColorBorder", &T::ColorBorder, &T::SetBorder));
  p.push_back(fw::BooleanProp<T>("Enabled", FieldGet(&T::Enabled), FieldSet(&T::Enabled)));
  p.push_back(fw::EventProp<T>("OnMouseDown", &T::OnMouseDown));
  p.push_back(fw::EventProp<T>("OnMouseUp", &T::OnMouseUp));
  p.push_back(fw::EventProp<T>("OnMouseEnter", &T::OnMouseEnter));
  p.push_back(fw::EventProp<T>("OnMouseLeave", &T::OnMouseLeave));
  p.push_back(fw::EventProp<T>("OnClick", &T::OnClick));
}

void THoverButton::SetParent(fw::TWinControl* parent) {
  fw::TGraphicControl::SetParent(parent);
  if (parent) caption_.Store(Name());
}

void THoverButton::MouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
  fw::TGraphicControl::MouseDown(button, shift, x, y);
  if (button != fw::TMouseButton::mbLeft || !Enabled) return;
  if (!CallMouseEvent(*this, OnMouseDown, button, shift, x, y)) return;
  DrawLook(Look::Pressed);
}

void THoverButton::MouseUp(fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
  fw::TGraphicControl::MouseUp(button, shift, x, y);
  if (button != fw::TMouseButton::mbLeft || !Enabled) return;
  if (!CallMouseEvent(*this, OnMouseUp, button, shift, x, y)) return;
  // Where the cursor is now, not where the release happened.
  if (!IsUnderPointer(*this)) return;
  DrawLook(Look::Hover);
}

void THoverButton::Click() {
  fw::TGraphicControl::Click();
  Paint();
  if (Enabled && OnClick) OnClick(this);
}

void THoverButton::MouseEnter(fw::TMessage&) {
  if (Enabled) DrawLook(Look::Hover);
}

void THoverButton::MouseLeave(fw::TMessage&) { DrawLook(Look::Normal); }

}  // namespace bc
