#pragma once
// What was drawn on a window outside its paints and not yet put on screen, put once per turn of
// the loop: the rectangles touched, those that overlap or nearly touch joined, those apart kept
// apart (a key that moves the focus between two buttons far from each other puts the two, not the
// band between them), a few at most. A paint due to cover one puts it itself.
#include <vector>

#include "platform/geometry.h"

namespace pf {

class DrawnArea {
 public:
  void Mark(const Rect& touched, const Rect& client);
  void Forget() { areas_.clear(); }
  // A paint's put of `update` has carried what lies inside it.
  void PutByPaint(const Rect& update);
  // What to put now, once; nothing while a paint is due, since that paint's put will carry it.
  std::vector<Rect> TakeUnless(bool paint_due);

 private:
  // More than this many apart are put as one.
  static constexpr std::size_t kMostApart = 4;
  std::vector<Rect> areas_;
};

}  // namespace pf
