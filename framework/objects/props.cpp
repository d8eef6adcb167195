#include "framework/objects/props.h"

namespace fw::props_detail {
namespace {
[[noreturn]] void InvalidValue(const String& prop) {
  throw EReadError(Format("Invalid property value for %s", prop.c_str()));
}
}  // namespace

long long AsInteger(const PropValue& v, const String& prop) {
  if (const auto* i = std::get_if<long long>(&v)) return *i;
  InvalidValue(prop);
}

bool AsBoolean(const PropValue& v, const String& prop) {
  if (const auto* b = std::get_if<bool>(&v)) return *b;
  InvalidValue(prop);
}

String AsString(const PropValue& v, const String& prop) {
  if (const auto* s = std::get_if<String>(&v)) return *s;
  InvalidValue(prop);
}

int AsEnum(const PropValue& v, const EnumInfo& names, const String& prop) {
  if (const auto* id = std::get_if<Ident>(&v)) {
    if (auto value = names.ValueOf(id->name)) return *value;
  }
  InvalidValue(prop);
}

std::string AsBytes(const PropValue& v, const String& prop) {
  if (const auto* b = std::get_if<Bytes>(&v)) return b->data;
  InvalidValue(prop);
}

long long AsNamedInteger(const PropValue& v, const NamedIntegers& names, const String& prop) {
  if (const auto* i = std::get_if<long long>(&v)) return *i;
  if (const auto* id = std::get_if<Ident>(&v)) {
    if (auto value = names.value_of(id->name)) return *value;
  }
  InvalidValue(prop);
}

}  // namespace fw::props_detail

namespace fw {

String OutOfRangeText(long long value, const String& property, const TObject& object, long long min,
                      long long max) {
  return Format("%lld is out of range for %s of %s (%lld..%lld)", value, property.c_str(),
                object.ClassName().c_str(), min, max);
}

PropInfo Limited(PropInfo p, int min, int max) {
  p.set = [set = std::move(p.set), name = p.name, min, max](TObject& o, const PropValue& v) {
    const long long n = props_detail::AsInteger(v, name);
    if (n < min || n > max) throw EReadError(OutOfRangeText(n, name, o, min, max));
    set(o, v);
  };
  return p;
}

}  // namespace fw
