#include "framework/controls.h"

#include <algorithm>

#include "framework/application.h"
#include "framework/forms.h"

namespace fw {

const EnumInfo kHelpTypeNames{{{"htKeyword", 0}, {"htContext", 1}}};
const EnumInfo kAlignmentNames{{{"taLeftJustify", 0}, {"taRightJustify", 1}, {"taCenter", 2}}};

const ClassInfo& TControl::StaticClass() {
  static const ClassInfo info = [] {
    using T = TControl;
    ClassInfo c = NewClass("TControl", &TComponent::StaticClass());
    auto& p = c.own_properties;
    p.push_back(IntegerProp<T>("Left", &T::Left, &T::SetLeft));
    p.push_back(IntegerProp<T>("Top", &T::Top, &T::SetTop));
    p.push_back(IntegerProp<T>("Width", &T::Width, &T::SetWidth));
    p.push_back(IntegerProp<T>("Height", &T::Height, &T::SetHeight));
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

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
  font_->OnChange = [this] { FontChanged(); };
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
    throw EInvalidOperation(Format("%s cannot hold control '%s'", parent->ClassName().c_str(),
                                   Name().c_str()));
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
    p.x += c->left_;
    p.y += c->top_;
  }
  return p;
}

TPoint TControl::ClientToScreen(TPoint p) const {
  p = ClientToForm(p);
  if (TCustomForm* form = ParentForm()) {
    const pf::Rect b = form->Window().Bounds();
    p.x += b.left;
    p.y += b.top;
  }
  return p;
}

TPoint TControl::ScreenToClient(TPoint p) const {
  const TPoint origin = ClientToScreen({0, 0});
  return {p.x - origin.x, p.y - origin.y};
}

std::intptr_t TControl::Perform(unsigned msg, std::intptr_t wparam, std::intptr_t lparam) {
  TMessage m{msg, wparam, lparam, 0};
  Dispatch(m);
  return m.Result;
}

void TControl::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case CM_MOUSEENTER:
      MouseEnter(message);
      break;
    case CM_MOUSELEAVE:
      MouseLeave(message);
      break;
    default:
      break;
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

// ---- TGraphicControl ------------------------------------------------------------------

const ClassInfo& TGraphicControl::StaticClass() {
  static const ClassInfo info = NewClass("TGraphicControl", &TControl::StaticClass());
  return info;
}

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), canvas_(std::make_unique<TControlCanvas>(*this)) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::PaintOn(pf::Device&, const TRect&) {
  // The control canvas picks up the paint device from the form while the paint is under way.
  Paint();
}

// ---- TWinControl ----------------------------------------------------------------------

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
  ChildBoundsChanged(control);
}

void TWinControl::RemoveControl(TControl* control) {
  auto it = std::find(controls_.begin(), controls_.end(), control);
  if (it != controls_.end()) controls_.erase(it);
  control->parent_ = nullptr;
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
    return container->FindControlAt({client.x - child->Left(), client.y - child->Top()},
                                    allow_disabled);
  }
  return child;
}

void TWinControl::PaintControls(pf::Device& device, const TRect& form_clip) {
  for (TControl* c : controls_) {
    if (!c->Visible()) continue;
    const TPoint origin = c->ClientToForm({0, 0});
    const TRect area{origin.x, origin.y, origin.x + c->Width(), origin.y + c->Height()};
    if (area.Intersect(form_clip).IsEmpty()) continue;
    c->PaintOn(device, form_clip);
    if (auto* container = dynamic_cast<TWinControl*>(c)) container->PaintControls(device, form_clip);
  }
}

void TWinControl::FontChanged() {
  TControl::FontChanged();
  for (TControl* c : controls_) {
    if (c->ParentFont()) c->TakeParentFont();
  }
}

}  // namespace fw

namespace fw {
namespace {
const EnumInfo kFontStyleNames{
    {{"fsBold", 0}, {"fsItalic", 1}, {"fsUnderline", 2}, {"fsStrikeOut", 3}}};

PropValue StyleToValue(TFontStyles style) {
  IdentSet set;
  for (const auto& [name, bit] : kFontStyleNames.names) {
    if (style.Contains(static_cast<TFontStyle>(bit))) set.names.push_back(name);
  }
  return set;
}

TFontStyles ValueToStyle(const PropValue& v) {
  const auto* set = std::get_if<IdentSet>(&v);
  if (!set) throw EReadError("Invalid property value for Font.Style");
  TFontStyles style;
  for (const String& name : set->names) {
    auto bit = kFontStyleNames.ValueOf(name);
    if (!bit) throw EReadError(Format("Invalid property value for Font.Style: %s", name.c_str()));
    style.Include(static_cast<TFontStyle>(*bit));
  }
  return style;
}
}  // namespace

std::vector<PropInfo> FontProperties() {
  using T = TControl;
  auto own_font = StoredIf<T>([](const T& c) { return !c.ParentFont(); });
  std::vector<PropInfo> props;
  props.push_back(StringProp<T>(
      "Font.Name", [](const T& c) { return c.Font()->Name(); },
      [](T& c, const String& v) { c.Font()->SetName(v); }));
  props.push_back(ColorProp<T>(
      "Font.Color", [](const T& c) { return c.Font()->Color(); },
      [](T& c, TColor v) { c.Font()->SetColor(v); }));
  props.push_back(IntegerProp<T>(
      "Font.Size", [](const T& c) { return c.Font()->Size(); },
      [](T& c, int v) { c.Font()->SetSize(v); }));
  PropInfo style = NewProp("Font.Style", PropType::Set, &kFontStyleNames);
  style.get = [](const TObject& o) { return StyleToValue(static_cast<const T&>(o).Font()->Style()); };
  style.set = [](TObject& o, const PropValue& v) { static_cast<T&>(o).Font()->SetStyle(ValueToStyle(v)); };
  props.push_back(style);
  for (PropInfo& p : props) p.stored = own_font;
  return props;
}

void Free(TComponent* component) {
  if (!component) return;
  component->BeforeDestruction();
  delete component;
}

}  // namespace fw
