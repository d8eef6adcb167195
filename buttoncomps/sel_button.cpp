#include "buttoncomps/sel_button.h"

#include <algorithm>

#include "buttoncomps/button_support.h"

namespace bc {

using fw::TAlignment;
using fw::TColor;

const fw::ClassInfo& TSelButton::StaticClass() {
  static const fw::ClassInfo info = [] {
    using T = TSelButton;
    fw::ClassInfo c = fw::NewClass(
        "TSelButton", &fw::TGraphicControl::StaticClass(),
        [](fw::TComponent* owner) -> fw::TComponent* { return new TSelButton(owner); });
    auto& p = c.own_properties;
    AppendCommonProperties(p);
    p.push_back(fw::ColorProp<T>("ColorOverCaption", FieldGet(&T::ColorOverCaption),
                                 FieldSet(&T::ColorOverCaption)));
    p.push_back(fw::ColorProp<T>("ColorOver", FieldGet(&T::ColorOver), FieldSet(&T::ColorOver)));
    p.push_back(fw::ColorProp<T>("ColorDown", FieldGet(&T::ColorDown), FieldSet(&T::ColorDown)));
    p.push_back(fw::EnumProp<T, TAlignment>("Alignment", fw::kAlignmentNames, &T::Alignment,
                                            &T::SetAlment));
    p.push_back(fw::IntegerProp<T>("BorderWidth", &T::BorderWidth, &T::SetBWidth));
    AppendHintAndFontProperties(p);
    return c;
  }();
  return info;
}

TSelButton::TSelButton(fw::TComponent* owner) : THoverButton(owner) {
  SetBounds(Left(), Top(), 105, 20);
  color_.Store(fw::clBtnFace);
  ColorOverCaption = fw::clBlack;
  ColorOver = 0x00A4B984;
  ColorDown = 0x00A4B984;
  color_border_.Store(fw::clGray);
  // Changing the font makes the button keep its own instead of its parent's.
  Font()->SetName("Arial");
  Font()->SetColor(fw::clGray);
  Font()->SetSize(8);
  Enabled = true;
  SetShowHint(true);
  alignment_.Store(TAlignment::taLeftJustify);
  border_width_.Store(1);
}

void TSelButton::Paint() {
  Canvas()->Font()->Assign(*Font());
  DrawLook(Look::Normal);
}

void TSelButton::DrawLook(Look look) {
  fw::TCanvas& canvas = *Canvas();
  const TColor fill = look == Look::Normal ? Color() : look == Look::Hover ? ColorOver : ColorDown;
  canvas.Brush()->SetColor(fill);
  canvas.FillRect({1, 1, pf::SatInt(Width()) - 1, pf::SatInt(Height()) - 1});
  // The pressed look keeps whatever caption colour the drawing before it left.
  if (look == Look::Normal) canvas.Font()->SetColor(Font()->Color());
  if (look == Look::Hover) canvas.Font()->SetColor(ColorOverCaption);
  const pf::Point at = CaptionOrigin(look, canvas.TextExtent(Caption()));
  canvas.TextOut(at.x, at.y, Caption());
  DrawFrame();
}

pf::Point TSelButton::CaptionOrigin(Look look, pf::Size text) const {
  const pf::SatInt w = Width();
  const bool pressed = look == Look::Pressed;
  const int y = Half(Height()) - Half(text.cy) + (pressed ? 1 : 0);
  switch (Alignment()) {
    case TAlignment::taRightJustify:
      // The pressed caption moves one pixel left here, not right.
      return {w - text.cx - (pressed ? 7 : 6), y};
    case TAlignment::taCenter:
      return {Half(w) - Half(text.cx) + (pressed ? 1 : 0), y};
    default:
      return {pressed ? 6 : 5, y};
  }
}

void TSelButton::DrawFrame() {
  const pf::SatInt w = Width();
  const pf::SatInt h = Height();
  // Outlines past the middle would be empty; stopping there keeps a huge width cheap.
  const int rings = std::min(BorderWidth(), (std::min(w, h) + 1) / 2);
  Canvas()->Brush()->SetColor(ColorBorder());
  for (int i = 0; i < rings; ++i) Canvas()->FrameRect({i, i, w - i, h - i});
}

}  // namespace bc
