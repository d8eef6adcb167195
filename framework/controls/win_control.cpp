// TWinControl: the container, its children's order, the hit test and the paint of its children.
#include "framework/controls/win_control.h"

#include <algorithm>

namespace fw {

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
