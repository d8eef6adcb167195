#include "framework/controls/forms.h"

#include <algorithm>
#include <utility>

#include "framework/controls/control_font.h"
#include "framework/controls/forms_application.h"
#include "framework/description/reader.h"

namespace fw {

namespace {
TFormsApplication* forms_application = nullptr;
}  // namespace

TFormsApplication* FormsApplication() { return forms_application; }
void SetFormsApplication(TFormsApplication* application) { forms_application = application; }

const EnumInfo kBorderStyleNames{{{"bsNone", 0},
                                  {"bsSingle", 1},
                                  {"bsSizeable", 2},
                                  {"bsDialog", 3},
                                  {"bsToolWindow", 4},
                                  {"bsSizeToolWin", 5}}};
const EnumInfo kPositionNames{{{"poDesigned", 0},
                               {"poDefault", 1},
                               {"poDefaultPosOnly", 2},
                               {"poDefaultSizeOnly", 3},
                               {"poScreenCenter", 4},
                               {"poDesktopCenter", 5},
                               {"poMainFormCenter", 6},
                               {"poOwnerFormCenter", 7}}};

namespace {
// A list of names, kept in its order.
PropInfo KeyboardOrderProp() {
  PropInfo p = NewProp("KeyboardOrder", PropType::Set);
  p.get = [](const TObject& o) {
    return PropValue(IdentSet{static_cast<const TCustomForm&>(o).KeyboardOrder()});
  };
  p.set = [](TObject& o, const PropValue& v) {
    static_cast<TCustomForm&>(o).SetKeyboardOrder(std::get<IdentSet>(v).names);
  };
  p.stored = [](const TObject& o) {
    return !static_cast<const TCustomForm&>(o).KeyboardOrder().empty();
  };
  return p;
}
}  // namespace

const ClassInfo& TCustomForm::StaticClass() {
  static const ClassInfo info = NewClass("TCustomForm", &TWinControl::StaticClass());
  return info;
}

const ClassInfo& TForm::StaticClass() {
  static const ClassInfo info = [] {
    using T = TCustomForm;
    ClassInfo c = NewClass("TForm", &TCustomForm::StaticClass(),
                           [](TComponent* owner) -> TComponent* { return new TForm(owner); });
    auto& p = c.own_properties;
    // A form stores its client size, not its outer size.
    auto never = [](const TObject&) { return false; };
    auto side = [](PropInfo prop) { return Limited(std::move(prop), 0, kMaxFormSide); };
    p.push_back(side(IntegerProp<T>("Width", &T::Width, &T::SetWidth)));
    p.back().stored = never;
    p.push_back(side(IntegerProp<T>("Height", &T::Height, &T::SetHeight)));
    p.back().stored = never;
    p.push_back(EnumProp<T, TFormBorderStyle>("BorderStyle", kBorderStyleNames, &T::BorderStyle,
                                              &T::SetBorderStyle, TFormBorderStyle::bsSizeable));
    p.push_back(EnumProp<T, TPosition>("Position", kPositionNames, &T::Position, &T::SetPosition,
                                       TPosition::poDesigned));
    p.push_back(side(IntegerProp<T>("ClientWidth", &T::ClientWidth, &T::SetClientWidth)));
    p.push_back(side(IntegerProp<T>("ClientHeight", &T::ClientHeight, &T::SetClientHeight)));
    p.push_back(BooleanProp<T>("AutoSize", &T::AutoSize, &T::SetAutoSize, false));
    p.push_back(BooleanProp<T>("AlphaBlend", &T::AlphaBlend, &T::SetAlphaBlend, false));
    p.push_back(IntegerProp<T>(
        "AlphaBlendValue", [](const T& f) { return static_cast<int>(f.AlphaBlendValue()); },
        &T::SetAlphaBlendValue, 255));
    p.push_back(ColorProp<T>("Color", &T::Color, &T::SetColor, clBtnFace));
    p.push_back(BooleanProp<T>("Scaled", &T::Scaled, &T::SetScaled, true));
    p.push_back(BooleanProp<T>("Visible", &T::Visible, &T::SetVisible, false));
    p.push_back(StringProp<T>("Caption", &T::Caption, &T::SetCaption));
    p.push_back(BooleanProp<T>("Enabled", &T::GetEnabled, &T::SetEnabled, true));
    p.push_back(KeyboardOrderProp());
    p.push_back(BooleanProp<T>("KeyPreview", &T::KeyPreview, &T::SetKeyPreview, false));
    for (PropInfo& font : FontProperties()) p.push_back(std::move(font));
    p.push_back(BytesProp<T>("Icon.Data", &T::IconData, &T::SetIconData));
    p.push_back(EventProp<T>("OnCreate", &T::OnCreate));
    p.push_back(EventProp<T>("OnDestroy", &T::OnDestroy));
    return c;
  }();
  return info;
}

namespace {
pf::WindowParams BorderlessWindow() {
  pf::WindowParams params;
  params.borderless = true;
  return params;
}
}  // namespace

TCustomForm::TCustomForm(TComponent* owner)
    : TWinControl(owner),
      window_(pf::Current().CreateWindow(BorderlessWindow(), this)),
      icon_(std::make_unique<TIcon>()) {
  StoreVisible(false);
  window_->SetAccessibleTree(&accessibility_);
  if (TFormsApplication* app = FormsApplication()) app->FormCreated(*this);
}

TCustomForm::~TCustomForm() {
  // Screen readers holding an object of this form hear from now on that it is gone.
  window_->SetAccessibleTree(nullptr);
  SetState(ComponentState::Destroying, true);
  if (TFormsApplication* app = FormsApplication()) app->FormDestroying(*this);
  // Children go while the window they draw on still exists.
  DestroyComponents();
  while (ControlCount() > 0) Controls(ControlCount() - 1)->SetParent(nullptr);
}

void TCustomForm::BeforeDestruction() {
  if (destroy_called_) return;
  destroy_called_ = true;
  if (OnDestroy) OnDestroy(this);
}

TForm::TForm(TComponent* owner) : TCustomForm(owner) {}

void TCustomForm::CheckBound(const char* property, int value, int min, int max) const {
  if (value < min || value > max) {
    throw EInvalidOperation(OutOfRangeText(value, property, *this, min, max));
  }
}

void TCustomForm::SetBounds(int left, int top, int width, int height) {
  // Refused before anything changes: the window could not take them.
  CheckBound("Left", left, kMinCoordinate, kMaxCoordinate);
  CheckBound("Top", top, kMinCoordinate, kMaxCoordinate);
  CheckBound("Width", width, 0, kMaxFormSide);
  CheckBound("Height", height, 0, kMaxFormSide);
  TControl::SetBounds(left, top, width, height);
  if (hold_window_bounds_) {
    window_bounds_pending_ = true;
  } else {
    window_->SetBounds({left, top, left + width, top + height});
  }
}

void TCustomForm::SetAutoSize(bool auto_size) {
  auto_size_ = auto_size;
  AdjustSize();
}

void TCustomForm::AdjustSize() {
  if (!auto_size_ || HasState(ComponentState::Loading)) return;
  int right = 0;
  int bottom = 0;
  bool any = false;
  for (int i = 0; i < ControlCount(); ++i) {
    const TControl* c = Controls(i);
    if (!c->Visible()) continue;
    any = true;
    right = std::max(right, pf::AddSat(c->Left(), c->Width()));
    bottom = std::max(bottom, pf::AddSat(c->Top(), c->Height()));
  }
  if (any) SetBounds(Left(), Top(), right, bottom);
}

void TCustomForm::ChildBoundsChanged(TControl*) { AdjustSize(); }

void TCustomForm::SetAlphaBlend(bool on) {
  alpha_blend_ = on;
  ApplyOpacity();
}

void TCustomForm::SetAlphaBlendValue(int value) {
  alpha_blend_value_ = static_cast<std::uint8_t>(value);
  ApplyOpacity();
}

// A designed form shows what it holds, whatever its blend would make of it.
void TCustomForm::ApplyOpacity() {
  window_->SetOpacity(alpha_blend_ && !designer_, alpha_blend_value_);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style) {
  border_style_ = style;
  if (window_->IsVisible()) ApplyBorderStyle();
}

// A designed form is framed whatever its style, as a designer shows each window it designs.
void TCustomForm::ApplyBorderStyle() {
  window_->SetBorderless(border_style_ == TFormBorderStyle::bsNone &&
                         !HasState(ComponentState::Designing));
}

void TCustomForm::SetColor(TColor color) {
  color_ = color;
  Invalidate();
}

void TCustomForm::SetCaption(const String& caption) {
  caption_ = caption;
  window_->SetTitle(caption);
}

void TCustomForm::SetIconData(const std::string& data) {
  icon_->LoadFromBytes(data);
  if (!icon_->Empty()) window_->SetIcon(icon_->Image());
}

void TCustomForm::SetVisible(bool visible) {
  StoreVisible(visible);
  choices_.CueMayHaveMoved();
  if (HasState(ComponentState::Loading)) return;
  if (visible) {
    PlaceOnFirstShow();
    ApplyBorderStyle();
    choices_.EnsureCurrent();  // as a dialog's first control is
  }
  window_->Show(visible);
  if (visible) Invalidate();
  // Shown, it may appear under the pointer; hidden, it leaves the pointer to what lies beneath.
  if (TFormsApplication* app = FormsApplication()) {
    visible ? app->PointerUnknown() : app->FormHidden(*this);
  }
}

// Where Position says, the first time the form shows; later shows keep where it is.
void TCustomForm::PlaceOnFirstShow() {
  if (std::exchange(shown_once_, true)) return;
  const bool centre_on_screen =
      position_ == TPosition::poScreenCenter || position_ == TPosition::poDesktopCenter;
  TFormsApplication* app = FormsApplication();
  TCustomForm* main = app ? app->MainForm() : nullptr;
  if (centre_on_screen || (position_ == TPosition::poMainFormCenter && (!main || main == this))) {
    const pf::Size screen = pf::Current().ScreenSize();
    SetBounds((screen.cx - Width()) / 2, (screen.cy - Height()) / 2, Width(), Height());
  } else if (position_ == TPosition::poMainFormCenter) {
    SetBounds(main->Left() + (main->Width() - Width()) / 2,
              main->Top() + (main->Height() - Height()) / 2, Width(), Height());
  }
}

void TCustomForm::SetEnabled(bool enabled) {
  TControl::SetEnabled(enabled);
  window_->SetEnabled(enabled);
  accessibility_.Refresh();  // every button is unavailable with it, and available again
  // A disabled window hears of no moves: enabled again, it cannot tell where the pointer went.
  TFormsApplication* app = FormsApplication();
  if (enabled && app) app->PointerUnknown();
}

void TCustomForm::Close() {
  TFormsApplication* app = FormsApplication();
  if (app && app->MainForm() == this) {
    app->Terminate();
  } else {
    Hide();
  }
}

void TCustomForm::SetFocus() {
  // Taking the focus would restore the window on some desktops: what minimised it keeps the
  // screen until the user brings it back.
  if (window_->IsMinimized()) {
    focus_on_restore_ = true;
    return;
  }
  window_->SetFocus();
}

TPoint TCustomForm::ClientOrigin() const {
  const pf::Rect b = window_->Bounds();
  return {b.left, b.top};
}

String TCustomForm::AccessibleTitle() const {
  const TFormsApplication* app = FormsApplication();
  return app ? app->Title() : caption_;
}

TControl* TCustomForm::HoveredControl() const {
  const TFormsApplication* app = FormsApplication();
  return app ? app->MouseControl() : nullptr;
}

TControl* TCustomForm::ControlUnderPointer() const {
  const TFormsApplication* app = FormsApplication();
  return app ? app->ControlUnderPointer() : nullptr;
}

void TCustomForm::ControlLeaving(TControl& control) {
  choices_.ControlLeaving(control);
  if (TFormsApplication* app = FormsApplication()) app->ControlLeaving(control);
}

// The window gets the bounds the description gives once they are all read and, for a form shown
// now, placed: not once for each of Left, Top, ClientWidth and ClientHeight, then again centred.
void TCustomForm::ReadDescription(std::string_view description) {
  {
    struct HoldWindowBounds {
      TCustomForm& form;
      explicit HoldWindowBounds(TCustomForm& f) : form(f) { form.hold_window_bounds_ = true; }
      ~HoldWindowBounds() { form.ReleaseWindowBounds(); }
    } hold(*this);
    ReadComponent(description, *this);
    if (Visible()) PlaceOnFirstShow();
  }
  if (Visible()) SetVisible(true);
  if (OnCreate) OnCreate(this);
}

void TCustomForm::ReleaseWindowBounds() {
  hold_window_bounds_ = false;
  if (std::exchange(window_bounds_pending_, false)) {
    window_->SetBounds({Left(), Top(), pf::AddSat(Left(), Width()), pf::AddSat(Top(), Height())});
  }
}

void TCustomForm::Loaded() {
  TWinControl::Loaded();
  CheckKeyboardOrder();
  AdjustSize();
}

void TCustomForm::CheckKeyboardOrder() const {
  const std::vector<TControl*> choices = choices_.InMadeOrder();
  for (const String& name : keyboard_order_) {
    const bool named = std::any_of(choices.begin(), choices.end(),
                                   [&](const TControl* c) { return c->Name() == name; });
    if (!named) {
      throw EReadError(Format("KeyboardOrder of %s names '%s', which is not one of its choices",
                              Name().c_str(), name.c_str()));
    }
  }
}

// ---- the window's close and restore ---------------------------------------------------

void TCustomForm::WindowCloseRequest() {
  if (designer_) {
    designer_->FormCloseRequest();
  } else {
    Close();
  }
}

// Back on screen under a pointer that may not have moved: no event says where it is.
void TCustomForm::WindowRestored() {
  if (TFormsApplication* app = FormsApplication()) app->PointerUnknown();
  if (std::exchange(focus_on_restore_, false)) window_->SetFocus();
}

}  // namespace fw
