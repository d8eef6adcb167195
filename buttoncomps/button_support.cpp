#include "buttoncomps/button_support.h"

namespace bc {

void AppendHintAndFontProperties(std::vector<fw::PropInfo>& props) {
  using T = fw::TControl;
  props.push_back(fw::BooleanProp<T>("ShowHint", &T::ShowHint, &T::SetShowHint));
  props.back().stored = fw::StoredIf<T>([](const T& c) { return !c.ParentShowHint(); });
  props.push_back(
      fw::BooleanProp<T>("ParentShowHint", &T::ParentShowHint, &T::SetParentShowHint, true));
  props.push_back(fw::EventProp<T>("OnMouseMove", &T::OnMouseMove));
  for (fw::PropInfo& font : fw::FontProperties()) props.push_back(std::move(font));
}

bool CallMouseEvent(fw::TControl& self, const fw::TMouseEvent& event, fw::TMouseButton button,
                    fw::TShiftState shift, int x, int y) {
  if (!event) return true;
  const auto watch = fw::WeakRefTo(&self);
  // A copy: the handler may destroy the button and the event with it.
  const fw::TMouseEvent handler = event;
  handler(&self, button, shift, x, y);
  return watch.Alive();
}

}  // namespace bc
