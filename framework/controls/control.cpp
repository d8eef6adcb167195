#include "framework/controls/control.h"

#include "framework/controls/application.h"
#include "framework/controls/forms.h"

namespace fw {

const EnumInfo kHelpTypeNames{{{"htKeyword", 0}, {"htContext", 1}}};
const EnumInfo kAlignmentNames{{{"taLeftJustify", 0}, {"taRightJustify", 1}, {"taCenter", 2}}};

const ClassInfo& TControl::StaticClass() {
  static const ClassInfo info = [] {
    using T = TControl;
    ClassInfo c = NewClass("TControl", &TComponent::StaticClass());
    auto& p = c.own_properties;
    auto coordinate = [](PropInfo prop) {
      return Limited(std::move(prop), kMinCoordinate, kMaxCoordinate);
    };
    p.push_back(coordinate(IntegerProp<T>("Left", &T::Left, &T::SetLeft)));
    p.push_back(coordinate(IntegerProp<T>("Top", &T::Top, &T::SetTop)));
    p.push_back(Limited(IntegerProp<T>("Width", &T::Width, &T::SetWidth), 0, kMaxCoordinate));
    p.push_back(Limited(IntegerProp<T>("Height", &T::Height, &T::SetHeight), 0, kMaxCoordinate));
    p.push_back(CursorProp<T>("Cursor", &T::Cursor, &T::SetCursor, crDefault));
    p.push_back(StringProp<T>("Hint", &T::Hint, &T::SetHint, String()));
    p.push_back(EnumProp<T, THelpType>("HelpType", kHelpTypeNames, &T::HelpType, &T::SetHelpType,
                                       THelpType::htContext));
    p.push_back(StringProp<T>("HelpKeyword", &T::HelpKeyword, &T::SetHelpKeyword, String()));
    p.push_back(IntegerProp<T>("HelpContext", &T::HelpContext, &T::SetHelpContext, 0));
    return c;
  }();
  return info;
}

namespace {
// Ids of controls for screen readers: one for each control the program ever makes.
pf::AccessibleId NextAccessibleId() {
  static pf::AccessibleId last = pf::kAccessibleWindow;
  return ++last;
}
}  // namespace

TControl::TControl(TComponent* owner)
    : TComponent(owner), accessible_id_(NextAccessibleId()), font_(std::make_unique<TFont>()) {
  font_->OnChange = [this] { FontChanged(); };
}

bool TControl::AccessibleHot() const {
  return Application && Application->MouseControl() == this && AccessibleAvailable();
}

TControl::~TControl() {
  if (Application) Application->ControlDestroying(this);
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  const TRect old_rect = BoundsRect();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (visible_) {
    InvalidateRect(old_rect);
    InvalidateRect(BoundsRect());
  }
  BoundsChanged();
  if (parent_) parent_->ChildBoundsChanged(this);
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  InvalidateRect(BoundsRect());
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Invalidate();
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (parent == parent_) return;
  if (parent_) {
    InvalidateRect(BoundsRect());
    parent_->RemoveControl(this);
  }
  if (parent) {
    parent->InsertControl(this);
    if (parent_font_) TakeParentFont();
    Invalidate();
  }
}

TComponent* TControl::GetParentComponent() const { return parent_; }

void TControl::SetParentComponent(TComponent* parent) {
  auto* container = dynamic_cast<TWinControl*>(parent);
  if (parent && !container) {
    throw EInvalidOperation(
        Format("%s cannot hold control '%s'", parent->ClassName().c_str(), Name().c_str()));
  }
  SetParent(container);
}

TCustomForm* TControl::ParentForm() const {
  const TControl* c = this;
  while (c->parent_) c = c->parent_;
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

void TControl::SetShowHint(bool show) {
  show_hint_ = show;
  parent_show_hint_ = false;
}

void TControl::SetParentShowHint(bool parent_show) { parent_show_hint_ = parent_show; }

void TControl::SetParentFont(bool parent_font) {
  parent_font_ = parent_font;
  if (parent_font_ && parent_) TakeParentFont();
}

void TControl::TakeParentFont() {
  taking_parent_font_ = true;
  font_->Assign(*parent_->Font());
  taking_parent_font_ = false;
}

void TControl::FontChanged() {
  if (!taking_parent_font_) parent_font_ = false;
  Invalidate();
}

void TControl::Invalidate() { InvalidateRect(BoundsRect()); }

void TControl::InvalidateRect(const TRect& rect_in_parent) {
  if (!parent_ || !visible_) return;
  TCustomForm* form = ParentForm();
  if (!form) return;
  const TPoint origin = parent_->ClientToForm({0, 0});
  form->InvalidateFormRect(rect_in_parent.Offset(origin.x, origin.y));
}

void TControl::Repaint() {
  Invalidate();
  if (TCustomForm* form = ParentForm()) form->Window().Update();
}

TPoint TControl::ClientToForm(TPoint p) const {
  for (const TControl* c = this; c->parent_; c = c->parent_) {
    p.x = pf::AddSat(p.x, c->left_);
    p.y = pf::AddSat(p.y, c->top_);
  }
  return p;
}

TPoint TControl::ClientToScreen(TPoint p) const {
  p = ClientToForm(p);
  if (TCustomForm* form = ParentForm()) {
    const pf::Rect b = form->Window().Bounds();
    p.x = pf::AddSat(p.x, b.left);
    p.y = pf::AddSat(p.y, b.top);
  }
  return p;
}

TPoint TControl::ScreenToClient(TPoint p) const {
  const TPoint origin = ClientToScreen({0, 0});
  return {pf::SubSat(p.x, origin.x), pf::SubSat(p.y, origin.y)};
}

std::intptr_t TControl::Perform(unsigned msg, std::intptr_t wparam, std::intptr_t lparam) {
  TMessage m{msg, wparam, lparam, 0};
  Dispatch(m);
  return m.Result;
}

void TControl::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case CM_MOUSEENTER: MouseEnter(message); break;
    case CM_MOUSELEAVE: MouseLeave(message); break;
    default: break;
  }
}

void TControl::NotifyParent(const TMessage& message) {
  if (!parent_) return;
  const std::intptr_t subject =
      message.LParam != 0 ? message.LParam : reinterpret_cast<std::intptr_t>(this);
  parent_->Perform(message.Msg, 0, subject);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

}  // namespace fw
