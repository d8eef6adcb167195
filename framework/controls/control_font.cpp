#include "framework/controls/control_font.h"

#include "framework/controls/control.h"

namespace fw {
namespace {
const EnumInfo kFontStyleNames{
    {{"fsBold", 0}, {"fsItalic", 1}, {"fsUnderline", 2}, {"fsStrikeOut", 3}}};

PropValue StyleToValue(TFontStyles style) {
  IdentSet set;
  for (const auto& [name, bit] : kFontStyleNames.names) {
    if (style.Contains(static_cast<TFontStyle>(bit))) set.names.push_back(name);
  }
  return set;
}

TFontStyles ValueToStyle(const PropValue& v) {
  const auto* set = std::get_if<IdentSet>(&v);
  if (!set) throw EReadError("Invalid property value for Font.Style");
  TFontStyles style;
  for (const String& name : set->names) {
    auto bit = kFontStyleNames.ValueOf(name);
    if (!bit) throw EReadError(Format("Invalid property value for Font.Style: %s", name.c_str()));
    style.Include(static_cast<TFontStyle>(*bit));
  }
  return style;
}
}  // namespace

std::vector<PropInfo> FontProperties() {
  using T = TControl;
  auto own_font = StoredIf<T>([](const T& c) { return !c.ParentFont(); });
  std::vector<PropInfo> props;
  props.push_back(StringProp<T>(
      "Font.Name", [](const T& c) { return c.Font()->Name(); },
      [](T& c, const String& v) { c.Font()->SetName(v); }));
  props.push_back(ColorProp<T>(
      "Font.Color", [](const T& c) { return c.Font()->Color(); },
      [](T& c, TColor v) { c.Font()->SetColor(v); }));
  props.push_back(IntegerProp<T>(
      "Font.Size", [](const T& c) { return c.Font()->Size(); },
      [](T& c, int v) { c.Font()->SetSize(v); }));
  PropInfo style = NewProp("Font.Style", PropType::Set, &kFontStyleNames);
  style.get = [](const TObject& o) {
    return StyleToValue(static_cast<const T&>(o).Font()->Style());
  };
  style.set = [](TObject& o, const PropValue& v) {
    static_cast<T&>(o).Font()->SetStyle(ValueToStyle(v));
  };
  props.push_back(style);
  for (PropInfo& p : props) p.stored = own_font;
  return props;
}

}  // namespace fw
