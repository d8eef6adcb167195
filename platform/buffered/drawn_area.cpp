#include "platform/buffered/drawn_area.h"

#include <algorithm>
#include <utility>

namespace pf {
namespace {

// Closer than this, two are put as one: a few pixels between them cost less than a second put.
constexpr int kJoinGap = 8;

bool Near(const Rect& a, const Rect& b) {
  return a.left <= b.right + kJoinGap && b.left <= a.right + kJoinGap &&
         a.top <= b.bottom + kJoinGap && b.top <= a.bottom + kJoinGap;
}

}  // namespace

void DrawnArea::Mark(const Rect& touched, const Rect& client) {
  Rect area = touched.Intersect(client);
  if (area.IsEmpty()) return;
  // Joining two may make the union meet a third: look again until nothing joins.
  for (auto it = areas_.begin(); it != areas_.end();) {
    if (Near(*it, area)) {
      area = area.Union(*it);
      areas_.erase(it);
      it = areas_.begin();
    } else {
      ++it;
    }
  }
  areas_.push_back(area);
  if (areas_.size() > kMostApart) {
    Rect all;
    for (const Rect& r : areas_) all = all.Union(r);
    areas_.assign(1, all);
  }
}

void DrawnArea::PutByPaint(const Rect& update) {
  std::erase_if(areas_, [&](const Rect& r) { return update.Union(r) == update; });
}

std::vector<Rect> DrawnArea::TakeUnless(bool paint_due) {
  if (paint_due) return {};
  return std::exchange(areas_, {});
}

}  // namespace pf
