#pragma once
// Pieces the button classes share: halving, the control under the pointer, the published
// properties they take over from the base, and calling a mouse event safely.
#include <vector>

#include "framework/controls/control.h"
#include "framework/controls/control_font.h"

namespace bc {

// Halves toward zero, each quantity on its own: Half(-25) is -12.
constexpr int Half(int v) { return v / 2; }

// Whether the topmost control under the pointer now (disabled ones included) is `control`.
inline bool IsUnderPointer(const fw::TControl& control) { return control.UnderPointer(); }

// Property accessors for a plain field: reading and writing go straight to the value.
template <class T, class V>
auto FieldGet(V T::*field) {
  return [field](const T& o) { return o.*field; };
}
template <class T, class V>
auto FieldSet(V T::*field) {
  return [field](T& o, V v) { o.*field = v; };
}

// ShowHint (stored while ParentShowHint is off), ParentShowHint (stored when off), OnMouseMove
// and Font (stored while ParentFont is off), published again by each button in this order.
void AppendHintAndFontProperties(std::vector<fw::PropInfo>& props);

// The events a button hands its press and release to; invoking one may destroy the button.
// Returns whether the button still exists afterwards.
bool CallMouseEvent(fw::TControl& self, const fw::TMouseEvent& event, fw::TMouseButton button,
                    fw::TShiftState shift, int x, int y);

}  // namespace bc
