#include "buttoncomps/encarta_button.h"

#include "buttoncomps/button_support.h"

namespace bc {

using fw::TColor;

const fw::ClassInfo& TEncartaButton::StaticClass() {
  static const fw::ClassInfo info = [] {
    using T = TEncartaButton;
    fw::ClassInfo c = fw::NewClass("TEncartaButton", &fw::TGraphicControl::StaticClass(),
                                   [](fw::TComponent* owner) -> fw::TComponent* {
                                     return new TEncartaButton(owner);
                                   });
    auto& p = c.own_properties;
    AppendCommonProperties(p);
    p.push_back(fw::BytesProp<T>("Glyph.Data", &T::GlyphData, &T::SetGlyphData));
    p.push_back(fw::ColorProp<T>("ColorOverCaption", FieldGet(&T::ColorOverCaption),
                                 FieldSet(&T::ColorOverCaption)));
    p.push_back(fw::ColorProp<T>("ColorOver", FieldGet(&T::ColorOver), FieldSet(&T::ColorOver)));
    p.push_back(fw::ColorProp<T>("ColorDown", FieldGet(&T::ColorDown), FieldSet(&T::ColorDown)));
    p.push_back(fw::BooleanProp<T>("ShowCaption", &T::ShowCaption, &T::SetSCap));
    AppendHintAndFontProperties(p);
    return c;
  }();
  return info;
}

TEncartaButton::TEncartaButton(fw::TComponent* owner) : THoverButton(owner) {
  SetBounds(Left(), Top(), 86, 22);
  color_.Store(fw::clBtnFace);
  ColorOverCaption = 0x00000000;
  ColorOver = 0x000ABED8;
  ColorDown = 0x000ABED8;
  color_border_.Store(0x00828F99);
  // Changing the font makes the button keep its own instead of its parent's.
  Font()->SetName("Arial");
  Font()->SetColor(fw::clBlack);
  Enabled = true;
  glyph_ = std::make_unique<fw::TBitmap>();
  SetShowHint(true);
  show_caption_.Store(true);
}

TEncartaButton::~TEncartaButton() = default;

void TEncartaButton::SetBmp(const fw::TBitmap* bitmap) {
  glyph_->Assign(bitmap);
  Invalidate();
}

std::string TEncartaButton::GlyphData() const {
  return glyph_->Empty() ? std::string() : fw::BitmapToData(*glyph_);
}

void TEncartaButton::SetGlyphData(const std::string& data) {
  fw::TBitmap decoded;
  if (!data.empty()) fw::BitmapFromData(decoded, data);
  SetBmp(&decoded);
}

void TEncartaButton::Paint() {
  Canvas()->Font()->Assign(*Font());
  DrawLook(Look::Normal);
}

void TEncartaButton::DrawLook(Look look) {
  fw::TCanvas& canvas = *Canvas();
  const pf::Size text = canvas.TextExtent(Caption());
  const pf::SatInt w = Width();
  const pf::SatInt h = Height();
  const TColor fill = look == Look::Normal ? Color() : look == Look::Hover ? ColorOver : ColorDown;
  canvas.Brush()->SetColor(fill);
  canvas.FillRect({1, 1, w - 1, h - 1});
  // The pressed look keeps whatever caption colour the drawing before it left.
  if (look == Look::Normal) canvas.Font()->SetColor(Font()->Color());
  if (look == Look::Hover) canvas.Font()->SetColor(ColorOverCaption);
  DrawContent(look == Look::Pressed ? 1 : 0, text);
  canvas.Brush()->SetColor(ColorBorder());
  canvas.FrameRect({0, 0, w, h});
  if (look != Look::Normal) DrawBevel(look);
}

void TEncartaButton::DrawContent(int d, pf::Size text) {
  const pf::SatInt w = Width();
  const pf::SatInt h = Height();
  const int tw = text.cx;
  const int th = text.cy;
  const bool has_glyph = !glyph_->Empty();
  const int gw = glyph_->Width();
  const int gh = glyph_->Height();
  const int glyph_top = Half(h) - Half(gh) + d;
  if (has_glyph && ShowCaption()) {
    // The destination starts one column early, so the picture is stretched by one column.
    const int x0 = Half(w) - Half(gw + tw);
    DrawGlyph({x0 - 1 + d, glyph_top, x0 + gw + d, glyph_top + gh});
    Canvas()->TextOut(Half(w) + Half(gw - tw) + 4 + d, Half(h) - Half(th) + d, Caption());
  } else if (has_glyph) {
    const int left = Half(w) - Half(gw) + d;
    DrawGlyph({left, glyph_top, left + gw, glyph_top + gh});
  } else if (ShowCaption()) {
    Canvas()->TextOut(Half(w) - Half(tw) + d, Half(h) - Half(th) + d, Caption());
  }
}

void TEncartaButton::DrawGlyph(const pf::Rect& dest) {
  // The top-left pixel's colour is see-through: the brush still holds the look's fill.
  const auto key = static_cast<TColor>(glyph_->Pixel(0, 0));
  Canvas()->BrushCopy(dest, glyph_.get(), {0, 0, glyph_->Width(), glyph_->Height()}, key);
}

void TEncartaButton::DrawBevel(Look look) {
  fw::TCanvas& canvas = *Canvas();
  const pf::SatInt w = Width();
  const pf::SatInt h = Height();
  auto left_and_top = [&](TColor pen) {
    canvas.Pen()->SetColor(pen);
    canvas.Polyline({{0, h - 2}, {0, 0}});
    canvas.Polyline({{0, 0}, {w - 1, 0}});
  };
  auto right_and_bottom = [&](TColor pen) {
    canvas.Pen()->SetColor(pen);
    canvas.Polyline({{w - 1, 0}, {w - 1, h}});
    canvas.Polyline({{w, h - 1}, {-1, h - 1}});
  };
  if (look == Look::Hover) {
    left_and_top(kLightEdge);
    right_and_bottom(kDarkEdge);
  } else {
    right_and_bottom(kLightEdge);
    left_and_top(kDarkEdge);
  }
}

}  // namespace bc
