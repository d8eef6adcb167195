#include "framework/controls/label.h"

#include "framework/controls/control_font.h"

namespace fw {

const ClassInfo& TLabel::StaticClass() {
  static const ClassInfo info = [] {
    using T = TLabel;
    ClassInfo c = NewClass("TLabel", &TGraphicControl::StaticClass(),
                           [](TComponent* owner) -> TComponent* { return new TLabel(owner); });
    auto& p = c.own_properties;
    p.push_back(EnumProp<T, TAlignment>("Alignment", kAlignmentNames, &T::Alignment,
                                        &T::SetAlignment, TAlignment::taLeftJustify));
    p.push_back(BooleanProp<T>("AutoSize", &T::AutoSize, &T::SetAutoSize, true));
    p.push_back(StringProp<T>("Caption", &T::Caption, &T::SetCaption, String()));
    p.push_back(ColorProp<T>("Color", &T::Color, &T::SetColor, clBtnFace));
    p.push_back(BooleanProp<T>("Transparent", &T::Transparent, &T::SetTransparent, false));
    p.push_back(BooleanProp<T>("Visible", &T::Visible, &T::SetVisible, true));
    for (PropInfo& font : FontProperties()) p.push_back(std::move(font));
    return c;
  }();
  return info;
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) { AdjustSize(); }

void TLabel::SetCaption(const String& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  AdjustSize();
  Invalidate();
}

void TLabel::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  Invalidate();
}

void TLabel::SetColor(TColor color) {
  color_ = color;
  Invalidate();
}

void TLabel::SetTransparent(bool transparent) {
  transparent_ = transparent;
  Invalidate();
}

void TLabel::SetAutoSize(bool auto_size) {
  auto_size_ = auto_size;
  AdjustSize();
}

void TLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustSize();
}

// A description gives the caption and the font one by one: the size follows once all are read.
void TLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustSize();
}

void TLabel::AdjustSize() {
  if (!auto_size_ || HasState(ComponentState::Reading)) return;
  const pf::Size size = CaptionSize();
  SetBounds(Left(), Top(), size.cx, size.cy);
}

// Measured on a device of its own: the label may have no window yet.
pf::Size TLabel::CaptionSize() const {
  const std::unique_ptr<pf::Surface> surface = pf::CreateSurface(1, 1);
  const std::unique_ptr<pf::Device> device = surface->NewDevice();
  device->SelectFont(Font()->Logical());
  return device->TextExtent(caption_);
}

void TLabel::Paint() {
  TCanvas& canvas = *Canvas();
  if (!transparent_) {
    canvas.Brush()->SetColor(color_);
    canvas.FillRect(ClientRect());
  }
  canvas.Font()->Assign(*Font());
  const int spare = Width() - canvas.TextWidth(caption_);
  const int x = alignment_ == TAlignment::taRightJustify ? spare
                : alignment_ == TAlignment::taCenter     ? spare / 2
                                                         : 0;
  canvas.TextOutTransparent(x, 0, caption_);
}

}  // namespace fw
