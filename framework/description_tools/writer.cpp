// Writes form descriptions through the sink of either syntax.
#include "framework/description_tools/writer.h"

#include <cstdint>
#include <optional>

#include "framework/description/syntax.h"
#include "framework/description_tools/binary_writer.h"
#include "framework/description_tools/text_writer.h"

namespace fw {
namespace {

using namespace syntax;

SyntaxValue Number(long long n, bool hex = false) {
  SyntaxValue v;
  v.number = n;
  v.hex = hex;
  return v;
}

SyntaxValue Text(SyntaxValue::Kind kind, const std::string& text) {
  SyntaxValue v;
  v.kind = kind;
  v.text = text;
  return v;
}

SyntaxValue Named(const String& name) { return Text(SyntaxValue::Kind::Ident, name); }

[[noreturn]] void Fail(const TComponent& obj, const String& what) {
  throw EWriteError(
      Format("%s (%s): %s", obj.Name().c_str(), obj.ClassName().c_str(), what.c_str()));
}

String Identifier(const TComponent& obj, const PropInfo& p, const String& name) {
  if (!IsIdentifierText(name))
    Fail(obj, Format("value '%s' of %s is not an identifier", name.c_str(), p.name.c_str()));
  return name;
}

SyntaxValue NumberValue(const TComponent& obj, const PropInfo& p, long long value) {
  switch (p.type) {
    case PropType::Color:
    case PropType::Cursor: {
      const std::optional<String> name = p.named ? p.named->name_of(value) : std::nullopt;
      if (name && IsIdentifierText(*name)) return Named(*name);
      // Without a name a colour is written as a 32-bit pattern, a cursor as a number.
      if (p.type == PropType::Color) return Number(static_cast<std::int32_t>(value), true);
      return Number(value);
    }
    case PropType::Enum:
    case PropType::Set: Fail(obj, Format("value %lld of %s has no name", value, p.name.c_str()));
    default: return Number(value);
  }
}

SyntaxValue ValueOf(const TComponent& obj, const PropInfo& p, const PropValue& value) {
  if (const auto* i = std::get_if<long long>(&value)) return NumberValue(obj, p, *i);
  if (const auto* b = std::get_if<bool>(&value)) return Named(*b ? "True" : "False");
  if (const auto* s = std::get_if<String>(&value)) return Text(SyntaxValue::Kind::String, *s);
  if (const auto* id = std::get_if<Ident>(&value)) return Named(Identifier(obj, p, id->name));
  if (const auto* bytes = std::get_if<Bytes>(&value))
    return Text(SyntaxValue::Kind::Bytes, bytes->data);
  SyntaxValue set;
  set.kind = SyntaxValue::Kind::Set;
  for (const String& name : std::get<IdentSet>(value).names)
    set.names.push_back(Identifier(obj, p, name));
  return set;
}

class Writer {
 public:
  Writer(const TComponent& root, SyntaxSink& sink) : root_(root), sink_(sink) {}

  String Run() {
    WriteObject(root_);
    CheckEverythingWritten();
    return sink_.Take();
  }

 private:
  void WriteObject(const TComponent& obj) {
    sink_.BeginObject(obj.ClassName(), obj.Name());
    WriteProperties(obj);
    ++written_;
    for (int i = 0; i < root_.ComponentCount(); ++i) {
      const TComponent& child = *root_.Components(i);
      if (&child != &obj && NestsUnder(child, obj)) WriteObject(child);
    }
    sink_.EndObject();
  }

  bool NestsUnder(const TComponent& child, const TComponent& obj) const {
    const TComponent* parent = child.GetParentComponent();
    return parent == &obj || (!parent && &obj == &root_);
  }

  // A component nested under something outside the description would be lost.
  void CheckEverythingWritten() const {
    if (written_ == static_cast<std::size_t>(root_.ComponentCount()) + 1) return;
    for (int i = 0; i < root_.ComponentCount(); ++i) {
      const TComponent& c = *root_.Components(i);
      const TComponent* parent = c.GetParentComponent();
      if (parent && parent != &root_ && parent->Owner() != &root_) {
        Fail(c, "its parent " + parent->Name() + " is not part of the description");
      }
    }
    Fail(root_, "components nested in a cycle cannot be written");
  }

  void WriteProperties(const TComponent& obj) {
    for (const PropInfo* p : obj.Class().Properties()) {
      if (p->name == "Name" || !p->get || !p->IsStored(obj)) continue;
      PropValue value = p->get(obj);
      if (std::holds_alternative<std::monostate>(value)) continue;
      sink_.Property(p->name, ValueOf(obj, *p, value));
    }
  }

  const TComponent& root_;
  SyntaxSink& sink_;
  std::size_t written_ = 0;
};

}  // namespace

String WriteComponent(const TComponent& root) { return Writer(root, *NewTextSink()).Run(); }

std::optional<String> PropertyValueText(const TComponent& obj, const String& property,
                                        const String& indent) {
  const PropInfo* p = obj.Class().FindProperty(property);
  if (!p || !p->get) {
    throw EInvalidOperation("no property " + property + " of " + obj.ClassName() + " to write");
  }
  const PropValue value = p->get(obj);
  if (std::holds_alternative<std::monostate>(value)) return std::nullopt;
  return ValueText(ValueOf(obj, *p, value), indent);
}

std::string WriteComponentBinary(const TComponent& root) {
  return Writer(root, *NewBinarySink()).Run();
}

}  // namespace fw
