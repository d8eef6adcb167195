#pragma once
// Objects, components and the tables of published properties that form descriptions use.
#include <any>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <typeindex>
#include <variant>
#include <vector>

#include "framework/objects/sysutils.h"
#include "platform/alive.h"

namespace fw {

class TComponent;
struct ClassInfo;

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
  static const ClassInfo& StaticClass();
  virtual const ClassInfo& Class() const { return StaticClass(); }
  String ClassName() const;
  // True when this object's class is `info` or derives from it.
  bool InheritsFrom(const ClassInfo& info) const;
};

// An event: a method bound to an object, empty until assigned. It remembers the method's name so
// that a form description can store it.
template <class... Args>
class TEvent {
 public:
  using Function = std::function<void(Args...)>;
  TEvent() = default;
  TEvent(Function fn, String method_name = {})
      : fn_(std::move(fn)), name_(std::move(method_name)) {}
  explicit operator bool() const { return static_cast<bool>(fn_); }
  void operator()(Args... args) const { fn_(args...); }
  const String& MethodName() const { return name_; }
  void Clear() { *this = TEvent(); }

 private:
  Function fn_;
  String name_;
};

using TNotifyEvent = TEvent<TObject*>;

// ---- published properties -------------------------------------------------------------

// A value as a form description holds it.
struct Ident {
  String name;
  friend bool operator==(const Ident&, const Ident&) = default;
};
struct Bytes {
  std::string data;
  friend bool operator==(const Bytes&, const Bytes&) = default;
};
struct IdentSet {
  std::vector<String> names;
  friend bool operator==(const IdentSet&, const IdentSet&) = default;
};
using PropValue = std::variant<std::monostate, long long, bool, String, Ident, Bytes, IdentSet>;

enum class PropType { Integer, Boolean, String, Enum, Set, Color, Cursor, Event, Bytes };

struct EnumInfo {
  std::vector<std::pair<String, int>> names;
  std::optional<int> ValueOf(const String& name) const;
  const String* NameOf(int value) const;
};

// The names an integer property may be written with instead of a number (colours, cursors): the
// classes that give such properties know them, form descriptions only ask.
struct NamedIntegers {
  // The value a name stands for; nothing when it is none of the names.
  std::optional<long long> (*value_of)(std::string_view name);
  // The name a value is written with; nothing when it has none.
  std::optional<String> (*name_of)(long long value);
};

struct PropInfo {
  String name;
  PropType type = PropType::Integer;
  const EnumInfo* names = nullptr;       // Enum and Set types
  const NamedIntegers* named = nullptr;  // Color and Cursor types
  std::function<PropValue(const TObject&)> get;
  // Plain values; events go through `bind` (and are emptied by setting nothing).
  std::function<void(TObject&, const PropValue&)> set;
  // Events: bind to the method of that name on the root component.
  std::function<void(TObject&, TComponent& root, const String& method)> bind;
  // Whether the writer writes the property; by default when the value differs from
  // `default_value` (or, without a default, always; events and bytes when not empty).
  std::function<bool(const TObject&)> stored;
  std::optional<PropValue> default_value;

  bool IsStored(const TObject& object) const;
};

// A class as form descriptions know it: its name, its base, how to make one, and its published
// properties in declared order (the base's first).
struct ClassInfo {
  String name;
  const ClassInfo* parent = nullptr;
  std::function<TComponent*(TComponent* owner)> create;  // null for abstract classes
  std::vector<PropInfo> own_properties;

  std::vector<const PropInfo*> Properties() const;
  const PropInfo* FindProperty(const String& name) const;
  bool InheritsFrom(const ClassInfo& other) const;
};

// Classes that form descriptions may name.
void RegisterClass(const ClassInfo& info);
const ClassInfo* FindClass(const String& name);
const ClassInfo& GetClass(const String& name);  // raises EClassNotFound "Class %s not found"

// ---- components -------------------------------------------------------------------------

enum class ComponentState : unsigned { Loading = 1, Reading = 2, Destroying = 4, Designing = 8 };

class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  const ClassInfo& Class() const override;
  static const ClassInfo& StaticClass();

  TComponent* Owner() const { return owner_; }
  const String& Name() const { return name_; }
  // Raises EComponentError for a name that is not an identifier or is taken in the owner.
  virtual void SetName(const String& name);
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const {
    return components_.at(static_cast<std::size_t>(index));
  }
  TComponent* FindComponent(const String& name) const;

  bool HasState(ComponentState s) const { return (state_ & static_cast<unsigned>(s)) != 0; }
  void SetState(ComponentState s, bool on);

  // What a WeakRef to this component watches; it ends when the component is destroyed.
  const pf::AliveToken& Life() const { return life_; }

  // Runs while the whole object still exists, right before it is deleted by its owner or Free.
  virtual void BeforeDestruction() {}

  // Frees the owned components, last first.
  void DestroyComponents();

  // Called after a form description has been read into this component.
  virtual void Loaded() {}

  // The component a form description nests this one under (a control's parent); null places it
  // under the root. The reader sets it before it reads the component's properties.
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent* parent) { (void)parent; }

  // Methods that event properties of a form description can name.
  template <class C, class... Args>
  void PublishMethod(const String& name, void (C::*method)(Args...)) {
    C* self = static_cast<C*>(this);
    methods_.insert_or_assign(
        name, Method{std::type_index(typeid(void (*)(Args...))),
                     std::function<void(Args...)>(
                         [self, method](Args... args) { (self->*method)(args...); })});
  }
  // The published method `name` as an event of the given signature, named so; where it is
  // missing, what UnboundMethod supplies instead. Raises EReadError when it has another
  // signature, or is missing and nothing is supplied.
  template <class... Args>
  TEvent<Args...> MethodEvent(const String& name) const {
    using Function = std::function<void(Args...)>;
    const Method* m = FindMethod(name, std::type_index(typeid(void (*)(Args...))));
    return TEvent<Args...>(
        m ? std::any_cast<Function>(m->fn) : Function(StandInCall{StandIn(name)}), name);
  }
  // What runs for an event bound to the method `name` that this root does not have: none by
  // default (the method is missing). A stand-in for a class it does not link (a designer's)
  // accepts such names; the event keeps the name, so writers write it.
  virtual std::function<void()> UnboundMethod(const String& name) const {
    (void)name;
    return {};
  }

  // Fields bound to components of the same name after a form description has been read.
  template <class T>
  void PublishField(const String& name, T** field) {
    fields_.push_back(Field{name, [field](TComponent* c) {
                              T* typed = dynamic_cast<T*>(c);
                              if (c && !typed) return false;
                              *field = typed;
                              return true;
                            }});
  }
  // Binds every published field; raises EReadError naming a field whose component is missing or
  // of another class.
  void BindFields();
  // Empties every published field (after a failed read destroyed the components).
  void UnbindFields();

 protected:
  // A component owned by this one is about to go away.
  virtual void Notification(TComponent* component) { (void)component; }
  // Marks this component and every one it owns as Designing, or none of them; a component made
  // later with a Designing owner is Designing from its making.
  void SetDesigning(bool on);

 private:
  pf::AliveToken life_;
  struct Method {
    std::type_index signature;
    std::any fn;
  };
  struct Field {
    String name;
    std::function<bool(TComponent*)> bind;
  };
  // An event's call of a stand-in, whatever the event passes: one type for every signature, so
  // that each signature adds little to a program.
  struct StandInCall {
    std::function<void()> run;
    template <class... A>
    void operator()(A&&...) const {
      run();
    }
  };
  // Null when it is missing; raises EReadError when it has another signature.
  const Method* FindMethod(const String& name, std::type_index signature) const;
  // UnboundMethod's stand-in for `name`; raises EReadError when there is none.
  std::function<void()> StandIn(const String& name) const;
  void Insert(TComponent* component);
  void Remove(TComponent* component);

  TComponent* owner_ = nullptr;
  String name_;
  int tag_ = 0;
  unsigned state_ = 0;
  std::vector<TComponent*> components_;
  std::map<String, Method> methods_;
  std::vector<Field> fields_;
};

// Calls BeforeDestruction, then deletes: the way to free a component whose class has
// destruction events.
void Free(TComponent* component);

// A reference that knows whether the component it names still exists.
template <class T>
pf::WeakRef<T> WeakRefTo(T* component) {
  return component ? pf::WeakRef<T>(component, component->Life()) : pf::WeakRef<T>();
}

}  // namespace fw
