// Reads form descriptions, text or binary; their items are described in syntax.h.
#include "framework/description/reader.h"

#include <climits>
#include <memory>
#include <set>

#include "framework/description/syntax.h"

namespace fw {
namespace {

using namespace syntax;
using Kind = SyntaxValue::Kind;

void MarkLoading(TComponent& c, bool on) {
  c.SetState(ComponentState::Loading, on);
  c.SetState(ComponentState::Reading, on);
}

String PropertyOf(const PropInfo& p, const TComponent& obj) {
  return p.name + " of " + obj.ClassName();
}

// The semantics of a description, whichever syntax it comes in: classes, properties and their
// types, events, the loading protocol, and cleaning up after an error. Without a source it sets
// single properties, and its messages name no position.
class Reader {
 public:
  explicit Reader(SyntaxSource* source) : source_(source) {}

  SyntaxItem ReadHeader() { return source_->Next(); }

  String Positioned(long long pos, const String& what) const {
    return source_ ? source_->Where(pos) + ": " + what : what;
  }

  [[noreturn]] void Fail(long long pos, const String& what) const {
    throw EReadError(Positioned(pos, what));
  }

  // Runs a framework call made for a position, prefixing what it raises with the position.
  template <class F>
  void At(long long pos, F&& call) const {
    try {
      call();
    } catch (const EClassNotFound& e) {
      throw EClassNotFound(Positioned(pos, e.Message()));
    } catch (const Exception& e) {
      Fail(pos, e.Message());
    }
  }

  const ClassInfo& CreatableClass(const SyntaxItem& header) const {
    const ClassInfo* cls = nullptr;
    At(header.pos, [&] { cls = &GetClass(header.class_name); });
    if (!cls->create)
      Fail(header.pos, "objects of class " + header.class_name + " cannot be created");
    return *cls;
  }

  // Reads the rest of the description into `root`; on failure destroys what it created.
  void ReadRoot(TComponent& root, const SyntaxItem& header) {
    root_ = &root;
    MarkLoading(root, true);
    read_.push_back({&root, header.pos});
    try {
      if (!header.name.empty()) At(header.pos, [&] { root.SetName(header.name); });
      ReadBody(root);
      source_->Next();  // the end: the syntax raises for anything after the top object
      Finish(header);
    } catch (...) {
      Abandon();
      throw;
    }
  }

  // One property of `obj` set from `v`, its events bound to methods of `root`.
  void SetProperty(TComponent& obj, TComponent& root, const String& name, SyntaxValue& v) {
    root_ = &root;
    Apply(obj, PublishedProperty(obj, name, v.pos), v.pos, v);
  }

 private:
  void ReadBody(TComponent& obj) {
    std::set<String> seen;
    for (;;) {
      SyntaxItem item = source_->Next();
      switch (item.kind) {
        case SyntaxItem::Kind::Property: ReadProperty(obj, item, seen); break;
        case SyntaxItem::Kind::Object: ReadChild(obj, item); break;
        default: return;  // the object's end: the syntax raises when it is missing
      }
    }
  }

  void ReadChild(TComponent& parent, const SyntaxItem& h) {
    // Each level is a call deeper: a crafted description must not exhaust the stack.
    if (++depth_ > kMostNesting)
      Fail(h.pos, Format("objects nested more than %d deep", kMostNesting));
    const ClassInfo& cls = CreatableClass(h);
    TComponent* child = nullptr;
    At(h.pos, [&] { child = cls.create(root_); });
    created_.push_back(child);
    read_.push_back({child, h.pos});
    MarkLoading(*child, true);
    if (!h.name.empty()) At(h.pos, [&] { child->SetName(h.name); });
    At(h.pos, [&] { child->SetParentComponent(&parent); });
    ReadBody(*child);
    --depth_;
  }

  void ReadProperty(TComponent& obj, const SyntaxItem& name, std::set<String>& seen) {
    const PropInfo& p = PublishedProperty(obj, name.name, name.pos);
    if (!seen.insert(p.name).second)
      Fail(name.pos, "property " + PropertyOf(p, obj) + " given twice");
    SyntaxValue v = source_->NextValue(name.name);
    Apply(obj, p, name.pos, v);
  }

  const PropInfo& PublishedProperty(const TComponent& obj, const String& name, long long pos) {
    const PropInfo* p = name == "Name" ? nullptr : obj.Class().FindProperty(name);
    if (!p) Fail(pos, "unknown property '" + name + "' of " + obj.ClassName());
    return *p;
  }

  // Sets the property named at `pos` to `v`, or raises before anything changed.
  void Apply(TComponent& obj, const PropInfo& p, long long pos, SyntaxValue& v) {
    if (v.kind == Kind::File) {
      Fail(v.pos, p.name + " names the file " + v.text +
                      "; a description with file references must be converted (qf_formconv) before "
                      "it is read");
    }
    if (p.type == PropType::Event) {
      String method = IdentifierOf(v, p, obj);
      if (!p.bind) Fail(pos, "event " + PropertyOf(p, obj) + " cannot be set");
      At(v.pos, [&] { p.bind(obj, *root_, method); });
      return;
    }
    PropValue value = Convert(v, p, obj);
    if (!p.set) Fail(pos, "property " + PropertyOf(p, obj) + " cannot be set");
    At(v.pos, [&] { p.set(obj, value); });
  }

  [[noreturn]] void WrongType(const SyntaxValue& v, const PropInfo& p, const TComponent& obj,
                              const char* wanted) {
    Fail(v.pos, PropertyOf(p, obj) + " needs " + wanted + ", not " + Describe(v));
  }

  const String& IdentifierOf(const SyntaxValue& v, const PropInfo& p, const TComponent& obj) {
    if (v.kind != Kind::Ident) WrongType(v, p, obj, "a name");
    return v.text;
  }

  long long Int32Of(const SyntaxValue& v, const PropInfo& p, const TComponent& obj) {
    long long n = v.number;
    if (n < INT_MIN || n > INT_MAX)
      Fail(v.pos, Format("%lld is out of range for ", n) + PropertyOf(p, obj));
    return n;
  }

  PropValue Convert(SyntaxValue& v, const PropInfo& p, const TComponent& obj) {
    switch (p.type) {
      case PropType::Integer:
        if (v.kind != Kind::Integer) WrongType(v, p, obj, "an integer");
        return Int32Of(v, p, obj);
      case PropType::Boolean: {
        const String& name = IdentifierOf(v, p, obj);
        if (name != "True" && name != "False") WrongType(v, p, obj, "True or False");
        return name == "True";
      }
      case PropType::String:
        if (v.kind != Kind::String) WrongType(v, p, obj, "a string");
        return std::move(v.text);
      case PropType::Bytes:
        if (v.kind != Kind::Bytes) WrongType(v, p, obj, "a byte block");
        return Bytes{std::move(v.text)};
      case PropType::Set: return SetOf(v, p, obj);
      case PropType::Color:
      case PropType::Cursor:
        if (v.kind == Kind::Integer) return Int32Of(v, p, obj);
        return NamedValue(v, p, obj);
      default: return NamedValue(v, p, obj);
    }
  }

  bool KnownName(const PropInfo& p, const String& name) const {
    switch (p.type) {
      case PropType::Color:
      case PropType::Cursor: return p.named && p.named->value_of(name).has_value();
      default: return !p.names || p.names->ValueOf(name).has_value();
    }
  }

  PropValue NamedValue(const SyntaxValue& v, const PropInfo& p, const TComponent& obj) {
    const String& name = IdentifierOf(v, p, obj);
    if (!KnownName(p, name)) Fail(v.pos, "unknown value '" + name + "' for " + PropertyOf(p, obj));
    return Ident{name};
  }

  PropValue SetOf(const SyntaxValue& v, const PropInfo& p, const TComponent& obj) {
    if (v.kind != Kind::Set) WrongType(v, p, obj, "a set");
    std::set<String> seen;
    for (const String& name : v.names) {
      if (!KnownName(p, name))
        Fail(v.pos, "unknown value '" + name + "' for " + PropertyOf(p, obj));
      if (!seen.insert(name).second)
        Fail(v.pos, "'" + name + "' twice in the set for " + PropertyOf(p, obj));
    }
    return IdentSet{v.names};
  }

  void Finish(const SyntaxItem& header) {
    for (auto& [c, pos] : read_) c->SetState(ComponentState::Reading, false);
    for (auto& [c, pos] : read_) At(pos, [c = c] { c->Loaded(); });
    for (auto& [c, pos] : read_) c->SetState(ComponentState::Loading, false);
    At(header.pos, [&] { root_->BindFields(); });
  }

  // Destroys what the read created, children before the objects they are nested in.
  void Abandon() {
    root_->UnbindFields();
    for (auto it = created_.rbegin(); it != created_.rend(); ++it) delete *it;
    MarkLoading(*root_, false);
  }

  SyntaxSource* source_;
  TComponent* root_ = nullptr;
  static constexpr int kMostNesting = 200;
  int depth_ = 0;
  std::vector<TComponent*> created_;
  std::vector<std::pair<TComponent*, long long>>
      read_;  // with the positions of their headers, root first
};

bool ClassIsOrDerivesFrom(const ClassInfo& cls, const String& name) {
  for (const ClassInfo* c = &cls; c; c = c->parent) {
    if (c->name == name) return true;
  }
  return false;
}

}  // namespace

void ReadComponent(std::string_view data, TComponent& root) {
  ReadComponent(*OpenSyntax(data), root);
}

void ReadComponent(syntax::SyntaxSource& source, TComponent& root) {
  Reader reader(&source);
  SyntaxItem header = reader.ReadHeader();
  if (!ClassIsOrDerivesFrom(root.Class(), header.class_name)) {
    reader.Fail(header.pos, "a " + root.ClassName() + " cannot be read from a description of " +
                                header.class_name);
  }
  reader.ReadRoot(root, header);
}

TComponent* ReadNewComponent(std::string_view data, TComponent* owner) {
  const std::unique_ptr<SyntaxSource> source = OpenSyntax(data);
  Reader reader(source.get());
  SyntaxItem header = reader.ReadHeader();
  const ClassInfo& cls = reader.CreatableClass(header);
  std::unique_ptr<TComponent> root;
  reader.At(header.pos, [&] { root.reset(cls.create(owner)); });
  reader.ReadRoot(*root, header);
  return root.release();
}

void ReadProperty(TComponent& obj, TComponent& root, const String& property,
                  syntax::SyntaxValue value) {
  Reader(nullptr).SetProperty(obj, root, property, value);
}

}  // namespace fw
