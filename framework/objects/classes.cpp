#include "framework/objects/classes.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "framework/objects/props.h"

namespace fw {

// ---- classes ------------------------------------------------------------------------------

namespace {
std::map<String, const ClassInfo*>& Registry() {
  static std::map<String, const ClassInfo*> registry;
  return registry;
}

bool IsIdentifier(const String& name) {
  if (name.empty()) return false;
  auto first = static_cast<unsigned char>(name[0]);
  if (!std::isalpha(first) && first != '_') return false;
  return std::all_of(name.begin(), name.end(), [](char c) {
    auto u = static_cast<unsigned char>(c);
    return std::isalnum(u) || u == '_';
  });
}
}  // namespace

void RegisterClass(const ClassInfo& info) { Registry()[info.name] = &info; }

const ClassInfo* FindClass(const String& name) {
  auto it = Registry().find(name);
  return it == Registry().end() ? nullptr : it->second;
}

const ClassInfo& GetClass(const String& name) {
  const ClassInfo* info = FindClass(name);
  if (!info) throw EClassNotFound(Format("Class %s not found", name.c_str()));
  return *info;
}

std::vector<const PropInfo*> ClassInfo::Properties() const {
  std::vector<const PropInfo*> all = parent ? parent->Properties() : std::vector<const PropInfo*>{};
  for (const PropInfo& p : own_properties) {
    // A class may restate an inherited property (another stored rule); it keeps its place.
    auto same =
        std::find_if(all.begin(), all.end(), [&](const PropInfo* q) { return q->name == p.name; });
    if (same != all.end()) {
      *same = &p;
    } else {
      all.push_back(&p);
    }
  }
  return all;
}

const PropInfo* ClassInfo::FindProperty(const String& prop_name) const {
  for (const ClassInfo* c = this; c; c = c->parent) {
    for (const PropInfo& p : c->own_properties) {
      if (p.name == prop_name) return &p;
    }
  }
  return nullptr;
}

bool ClassInfo::InheritsFrom(const ClassInfo& other) const {
  for (const ClassInfo* c = this; c; c = c->parent) {
    if (c == &other) return true;
  }
  return false;
}

std::optional<int> EnumInfo::ValueOf(const String& name) const {
  for (const auto& [n, v] : names) {
    if (n == name) return v;
  }
  return std::nullopt;
}

const String* EnumInfo::NameOf(int value) const {
  for (const auto& [n, v] : names) {
    if (v == value) return &n;
  }
  return nullptr;
}

bool PropInfo::IsStored(const TObject& object) const {
  if (stored) return stored(object);
  PropValue value = get(object);
  if (std::holds_alternative<std::monostate>(value)) return false;
  if (const auto* bytes = std::get_if<Bytes>(&value)) return !bytes->data.empty();
  if (default_value) return value != *default_value;
  return true;
}

// ---- objects ------------------------------------------------------------------------------

const ClassInfo& TObject::StaticClass() {
  static const ClassInfo info = NewClass("TObject", nullptr);
  return info;
}

String TObject::ClassName() const { return Class().name; }

bool TObject::InheritsFrom(const ClassInfo& info) const { return Class().InheritsFrom(info); }

// ---- components ---------------------------------------------------------------------------

const ClassInfo& TComponent::StaticClass() {
  static const ClassInfo info = [] {
    ClassInfo c = NewClass("TComponent", &TObject::StaticClass());
    c.own_properties.push_back(
        IntegerProp<TComponent>("Tag", &TComponent::Tag, &TComponent::SetTag, 0));
    return c;
  }();
  return info;
}

const ClassInfo& TComponent::Class() const { return StaticClass(); }

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->Insert(this);
}

TComponent::~TComponent() {
  SetState(ComponentState::Destroying, true);
  DestroyComponents();
  if (owner_) owner_->Remove(this);
}

void TComponent::Insert(TComponent* component) {
  components_.push_back(component);
  component->owner_ = this;
  if (HasState(ComponentState::Designing)) component->SetDesigning(true);
}

void TComponent::SetDesigning(bool on) {
  SetState(ComponentState::Designing, on);
  for (TComponent* c : components_) c->SetDesigning(on);
}

void TComponent::Remove(TComponent* component) {
  Notification(component);
  auto it = std::find(components_.begin(), components_.end(), component);
  if (it != components_.end()) components_.erase(it);
  component->owner_ = nullptr;
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* last = components_.back();
    last->BeforeDestruction();
    Remove(last);
    delete last;
  }
}

void Free(TComponent* component) {
  if (!component) return;
  component->BeforeDestruction();
  delete component;
}

void TComponent::SetName(const String& name) {
  if (name == name_) return;
  if (!name.empty() && !IsIdentifier(name)) {
    throw EComponentError(Format("'%s' is not a valid component name", name.c_str()));
  }
  if (owner_ && !name.empty()) {
    TComponent* other = owner_->FindComponent(name);
    if (other && other != this) {
      throw EComponentError(Format("A component named %s already exists", name.c_str()));
    }
  }
  name_ = name;
}

TComponent* TComponent::FindComponent(const String& name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_) {
    if (c->name_.size() == name.size() &&
        std::equal(name.begin(), name.end(), c->name_.begin(), [](char a, char b) {
          return std::tolower(static_cast<unsigned char>(a)) ==
                 std::tolower(static_cast<unsigned char>(b));
        })) {
      return c;
    }
  }
  return nullptr;
}

void TComponent::SetState(ComponentState s, bool on) {
  if (on) {
    state_ |= static_cast<unsigned>(s);
  } else {
    state_ &= ~static_cast<unsigned>(s);
  }
}

const TComponent::Method* TComponent::FindMethod(const String& name,
                                                 std::type_index signature) const {
  auto it = methods_.find(name);
  if (it == methods_.end()) return nullptr;
  if (it->second.signature != signature) {
    throw EReadError(
        Format("Method %s of %s does not fit the event", name.c_str(), ClassName().c_str()));
  }
  return &it->second;
}

std::function<void()> TComponent::StandIn(const String& name) const {
  std::function<void()> stand_in = UnboundMethod(name);
  if (!stand_in) {
    throw EReadError(Format("Method %s not found in %s", name.c_str(), ClassName().c_str()));
  }
  return stand_in;
}

void TComponent::BindFields() {
  for (const Field& f : fields_) {
    TComponent* c = FindComponent(f.name);
    if (!c)
      throw EReadError(Format("Component %s not found in %s", f.name.c_str(), ClassName().c_str()));
    if (!f.bind(c)) {
      throw EReadError(Format("Component %s of %s has the wrong class %s", f.name.c_str(),
                              ClassName().c_str(), c->ClassName().c_str()));
    }
  }
}

void TComponent::UnbindFields() {
  for (const Field& f : fields_) f.bind(nullptr);
}

}  // namespace fw
