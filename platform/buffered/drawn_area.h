#pragma once
// What was drawn on a window outside its paints and not yet put on screen: the union of the
// rectangles touched, put once per turn of the loop. A paint due to cover it puts it itself.
#include <optional>
#include <utility>

#include "platform/geometry.h"

namespace pf {

class DrawnArea {
 public:
  void Mark(const Rect& touched, const Rect& client) {
    area_ = area_.Union(touched.Intersect(client));
  }
  void Forget() { area_ = {}; }
  // A paint's put of `update` has carried what lies inside it.
  void PutByPaint(const Rect& update) {
    if (update.Union(area_) == update) area_ = {};
  }
  // What to put now, once; nothing while a paint is due, since that paint's put will carry it.
  std::optional<Rect> TakeUnless(bool paint_due) {
    if (area_.IsEmpty() || paint_due) return std::nullopt;
    return std::exchange(area_, Rect{});
  }

 private:
  Rect area_;
};

}  // namespace pf
