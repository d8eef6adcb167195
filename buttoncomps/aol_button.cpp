#include "buttoncomps/aol_button.h"

#include "buttoncomps/button_support.h"

namespace bc {

using fw::TColor;

const fw::ClassInfo& TAOLButton::StaticClass() {
  static const fw::ClassInfo info = [] {
    using T = TAOLButton;
    fw::ClassInfo c = fw::NewClass(
        "TAOLButton", &fw::TGraphicControl::StaticClass(),
        [](fw::TComponent* owner) -> fw::TComponent* { return new TAOLButton(owner); });
    auto& p = c.own_properties;
    p.push_back(fw::StringProp<T>("Caption", &T::Caption, &T::SetCap));
    p.push_back(fw::ColorProp<T>("Color", &T::Color, &T::SetCol));
    p.push_back(fw::ColorProp<T>("RaiseColor", &T::RaiseColor, &T::SetRaiseCol));
    p.push_back(fw::BooleanProp<T>("Enabled", FieldGet(&T::Enabled), FieldSet(&T::Enabled)));
    p.push_back(fw::EventProp<T>("OnMouseDown", &T::OnMouseDown));
    p.push_back(fw::EventProp<T>("OnMouseUp", &T::OnMouseUp));
    p.push_back(fw::EventProp<T>("OnMouseLeave", &T::OnMouseLeave));
    p.push_back(fw::EventProp<T>("OnClick", &T::OnClick));
    AppendHintAndFontProperties(p);
    return c;
  }();
  return info;
}

TAOLButton::TAOLButton(fw::TComponent* owner) : fw::TGraphicControl(owner) {
  SetBounds(Left(), Top(), 89, 23);
  color_.Store(0x00A56934);
  // Changing the font makes the button keep its own instead of its parent's.
  Font()->SetName("Arial");
  Font()->SetColor(fw::clWhite);
  Font()->SetSize(8);
  Font()->SetStyle({fw::TFontStyle::fsBold});
  Enabled = true;
  SetShowHint(true);
  raise_color_.Store(0x00D7A28A);
}

void TAOLButton::SetParent(fw::TWinControl* parent) {
  fw::TGraphicControl::SetParent(parent);
  if (parent) caption_.Store(Name());
}

void TAOLButton::Fill(TColor color, const pf::Rect& rect) {
  Canvas()->Brush()->SetColor(color);
  Canvas()->FillRect(rect);
}

void TAOLButton::Paint() {
  const pf::SatInt w = Width();
  const pf::SatInt h = Height();
  Canvas()->Font()->Assign(*Font());
  Fill(Color(), {1, 1, w - 1, h - 1});
  Fill(RaiseColor(), {1, 1, 3, h - 1});
  Fill(RaiseColor(), {1, 1, w - 1, 3});
  // Reversed corners: the shadow covers columns W-2..W-1 and rows H-2..H-1, the outer ones
  // under the frame.
  Fill(fw::clBlack, {w - 1, 1, w - 3, h - 1});
  Fill(fw::clBlack, {w - 1, h - 1, 1, h - 3});
  Canvas()->Font()->SetColor(Font()->Color());
  DrawCaption(0);
  Canvas()->Brush()->SetColor(fw::clBlack);
  Canvas()->FrameRect({0, 0, w, h});
}

void TAOLButton::DrawPressedLook() {
  const pf::SatInt w = Width();
  const pf::SatInt h = Height();
  Fill(Color(), {1, 1, w - 1, h - 1});
  Fill(fw::clBlack, {1, 1, w - 1, 2});
  // The canvas font stays as the latest Paint left it.
  DrawCaption(2);
  Canvas()->Brush()->SetColor(fw::clBlack);
  Canvas()->FrameRect({0, 0, w, h});
}

void TAOLButton::DrawCaption(int shift) {
  const pf::Size text = Canvas()->TextExtent(Caption());
  Canvas()->Brush()->SetColor(Color());
  Canvas()->TextOut(Half(Width()) - Half(text.cx) + shift, Half(Height()) - Half(text.cy) + shift,
                    Caption());
}

void TAOLButton::MouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
  fw::TGraphicControl::MouseDown(button, shift, x, y);
  if (button != fw::TMouseButton::mbLeft || !Enabled) return;
  if (!CallMouseEvent(*this, OnMouseDown, button, shift, x, y)) return;
  DrawPressedLook();
}

void TAOLButton::MouseUp(fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
  fw::TGraphicControl::MouseUp(button, shift, x, y);
  if (button != fw::TMouseButton::mbLeft || !Enabled) return;
  if (!CallMouseEvent(*this, OnMouseUp, button, shift, x, y)) return;
  // Edges 0 excluded, Width and Height included: one pixel off the framework's rectangle.
  if (x > 0 && x <= Width() && y > 0 && y <= Height()) Paint();
}

void TAOLButton::Click() {
  fw::TGraphicControl::Click();
  Paint();
  if (Enabled && OnClick) OnClick(this);
}

// Leaving repaints and ends here; entering goes to the base handling unchanged.
void TAOLButton::MouseLeave(fw::TMessage&) { Paint(); }

}  // namespace bc
