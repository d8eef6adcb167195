#pragma once
// Builders for published-property tables, so that each class lists its properties beside its
// own code: `IntegerProp("Left", &TControl::Left, &TControl::SetLeft)`.
#include <type_traits>
#include <utility>

#include "framework/classes.h"
#include "framework/graphics.h"

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
template <class T, class G>
auto Getter(G get) {
  return [get](const TObject& o) { return std::invoke(get, static_cast<const T&>(o)); };
}
template <class T, class S>
auto Setter(S set) {
  return [set](TObject& o, auto&& v) { std::invoke(set, static_cast<T&>(o), v); };
}
long long AsInteger(const PropValue& v, const String& prop);
bool AsBoolean(const PropValue& v, const String& prop);
String AsString(const PropValue& v, const String& prop);
int AsEnum(const PropValue& v, const PropInfo& prop);
TColor AsColor(const PropValue& v, const String& prop);
int AsCursor(const PropValue& v, const String& prop);
std::string AsBytes(const PropValue& v, const String& prop);
}  // namespace props_detail

// Stored-rule helper: a predicate on the concrete class.
template <class T, class F>
std::function<bool(const TObject&)> StoredIf(F f) {
  return [f](const TObject& o) { return f(static_cast<const T&>(o)); };
}

template <class T, class G, class S>
PropInfo IntegerProp(String name, G get, S set, std::optional<int> def = std::nullopt) {
  PropInfo p = NewProp(std::move(name), PropType::Integer);
  auto g = props_detail::Getter<T>(get);
  p.get = [g](const TObject& o) { return PropValue(static_cast<long long>(g(o))); };
  p.set = [set, n = p.name](TObject& o, const PropValue& v) {
    std::invoke(set, static_cast<T&>(o), static_cast<int>(props_detail::AsInteger(v, n)));
  };
  if (def) p.default_value = PropValue(static_cast<long long>(*def));
  return p;
}

template <class T, class G, class S>
PropInfo BooleanProp(String name, G get, S set, std::optional<bool> def = std::nullopt) {
  PropInfo p = NewProp(std::move(name), PropType::Boolean);
  auto g = props_detail::Getter<T>(get);
  p.get = [g](const TObject& o) { return PropValue(static_cast<bool>(g(o))); };
  p.set = [set, n = p.name](TObject& o, const PropValue& v) {
    std::invoke(set, static_cast<T&>(o), props_detail::AsBoolean(v, n));
  };
  if (def) p.default_value = PropValue(*def);
  return p;
}

template <class T, class G, class S>
PropInfo StringProp(String name, G get, S set, std::optional<String> def = std::nullopt) {
  PropInfo p = NewProp(std::move(name), PropType::String);
  auto g = props_detail::Getter<T>(get);
  p.get = [g](const TObject& o) { return PropValue(String(g(o))); };
  p.set = [set, n = p.name](TObject& o, const PropValue& v) {
    std::invoke(set, static_cast<T&>(o), props_detail::AsString(v, n));
  };
  if (def) p.default_value = PropValue(*def);
  return p;
}

template <class T, class G, class S>
PropInfo ColorProp(String name, G get, S set, std::optional<TColor> def = std::nullopt) {
  PropInfo p = NewProp(std::move(name), PropType::Color);
  auto g = props_detail::Getter<T>(get);
  p.get = [g](const TObject& o) { return PropValue(static_cast<long long>(g(o))); };
  p.set = [set, n = p.name](TObject& o, const PropValue& v) {
    std::invoke(set, static_cast<T&>(o), props_detail::AsColor(v, n));
  };
  if (def) p.default_value = PropValue(static_cast<long long>(*def));
  return p;
}

template <class T, class G, class S>
PropInfo CursorProp(String name, G get, S set, std::optional<int> def = std::nullopt) {
  PropInfo p = NewProp(std::move(name), PropType::Cursor);
  auto g = props_detail::Getter<T>(get);
  p.get = [g](const TObject& o) { return PropValue(static_cast<long long>(g(o))); };
  p.set = [set, n = p.name](TObject& o, const PropValue& v) {
    std::invoke(set, static_cast<T&>(o), props_detail::AsCursor(v, n));
  };
  if (def) p.default_value = PropValue(static_cast<long long>(*def));
  return p;
}

// An enumeration stored by name; E is the C++ enum type.
template <class T, class E, class G, class S>
PropInfo EnumProp(String name, const EnumInfo& names, G get, S set, std::optional<E> def = std::nullopt) {
  PropInfo p = NewProp(std::move(name), PropType::Enum, &names);
  auto g = props_detail::Getter<T>(get);
  p.get = [g, &names](const TObject& o) {
    const String* n = names.NameOf(static_cast<int>(g(o)));
    return n ? PropValue(Ident{*n}) : PropValue(static_cast<long long>(g(o)));
  };
  p.set = [set, self = p](TObject& o, const PropValue& v) mutable {
    std::invoke(set, static_cast<T&>(o), static_cast<E>(props_detail::AsEnum(v, self)));
  };
  if (def) p.default_value = PropValue(Ident{*names.NameOf(static_cast<int>(*def))});
  return p;
}

template <class T, class G, class S>
PropInfo BytesProp(String name, G get, S set) {
  PropInfo p = NewProp(std::move(name), PropType::Bytes);
  auto g = props_detail::Getter<T>(get);
  p.get = [g](const TObject& o) { return PropValue(Bytes{std::string(g(o))}); };
  p.set = [set, n = p.name](TObject& o, const PropValue& v) {
    std::invoke(set, static_cast<T&>(o), props_detail::AsBytes(v, n));
  };
  return p;
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
  p.stored = [field](const TObject& o) { return static_cast<bool>(static_cast<const T&>(o).*field); };
  return p;
}

// Declares the class-information accessors of a published class.
#define QF_PUBLISHED_CLASS()                                   \
 public:                                                       \
  static const ::fw::ClassInfo& StaticClass();                 \
  const ::fw::ClassInfo& Class() const override { return StaticClass(); }

}  // namespace fw
