// Writes form descriptions; the reader is in streaming_reader.cpp.
#include <cstdint>

#include "framework/controls_cursor.h"
#include "framework/graphics.h"
#include "framework/streaming.h"
#include "framework/streaming_lexer.h"

namespace fw {
namespace {

using streaming_detail::IsIdentifierText;

constexpr std::size_t kBytesPerLine = 32;

String Quote(const String& text) {
  String out = "\"";
  for (char c : text) {
    auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (u < 0x20 || u >= 0x7F) {
      out += Format("\\x%02X", u);
    } else {
      out += c;
    }
  }
  return out + "\"";
}

String HexBlock(const std::string& data, const String& indent) {
  if (data.empty()) return "<>";
  String out = "<\n";
  for (std::size_t at = 0; at < data.size(); at += kBytesPerLine) {
    out += indent + "  ";
    for (std::size_t i = at; i < data.size() && i < at + kBytesPerLine; ++i) {
      out += Format("%02X", static_cast<unsigned char>(data[i]));
    }
    out += '\n';
  }
  return out + indent + ">";
}

class Writer {
 public:
  explicit Writer(const TComponent& root) : root_(root) {}

  String Run() {
    WriteObject(root_, 0);
    CheckEverythingWritten();
    return out_;
  }

 private:
  [[noreturn]] void Fail(const TComponent& obj, const String& what) const {
    throw EWriteError(Format("%s (%s): %s", obj.Name().c_str(), obj.ClassName().c_str(), what.c_str()));
  }

  void WriteObject(const TComponent& obj, int depth) {
    const String indent(static_cast<std::size_t>(depth) * 2, ' ');
    out_ += indent + obj.ClassName();
    if (!obj.Name().empty()) out_ += " " + obj.Name();
    out_ += " {\n";
    WriteProperties(obj, indent + "  ");
    ++written_;
    for (int i = 0; i < root_.ComponentCount(); ++i) {
      const TComponent& child = *root_.Components(i);
      if (&child != &obj && NestsUnder(child, obj)) WriteObject(child, depth + 1);
    }
    out_ += indent + "}\n";
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

  void WriteProperties(const TComponent& obj, const String& indent) {
    for (const PropInfo* p : obj.Class().Properties()) {
      if (p->name == "Name" || !p->get || !p->IsStored(obj)) continue;
      PropValue value = p->get(obj);
      if (std::holds_alternative<std::monostate>(value)) continue;
      out_ += indent + p->name + " = " + ValueText(obj, *p, value, indent) + "\n";
    }
  }

  String ValueText(const TComponent& obj, const PropInfo& p, const PropValue& value,
                   const String& indent) const {
    if (const auto* i = std::get_if<long long>(&value)) return NumberText(obj, p, *i);
    if (const auto* b = std::get_if<bool>(&value)) return *b ? "True" : "False";
    if (const auto* s = std::get_if<String>(&value)) return Quote(*s);
    if (const auto* id = std::get_if<Ident>(&value)) return Identifier(obj, p, id->name);
    if (const auto* bytes = std::get_if<Bytes>(&value)) return HexBlock(bytes->data, indent);
    String out = "[";
    for (const String& name : std::get<IdentSet>(value).names) {
      out += (out.size() > 1 ? ", " : "") + Identifier(obj, p, name);
    }
    return out + "]";
  }

  String Identifier(const TComponent& obj, const PropInfo& p, const String& name) const {
    if (!IsIdentifierText(name)) Fail(obj, Format("value '%s' of %s is not an identifier", name.c_str(), p.name.c_str()));
    return name;
  }

  String NumberText(const TComponent& obj, const PropInfo& p, long long value) const {
    switch (p.type) {
      case PropType::Color: {
        String name = ColorToString(static_cast<TColor>(value));
        if (name.starts_with("cl") && IsIdentifierText(name)) return name;
        return Format("$%08X", static_cast<std::uint32_t>(value));
      }
      case PropType::Cursor: {
        String name = CursorToString(static_cast<TCursor>(value));
        return name.starts_with("cr") ? name : std::to_string(value);
      }
      case PropType::Enum:
      case PropType::Set:
        Fail(obj, Format("value %lld of %s has no name", value, p.name.c_str()));
      default:
        return std::to_string(value);
    }
  }

  const TComponent& root_;
  String out_;
  std::size_t written_ = 0;
};

}  // namespace

String WriteComponent(const TComponent& root) { return Writer(root).Run(); }

}  // namespace fw
