#pragma once
// Mouse cursor identities as controls carry them.
#include <optional>

#include "framework/sysutils.h"
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

std::optional<TCursor> CursorFromName(const String& name);
// The name of a known cursor, else its number as text.
String CursorToString(TCursor cursor);
pf::CursorShape CursorShapeOf(TCursor cursor);

}  // namespace fw
