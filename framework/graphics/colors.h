#pragma once
// Colours: 0x00BBGGRR values, the system colours the platform looks up, and their names.
#include <cstdint>
#include <optional>
#include <string_view>

#include "framework/objects/props.h"
#include "framework/objects/sysutils.h"
#include "platform/device.h"

namespace fw {

// 0x00BBGGRR, or 0x80000000 + n for system colour n, looked up when drawn.
using TColor = std::int32_t;

inline constexpr TColor clSystemColor = static_cast<TColor>(0x80000000u);
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;
inline constexpr TColor clWindow = clSystemColor | 5;
inline constexpr TColor clWindowText = clSystemColor | 8;
inline constexpr TColor clHighlight = clSystemColor | 13;
inline constexpr TColor clHighlightText = clSystemColor | 14;
inline constexpr TColor clBtnFace = clSystemColor | 15;
inline constexpr TColor clBtnShadow = clSystemColor | 16;
inline constexpr TColor clBtnText = clSystemColor | 18;
inline constexpr TColor clBtnHighlight = clSystemColor | 20;

// Resolves system colours through the platform in force.
pf::ColorRef ColorToRGB(TColor color);
// "clBtnFace" and the other names above, else a hexadecimal literal "$00A56934".
String ColorToString(TColor color);
// Accepts a name above, "$hex" or a decimal number; false when the text is none of these.
bool StringToColor(std::string_view text, TColor* color);

// The names above as a colour property is written with them.
extern const NamedIntegers kNamedColors;

template <class T, class G, class S>
PropInfo ColorProp(String name, G get, S set, std::optional<TColor> def = std::nullopt) {
  return NamedIntegerProp<T, TColor>(std::move(name), PropType::Color, kNamedColors, get, set, def);
}

}  // namespace fw
