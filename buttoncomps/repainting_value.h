#pragma once
// A property value that its button holds and whose writer redraws the button at once, by the
// button's own Paint instead of a later repaint, also when the value is unchanged. The value is
// stored first, so it stays when drawing fails for want of a parent.
#include <utility>

#include "framework/controls/graphic_control.h"

namespace bc {

template <class V>
class RepaintingValue {
 public:
  explicit RepaintingValue(fw::TGraphicControl& button) : button_(button) {}

  const V& Get() const { return value_; }
  void Write(V value) {
    value_ = std::move(value);
    button_.Paint();
  }
  // Without drawing: the button's construction, and values it takes for itself.
  void Store(V value) { value_ = std::move(value); }

 private:
  fw::TGraphicControl& button_;
  V value_{};
};

}  // namespace bc
