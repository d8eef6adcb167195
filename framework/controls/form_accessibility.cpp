#include "framework/controls/form_accessibility.h"

namespace fw {
namespace {

constexpr char kPress[] = "press";

pf::Rect ScreenBounds(const TControl& control) {
  const TPoint origin = control.ClientToScreen({0, 0});
  return {origin.x, origin.y, pf::AddSat(origin.x, control.Width()),
          pf::AddSat(origin.y, control.Height())};
}

}  // namespace

std::vector<TControl*> TFormAccessibility::ListedControls() const {
  return choices_.InMadeOrder();
}

TControl* TFormAccessibility::Listed(pf::AccessibleId id) const {
  for (TControl* c : ListedControls()) {
    if (c->AccessibleId() == id) return c;
  }
  return nullptr;
}

std::vector<pf::AccessibleId> TFormAccessibility::Children() const {
  std::vector<pf::AccessibleId> ids;
  for (const TControl* c : choices_.InOrder()) ids.push_back(c->AccessibleId());
  return ids;
}

// Unavailable while the control or its form takes no input (as during the launch pause); hot
// while it shows its pointer-over look; invisible while it, or its form, is hidden. Every one can
// be the current choice; the current one is focused while the form has the keyboard focus.
unsigned TFormAccessibility::StatesOf(const TControl& control) const {
  unsigned states = pf::kAccessibleFocusable;
  if (!control.AccessibleAvailable() || !form_.GetEnabled()) states |= pf::kAccessibleUnavailable;
  if (form_.GetEnabled() && control.AccessibleHot()) states |= pf::kAccessibleHot;
  if (!control.Visible() || !form_.Visible()) states |= pf::kAccessibleInvisible;
  if (choices_.Focused() && choices_.Current() == &control) states |= pf::kAccessibleFocused;
  return states;
}

pf::AccessibleObject TFormAccessibility::DescribeForm() const {
  pf::AccessibleObject o;
  o.role = pf::AccessibleRole::kWindow;
  o.name = site_.AccessibleTitle();
  o.bounds = site_.Window().Bounds();
  if (!form_.GetEnabled()) o.states |= pf::kAccessibleUnavailable;
  if (!form_.Visible()) o.states |= pf::kAccessibleInvisible;
  return o;
}

pf::AccessibleObject TFormAccessibility::DescribeControl(const TControl& control) const {
  pf::AccessibleObject o;
  o.role = *control.AccessibleRole();
  o.name = control.AccessibleName();
  o.bounds = ScreenBounds(control);
  o.states = StatesOf(control);
  if (o.role == pf::AccessibleRole::kPushButton) o.default_action = kPress;
  o.value = control.AccessibleValue();
  o.caret = control.AccessibleCaret();
  return o;
}

std::optional<pf::AccessibleObject> TFormAccessibility::Describe(pf::AccessibleId id) const {
  if (id == pf::kAccessibleWindow) return DescribeForm();
  const TControl* c = Listed(id);
  if (!c) return std::nullopt;
  return DescribeControl(*c);
}

// The topmost listed control there: the one made last, as for the mouse.
std::optional<pf::AccessibleId> TFormAccessibility::ObjectAt(pf::Point screen) const {
  if (!site_.Window().Bounds().Contains(screen)) return std::nullopt;
  const std::vector<TControl*> listed = ListedControls();
  for (auto it = listed.rbegin(); it != listed.rend(); ++it) {
    if ((*it)->Visible() && ScreenBounds(**it).Contains(screen)) return (*it)->AccessibleId();
  }
  return pf::kAccessibleWindow;
}

bool TFormAccessibility::CanDoDefaultAction(pf::AccessibleId id) const {
  const TControl* c = Listed(id);
  return c && choices_.CanPress(*c);
}

// What a click of the mouse runs: the control's Click, which runs its OnClick.
void TFormAccessibility::DoDefaultAction(pf::AccessibleId id) {
  if (!CanDoDefaultAction(id)) return;
  Listed(id)->Click();
}

std::optional<pf::AccessibleId> TFormAccessibility::Focus() const {
  if (!choices_.Focused()) return std::nullopt;
  const TControl* current = choices_.Current();
  return current ? current->AccessibleId() : pf::kAccessibleWindow;
}

bool TFormAccessibility::TakeFocus(pf::AccessibleId id) {
  TControl* c = Listed(id);
  if (!c || !TFormChoices::CanTakeKeyboard(*c)) return false;
  site_.SelectChoice(*c);
  return true;
}

void TFormAccessibility::Refresh() {
  std::map<pf::AccessibleId, Told> now;
  const pf::AccessibleObject window = DescribeForm();
  now[pf::kAccessibleWindow] = {window.states, window.name, {}, 0};
  for (const TControl* c : ListedControls())
    now[c->AccessibleId()] = {StatesOf(*c), c->AccessibleName(), c->AccessibleValue(),
                              c->AccessibleCaret()};
  if (std::exchange(noted_, true)) {
    pf::Window& window = site_.Window();
    for (const auto& [id, was] : told_) {
      if (!now.count(id)) window.AccessibleChanged(id, pf::AccessibleChange::kDestroyed);
    }
    for (const auto& [id, is] : now) {
      const auto was = told_.find(id);
      if (was == told_.end()) {
        window.AccessibleChanged(id, pf::AccessibleChange::kCreated);
        continue;
      }
      if (was->second.states != is.states)
        window.AccessibleChanged(id, pf::AccessibleChange::kState);
      if (was->second.name != is.name) window.AccessibleChanged(id, pf::AccessibleChange::kName);
      if (was->second.value != is.value) {
        window.AccessibleChanged(id, pf::AccessibleChange::kValue);
      } else if (was->second.caret != is.caret) {
        window.AccessibleChanged(id, pf::AccessibleChange::kCaret);
      }
    }
  }
  told_ = std::move(now);
}

}  // namespace fw
