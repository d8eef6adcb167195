#include "framework/controls/control.h"

#include <algorithm>

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
  const TControlHost* host = Host();
  return host && host->HoveredControl() == this && AccessibleAvailable();
}

bool TControl::UnderPointer() const {
  const TControlHost* host = Host();
  return host && host->ControlUnderPointer() == this;
}

// Leaving its parent, the control leaves its form: whatever names it there forgets it.
TControl::~TControl() {
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
  TellHitAreasChanged();
  BoundsChanged();
  if (parent_) parent_->ChildBoundsChanged(this);
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  InvalidateRect(BoundsRect());
  TellHitAreasChanged();
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

void TControl::TellHitAreasChanged() {
  if (TControlHost* host = Host()) host->HitAreasChanged();
}

TControlHost* TControl::Host() const {
  TControl* c = const_cast<TControl*>(this);
  while (c->parent_) c = c->parent_;
  return c->AsHost();
}

bool TControl::Holds(const TControl* other) const {
  for (const TControl* c = other; c; c = c->parent_) {
    if (c == this) return true;
  }
  return false;
}

TCustomForm* TControl::ParentForm() const {
  TControlHost* host = Host();
  return host ? &host->HostForm() : nullptr;
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
  TControlHost* host = Host();
  if (!host) return;
  const TPoint origin = parent_->ClientToForm({0, 0});
  host->InvalidateArea(rect_in_parent.Offset(origin.x, origin.y));
}

void TControl::Repaint() {
  Invalidate();
  if (TControlHost* host = Host()) host->PaintInvalid();
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
  if (const TControlHost* host = Host()) {
    const pf::Point origin = host->ClientOrigin();
    p.x = pf::AddSat(p.x, origin.x);
    p.y = pf::AddSat(p.y, origin.y);
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

// ---- TWinControl: the container, its children's order, the hit test and the paint of its
// children ----------------------------------------------------------------------------
const ClassInfo& TWinControl::StaticClass() {
  static const ClassInfo info = NewClass("TWinControl", &TControl::StaticClass());
  return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  // Children owned elsewhere must not keep a pointer to this parent.
  while (!controls_.empty()) controls_.back()->SetParent(nullptr);
}

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  control->parent_ = this;
  TellHitAreasChanged();
  ChildBoundsChanged(control);
}

void TWinControl::RemoveControl(TControl* control) {
  if (TControlHost* host = Host()) host->ControlLeaving(*control);
  auto it = std::find(controls_.begin(), controls_.end(), control);
  if (it != controls_.end()) controls_.erase(it);
  control->parent_ = nullptr;
  TellHitAreasChanged();
  if (!HasState(ComponentState::Destroying)) ChildBoundsChanged(control);
}

TControl* TWinControl::ControlAtPos(TPoint client, bool allow_disabled) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (!c->Visible() || (!allow_disabled && !c->GetEnabled())) continue;
    if (c->BoundsRect().Contains(client)) return c;
  }
  return nullptr;
}

TControl* TWinControl::FindControlAt(TPoint client, bool allow_disabled) {
  TControl* child = ControlAtPos(client, allow_disabled);
  if (!child) return this;
  if (auto* container = dynamic_cast<TWinControl*>(child)) {
    return container->FindControlAt(
        {pf::SubSat(client.x, child->Left()), pf::SubSat(client.y, child->Top())}, allow_disabled);
  }
  return child;
}

void TWinControl::PaintControls(pf::Device& device, const TRect& form_clip) {
  for (TControl* c : controls_) {
    if (!c->Visible()) continue;
    const TPoint origin = c->ClientToForm({0, 0});
    const TRect area{origin.x, origin.y, pf::AddSat(origin.x, c->Width()),
                     pf::AddSat(origin.y, c->Height())};
    if (area.Intersect(form_clip).IsEmpty()) continue;
    c->PaintOn(device, form_clip);
    if (auto* container = dynamic_cast<TWinControl*>(c))
      container->PaintControls(device, form_clip);
  }
}

void TWinControl::FontChanged() {
  TControl::FontChanged();
  for (TControl* c : controls_) {
    if (c->ParentFont()) c->TakeParentFont();
  }
}

}  // namespace fw
