#include "buttoncomps/image_button.h"

#include "buttoncomps/button_support.h"
#include "framework/objects/props.h"

namespace bc {
namespace {

using fw::TBitmap;

// A picture property as a byte block: the 4-byte length and the bitmap file, nothing when empty.
// Reading puts the value straight into the picture: no setter, no resize, no redraw.
fw::PropInfo PictureProp(const char* name, TBitmap* (TImageButton::*picture)() const) {
  using T = TImageButton;
  return fw::BytesProp<T>(
      name,
      [picture](const T& b) {
        const TBitmap& p = *(b.*picture)();
        return p.Width() > 0 ? fw::BitmapToData(p) : std::string();
      },
      [picture](T& b, const std::string& data) { fw::BitmapFromData(*(b.*picture)(), data); });
}

fw::ClassInfo MakeClassInfo() {
  using T = TImageButton;
  fw::ClassInfo c = fw::NewClass("TImageButton", &fw::TGraphicControl::StaticClass(),
                                 [](fw::TComponent* owner) -> fw::TComponent* { return new T(owner); });
  auto& p = c.own_properties;
  p.push_back(PictureProp("BitmapOver.Data", &T::BitmapOver));
  p.push_back(PictureProp("BitmapDown.Data", &T::BitmapDown));
  p.push_back(PictureProp("BitmapUp.Data", &T::BitmapUp));
  p.push_back(PictureProp("BitmapDisabled.Data", &T::BitmapDisabled));
  p.push_back(PictureProp("Bitmap.Data", &T::Bitmap));
  p.push_back(fw::EventProp<T>("OnClick", &T::OnClick));
  p.push_back(fw::EventProp<T>("OnMouseDown", &T::OnMouseDown));
  p.push_back(fw::EventProp<T>("OnMouseUp", &T::OnMouseUp));
  p.push_back(fw::EventProp<T>("OnMouseEnter", &T::OnMouseEnter));
  p.push_back(fw::EventProp<T>("OnMouseLeave", &T::OnMouseLeave));
  p.push_back(fw::BooleanProp<T>("Enabled", &T::GetEnabled, &T::SetEnabled, true));
  p.push_back(fw::BooleanProp<T>("ShowHint", &T::ShowHint, &T::SetShowHint));
  p.back().stored = fw::StoredIf<T>([](const T& b) { return !b.ParentShowHint(); });
  p.push_back(fw::BooleanProp<T>("ParentShowHint", &T::ParentShowHint, &T::SetParentShowHint, true));
  return c;
}

}  // namespace

const fw::ClassInfo& TImageButton::StaticClass() {
  static const fw::ClassInfo info = MakeClassInfo();
  return info;
}

TImageButton::TImageButton(fw::TComponent* owner)
    : fw::TGraphicControl(owner),
      over_(std::make_unique<TBitmap>()),
      down_(std::make_unique<TBitmap>()),
      up_(std::make_unique<TBitmap>()),
      normal_(std::make_unique<TBitmap>()),
      disabled_(std::make_unique<TBitmap>()),
      current_(std::make_unique<TBitmap>()) {
  SetWidth(50);
  SetHeight(50);
  Canvas()->Brush()->SetColor(fw::clBtnFace);
  SetShowHint(true);  // clears ParentShowHint too
}

TImageButton::~TImageButton() = default;

// ---- pictures -------------------------------------------------------------------------

void TImageButton::SetMOver(const TBitmap* value) {
  over_->Assign(value);
  Paint();
}

void TImageButton::SetMDown(const TBitmap* value) {
  down_->Assign(value);
  Paint();
}

void TImageButton::SetMUp(const TBitmap* value) {
  up_->Assign(value);
  Paint();
}

void TImageButton::SetBmp(const TBitmap* value) {
  normal_->Assign(value);
  current_->Assign(value);
  ResizeTo(*normal_);
  Paint();
}

void TImageButton::SetBmpDAble(const TBitmap* value) {
  disabled_->Assign(value);
  Paint();
}

void TImageButton::ResizeTo(const TBitmap& picture) {
  SetWidth(picture.Width());
  SetHeight(picture.Height());
}

void TImageButton::DrawPicture(const TBitmap& picture) {
  Canvas()->FillRect({0, 0, Width(), Height()});
  Canvas()->Draw(0, 0, &picture);
}

void TImageButton::ShowPicture(const TBitmap& picture) {
  current_->Assign(&picture);
  ResizeTo(picture);
  Paint();
}

// ---- drawing and input ----------------------------------------------------------------

void TImageButton::Paint() {
  fw::TGraphicControl::Paint();
  if (current_->Width() == 0) current_->Assign(normal_.get());
  Canvas()->FillRect({0, 0, Width(), Height()});
  if (!GetEnabled() && disabled_->Width() != 0) {
    // The disabled picture's size sticks after enabling again; BitmapCurrent stays as it was.
    ResizeTo(*disabled_);
    Canvas()->Draw(0, 0, disabled_.get());
  } else {
    Canvas()->Draw(0, 0, current_.get());
  }
}

void TImageButton::Click() {
  fw::TGraphicControl::Click();
  Paint();
  if (GetEnabled() && OnClick) OnClick(this);
}

void TImageButton::MouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
  fw::TGraphicControl::MouseDown(button, shift, x, y);
  if (button != fw::TMouseButton::mbLeft || !GetEnabled()) return;
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
  if (IsSet(*down_)) ShowPicture(*down_);
}

void TImageButton::MouseUp(fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
  fw::TGraphicControl::MouseUp(button, shift, x, y);
  if (button != fw::TMouseButton::mbLeft || !GetEnabled()) return;
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
  // Drawn directly: BitmapCurrent keeps what the press, the enter or the leave put there.
  if (const TBitmap* picture = ReleasePicture()) {
    ResizeTo(*picture);
    DrawPicture(*picture);
  }
}

// BitmapUp over the button, else Bitmap. Without a BitmapUp the release shows what the pointer
// sees, as entering and leaving would (BitmapOver over the button, else Bitmap), and nothing when
// that picture is empty, so a button without pictures keeps its size.
const TBitmap* TImageButton::ReleasePicture() const {
  // Where the pointer is now, after OnClick and OnMouseUp have run, decides.
  const bool over = IsUnderPointer(*this);
  if (IsSet(*up_)) return over ? up_.get() : normal_.get();
  const TBitmap* picture = over ? over_.get() : normal_.get();
  return IsSet(*picture) ? picture : nullptr;
}

bool TImageButton::AccessibleHot() const {
  return TGraphicControl::AccessibleHot() && IsSet(*over_);
}

void TImageButton::MouseEnter(fw::TMessage&) {
  if (GetEnabled() && IsSet(*over_)) ShowPicture(*over_);
}

void TImageButton::MouseLeave(fw::TMessage&) {
  if (GetEnabled() && IsSet(*normal_)) ShowPicture(*normal_);
}

}  // namespace bc
