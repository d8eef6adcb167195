#include "framework/controls/image.h"

namespace fw {

const ClassInfo& TImage::StaticClass() {
  static const ClassInfo info = [] {
    using T = TImage;
    ClassInfo c = NewClass("TImage", &TGraphicControl::StaticClass(),
                           [](TComponent* owner) -> TComponent* { return new TImage(owner); });
    auto& p = c.own_properties;
    p.push_back(BooleanProp<T>("AutoSize", &T::AutoSize, &T::SetAutoSize, false));
    p.push_back(BytesProp<T>("Picture.Data", &T::PictureData, &T::SetPictureData));
    p.push_back(BooleanProp<T>("Visible", &T::Visible, &T::SetVisible, true));
    return c;
  }();
  return info;
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TPicture>()) {
  SetBounds(Left(), Top(), 105, 105);
  picture_->OnChange = [this] { PictureChanged(); };
}

TImage::~TImage() = default;

void TImage::SetAutoSize(bool auto_size) {
  auto_size_ = auto_size;
  PictureChanged();
}

void TImage::PictureChanged() {
  // Made ready now, while the form is built, so that the first paint finds the pixels.
  if (const TGraphic* graphic = picture_->Graphic()) graphic->Prepare();
  if (auto_size_ && !picture_->Empty()) {
    SetBounds(Left(), Top(), picture_->Width(), picture_->Height());
  }
  Invalidate();
}

void TImage::Paint() { Canvas()->Draw(0, 0, picture_->Graphic()); }

}  // namespace fw
