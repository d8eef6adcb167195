// Colour names for the streaming tests until the framework's own colour functions are built.
// Weak, so that the framework's definitions win once they exist; delete this file then.
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "framework/graphics.h"

namespace fw {
namespace {
constexpr std::pair<const char*, TColor> kNames[] = {
    {"clBlack", clBlack}, {"clRed", clRed}, {"clWhite", clWhite}, {"clWindow", clWindow}, {"clBtnFace", clBtnFace}};
}

__attribute__((weak)) String ColorToString(TColor color) {
  for (auto [name, c] : kNames) {
    if (c == color) return name;
  }
  return Format("$%08X", static_cast<unsigned>(color));
}

__attribute__((weak)) bool StringToColor(std::string_view text, TColor* color) {
  for (auto [name, c] : kNames) {
    if (text == name) return *color = c, true;
  }
  return false;
}
}  // namespace fw
