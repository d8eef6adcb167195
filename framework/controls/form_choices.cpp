#include "framework/controls/form_choices.h"

#include <algorithm>
#include <utility>

namespace fw {
namespace {

void CollectChoices(const TWinControl& parent, std::vector<TControl*>& out) {
  for (int i = 0; i < parent.ControlCount(); ++i) {
    TControl* c = parent.Controls(i);
    if (c->AccessibleRole()) out.push_back(c);
    if (const auto* container = dynamic_cast<const TWinControl*>(c)) CollectChoices(*container, out);
  }
}

}  // namespace

std::vector<TControl*> TFormChoices::InMadeOrder() const {
  std::vector<TControl*> choices;
  CollectChoices(form_, choices);
  return choices;
}

// Those the order names, in its order, then the rest as they were made.
std::vector<TControl*> TFormChoices::InOrder() const {
  std::vector<TControl*> rest = InMadeOrder();
  std::vector<TControl*> ordered;
  ordered.reserve(rest.size());
  for (const String& name : order_) {
    const auto named = std::find_if(rest.begin(), rest.end(),
                                    [&](const TControl* c) { return c && c->Name() == name; });
    if (named != rest.end()) ordered.push_back(std::exchange(*named, nullptr));
  }
  for (TControl* c : rest) {
    if (c) ordered.push_back(c);
  }
  return ordered;
}

bool TFormChoices::CanTakeKeyboard(const TControl& choice) {
  return choice.Visible() && choice.AccessibleAvailable();
}

void TFormChoices::SetCurrent(TControl* choice) {
  TControl* was = std::exchange(current_, choice);
  cue_stale_ = true;
  if (!focused_ || was == choice) return;
  if (was) was->KeyboardFocusChanged();
  if (choice) choice->KeyboardFocusChanged();
}

void TFormChoices::SetFocused(bool focused) {
  const bool changed = focused != focused_;
  focused_ = focused;
  cue_stale_ = true;
  if (changed && current_) current_->KeyboardFocusChanged();
}

void TFormChoices::EnsureCurrent() {
  if (current_) return;
  for (TControl* c : InOrder()) {
    if (CanTakeKeyboard(*c)) {
      SetCurrent(c);
      return;
    }
  }
}

TControl* TFormChoices::Step(int direction) const {
  const std::vector<TControl*> choices = InOrder();
  const int count = static_cast<int>(choices.size());
  if (count == 0) return nullptr;
  const auto at = std::find(choices.begin(), choices.end(), current_);
  // From nowhere, a step forward finds the first and a step back the last.
  int index = at != choices.end() ? static_cast<int>(at - choices.begin()) : (direction > 0 ? -1 : 0);
  for (int tried = 0; tried < count; ++tried) {
    index = ((index + direction) % count + count) % count;
    if (CanTakeKeyboard(*choices[index])) return choices[index];
  }
  return nullptr;
}

bool TFormChoices::CanPress(const TControl& choice) const {
  return choice.AccessibleRole() == pf::AccessibleRole::kPushButton && form_.GetEnabled() &&
         form_.Visible() && !form_.HasState(ComponentState::Designing) && CanTakeKeyboard(choice);
}

void TFormChoices::ControlLeaving(const TControl& control) {
  if (!control.Holds(current_)) return;
  current_ = nullptr;  // it leaves: nothing to tell it
  cue_stale_ = true;
}

std::optional<TRect> TFormChoices::WantedCue() const {
  if (!cue_wanted_ || !focused_ || !current_ || !current_->Visible() || !form_.Visible() ||
      !current_->ShowsFocusCue() || form_.HasState(ComponentState::Designing)) {
    return std::nullopt;
  }
  const TPoint origin = current_->ClientToForm({0, 0});
  return TRect{origin.x - 1, origin.y - 1, pf::AddSat(origin.x, current_->Width()) + 1,
               pf::AddSat(origin.y, current_->Height()) + 1};
}

void TFormChoices::PaintCue(pf::Device& device) const {
  if (drawn_cue_) device.DrawFocusRect(*drawn_cue_);
}

void TFormChoices::PlaceCue(pf::Window& window) {
  cue_stale_ = false;
  if (WantedCue() == drawn_cue_) return;
  TakeCueOff(*window.GetDevice());
  PutCueOn(*window.GetDevice());
}

// The focus rectangle inverts what lies under it: drawn again, it goes without a trace.
void TFormChoices::TakeCueOff(pf::Device& device) {
  if (!drawn_cue_) return;
  device.SetOrigin({0, 0});
  device.SetClip(form_.ClientRect());
  device.DrawFocusRect(*std::exchange(drawn_cue_, std::nullopt));
}

void TFormChoices::PutCueOn(pf::Device& device) {
  drawn_cue_ = WantedCue();
  if (!drawn_cue_) return;
  device.SetOrigin({0, 0});
  device.SetClip(form_.ClientRect());
  device.DrawFocusRect(*drawn_cue_);
}

}  // namespace fw
