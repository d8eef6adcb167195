#include "framework/controls_cursor.h"

#include <array>
#include <utility>

namespace fw {
namespace {
constexpr std::array<std::pair<const char*, TCursor>, 7> kNames{{
    {"crDefault", crDefault},
    {"crNone", crNone},
    {"crArrow", crArrow},
    {"crCross", crCross},
    {"crIBeam", crIBeam},
    {"crHourGlass", crHourGlass},
    {"crHandPoint", crHandPoint},
}};
}  // namespace

std::optional<TCursor> CursorFromName(const String& name) {
  for (const auto& [n, c] : kNames) {
    if (name == n) return c;
  }
  return std::nullopt;
}

String CursorToString(TCursor cursor) {
  for (const auto& [n, c] : kNames) {
    if (cursor == c) return n;
  }
  return std::to_string(cursor);
}

pf::CursorShape CursorShapeOf(TCursor cursor) {
  switch (cursor) {
    case crHandPoint: return pf::CursorShape::HandPoint;
    case crIBeam: return pf::CursorShape::IBeam;
    case crHourGlass: return pf::CursorShape::Wait;
    case crCross: return pf::CursorShape::Cross;
    default: return pf::CursorShape::Arrow;
  }
}

}  // namespace fw
