#include "framework/controls/cursors.h"

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

std::optional<TCursor> CursorFromName(std::string_view name) {
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

namespace {
std::optional<long long> NamedCursorValue(std::string_view name) {
  if (auto cursor = CursorFromName(name)) return *cursor;
  return std::nullopt;
}

std::optional<String> NamedCursorName(long long value) {
  String name = CursorToString(static_cast<TCursor>(value));
  if (name.starts_with("cr")) return name;
  return std::nullopt;
}
}  // namespace

const NamedIntegers kNamedCursors{&NamedCursorValue, &NamedCursorName};

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
