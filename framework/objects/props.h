#pragma once
// Builders for published-property tables, so that each class lists its properties beside its
// own code: `IntegerProp("Left", &TControl::Left, &TControl::SetLeft)`.
#include <type_traits>
#include <utility>

#include "framework/objects/classes.h"

namespace fw {

inline PropInfo NewProp(String name, PropType type, const EnumInfo* names = nullptr) {
  PropInfo p;
  p.name = std::move(name);
  p.type = type;
  p.names = names;
  return p;
}

inline ClassInfo NewClass(String name, const ClassInfo* parent,
                          std::function<TComponent*(TComponent*)> create = nullptr) {
  ClassInfo c;
  c.name = std::move(name);
  c.parent = parent;
  c.create = std::move(create);
  return c;
}

namespace props_detail {
long long AsInteger(const PropValue& v, const String& prop);
bool AsBoolean(const PropValue& v, const String& prop);
String AsString(const PropValue& v, const String& prop);
int AsEnum(const PropValue& v, const EnumInfo& names, const String& prop);
std::string AsBytes(const PropValue& v, const String& prop);
long long AsNamedInteger(const PropValue& v, const NamedIntegers& names, const String& prop);
}  // namespace props_detail

// Stored-rule helper: a predicate on the concrete class.
template <class T, class F>
std::function<bool(const TObject&)> StoredIf(F f) {
  return [f](const TObject& o) { return f(static_cast<const T&>(o)); };
}

namespace props_detail {
// A property whose value converts to a PropValue by `to_value` and back by `from_value`.
template <class T, class G, class S, class To, class From>
PropInfo Make(String name, PropType type, G get, S set, To to_value, From from_value) {
  PropInfo p = NewProp(std::move(name), type);
  p.get = [get, to_value](const TObject& o) {
    return to_value(std::invoke(get, static_cast<const T&>(o)));
  };
  p.set = [set, from_value, n = p.name](TObject& o, const PropValue& v) {
    std::invoke(set, static_cast<T&>(o), from_value(v, n));
  };
  return p;
}

inline PropValue Number(long long v) { return PropValue(v); }
}  // namespace props_detail

template <class T, class G, class S>
PropInfo IntegerProp(String name, G get, S set, std::optional<int> def = std::nullopt) {
  PropInfo p = props_detail::Make<T>(
      std::move(name), PropType::Integer, get, set, [](auto v) { return props_detail::Number(v); },
      [](const PropValue& v, const String& n) {
        return static_cast<int>(props_detail::AsInteger(v, n));
      });
  if (def) p.default_value = props_detail::Number(*def);
  return p;
}

template <class T, class G, class S>
PropInfo BooleanProp(String name, G get, S set, std::optional<bool> def = std::nullopt) {
  PropInfo p = props_detail::Make<T>(
      std::move(name), PropType::Boolean, get, set, [](bool v) { return PropValue(v); },
      props_detail::AsBoolean);
  if (def) p.default_value = PropValue(*def);
  return p;
}

template <class T, class G, class S>
PropInfo StringProp(String name, G get, S set, std::optional<String> def = std::nullopt) {
  PropInfo p = props_detail::Make<T>(
      std::move(name), PropType::String, get, set, [](const String& v) { return PropValue(v); },
      props_detail::AsString);
  if (def) p.default_value = PropValue(*def);
  return p;
}

// An integer of type V that may also be written as one of `names` (PropType Color or Cursor).
// The builders ColorProp and CursorProp sit beside the colours and the cursors.
template <class T, class V, class G, class S>
PropInfo NamedIntegerProp(String name, PropType type, const NamedIntegers& names, G get, S set,
                          std::optional<V> def) {
  PropInfo p = props_detail::Make<T>(
      std::move(name), type, get, set, [](V v) { return props_detail::Number(v); },
      [&names](const PropValue& v, const String& n) {
        return static_cast<V>(props_detail::AsNamedInteger(v, names, n));
      });
  p.named = &names;
  if (def) p.default_value = props_detail::Number(*def);
  return p;
}

// An enumeration stored by name; E is the C++ enum type.
template <class T, class E, class G, class S>
PropInfo EnumProp(String name, const EnumInfo& names, G get, S set,
                  std::optional<E> def = std::nullopt) {
  PropInfo p = props_detail::Make<T>(
      std::move(name), PropType::Enum, get, set,
      [&names](E v) {
        const String* n = names.NameOf(static_cast<int>(v));
        return n ? PropValue(Ident{*n}) : props_detail::Number(static_cast<int>(v));
      },
      [&names](const PropValue& v, const String& n) {
        return static_cast<E>(props_detail::AsEnum(v, names, n));
      });
  p.names = &names;
  if (def) p.default_value = PropValue(Ident{*names.NameOf(static_cast<int>(*def))});
  return p;
}

template <class T, class G, class S>
PropInfo BytesProp(String name, G get, S set) {
  return props_detail::Make<T>(
      std::move(name), PropType::Bytes, get, set,
      [](const std::string& v) { return PropValue(Bytes{v}); }, props_detail::AsBytes);
}

// An event field `TEvent<Args...> T::*`, stored as the name of the root's method.
template <class T, class... Args>
PropInfo EventProp(String name, TEvent<Args...> T::*field) {
  PropInfo p = NewProp(std::move(name), PropType::Event);
  p.get = [field](const TObject& o) {
    const auto& e = static_cast<const T&>(o).*field;
    return e ? PropValue(Ident{e.MethodName()}) : PropValue();
  };
  p.bind = [field](TObject& o, TComponent& root, const String& method) {
    static_cast<T&>(o).*field = root.template MethodEvent<Args...>(method);
  };
  // Set only to empty it (what a form without the property has); a method is bound by name.
  p.set = [field, n = p.name](TObject& o, const PropValue& v) {
    if (!std::holds_alternative<std::monostate>(v)) {
      throw EInvalidOperation("event " + n + " is bound to a method by its name");
    }
    (static_cast<T&>(o).*field).Clear();
  };
  p.stored = [field](const TObject& o) {
    return static_cast<bool>(static_cast<const T&>(o).*field);
  };
  return p;
}

// "V is out of range for P of C (min..max)", the words of every bounds check.
String OutOfRangeText(long long value, const String& property, const TObject& object, long long min,
                      long long max);

// The property with its value from a form description checked against [min, max] before it is
// set; raises EReadError otherwise. Values set in code are not checked here.
PropInfo Limited(PropInfo p, int min, int max);

// Declares the class-information accessors of a published class.
#define QF_PUBLISHED_CLASS()                   \
 public:                                       \
  static const ::fw::ClassInfo& StaticClass(); \
  const ::fw::ClassInfo& Class() const override { return StaticClass(); }

}  // namespace fw
