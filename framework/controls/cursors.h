#pragma once
// Mouse cursor identities as controls carry them.
#include <optional>
#include <string_view>

#include "framework/objects/props.h"
#include "framework/objects/sysutils.h"
#include "platform/platform.h"

namespace fw {

using TCursor = int;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crHandPoint = -21;

std::optional<TCursor> CursorFromName(std::string_view name);
// The name of a known cursor, else its number as text.
String CursorToString(TCursor cursor);
pf::CursorShape CursorShapeOf(TCursor cursor);

// The names above as a cursor property is written with them.
extern const NamedIntegers kNamedCursors;

template <class T, class G, class S>
PropInfo CursorProp(String name, G get, S set, std::optional<int> def = std::nullopt) {
  return NamedIntegerProp<T, int>(std::move(name), PropType::Cursor, kNamedCursors, get, set, def);
}

}  // namespace fw
