#include "buttoncomps/square_button.h"

#include "buttoncomps/button_support.h"

namespace bc {

using fw::TAlignment;
using fw::TColor;

const fw::ClassInfo& TSquareButton::StaticClass() {
  static const fw::ClassInfo info = [] {
    using T = TSquareButton;
    fw::ClassInfo c = fw::NewClass(
        "TSquareButton", &fw::TGraphicControl::StaticClass(),
        [](fw::TComponent* owner) -> fw::TComponent* { return new TSquareButton(owner); });
    auto& p = c.own_properties;
    AppendCommonProperties(p);
    p.push_back(fw::ColorProp<T>("ColorOverCaption", FieldGet(&T::ColorOverCaption),
                                 FieldSet(&T::ColorOverCaption)));
    p.push_back(fw::EnumProp<T, TAlignment>("Alignment", fw::kAlignmentNames, &T::Alignment,
                                            &T::SetAlment));
    p.push_back(fw::ColorProp<T>("ColorOverBorder", FieldGet(&T::ColorOverBorder),
                                 FieldSet(&T::ColorOverBorder)));
    p.push_back(fw::IntegerProp<T>("BorderWidth", &T::BorderWidth, &T::SetBWidth));
    p.push_back(fw::ColorProp<T>("DownBorderColor", FieldGet(&T::DownBorderColor),
                                 FieldSet(&T::DownBorderColor)));
    AppendHintAndFontProperties(p);
    return c;
  }();
  return info;
}

TSquareButton::TSquareButton(fw::TComponent* owner) : THoverButton(owner) {
  SetBounds(Left(), Top(), 113, 17);
  color_.Store(fw::clBtnFace);
  ColorOverCaption = fw::clWhite;
  color_border_.Store(fw::clBlack);
  // Changing the font makes the button keep its own instead of its parent's.
  Font()->SetName("Arial");
  Font()->SetColor(fw::clBlack);
  Font()->SetSize(8);
  Enabled = true;
  SetShowHint(true);
  alignment_.Store(TAlignment::taLeftJustify);
  ColorOverBorder = fw::clBlack;
  border_width_.Store(2);
  DownBorderColor = fw::clWhite;
}

void TSquareButton::Paint() {
  fw::TGraphicControl::Paint();
  Canvas()->Font()->Assign(*Font());
  DrawLook(Look::Normal);
}

void TSquareButton::MouseLeave(fw::TMessage&) { Paint(); }

void TSquareButton::DrawLook(Look look) {
  fw::TCanvas& canvas = *Canvas();
  canvas.Brush()->SetColor(Color());
  canvas.FillRect({0, 0, Width(), Height()});
  const pf::Point at = CaptionOrigin(canvas.TextExtent(Caption()));
  // The pressed look keeps whatever caption colour the drawing before it left.
  if (look == Look::Normal) canvas.Font()->SetColor(Font()->Color());
  if (look == Look::Hover) canvas.Font()->SetColor(ColorOverCaption);
  canvas.TextOut(at.x, at.y, Caption());
  const TColor strips = look == Look::Normal  ? ColorBorder()
                        : look == Look::Hover ? ColorOverBorder
                                              : DownBorderColor;
  DrawStrips(strips);
}

pf::Point TSquareButton::CaptionOrigin(pf::Size text) const {
  const pf::SatInt w = Width();
  const int y = Half(Height()) - Half(text.cy) - 1;
  switch (Alignment()) {
    case TAlignment::taRightJustify:
      return {w - text.cx - 7, y};
    case TAlignment::taCenter:
      return {Half(w) - Half(text.cx), y};
    default:
      return {6, y};
  }
}

void TSquareButton::DrawStrips(TColor color) {
  const int bw = BorderWidth();
  // A negative thickness would give reversed rectangles that paint column 0; it draws nothing.
  if (bw <= 0) return;
  const pf::SatInt w = Width();
  const pf::SatInt h = Height();
  Canvas()->Brush()->SetColor(color);
  Canvas()->FillRect({0, h - bw, w, h});
  Canvas()->FillRect({0, 0, bw, h});
}

}  // namespace bc
