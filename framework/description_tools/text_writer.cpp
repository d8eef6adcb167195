// The text syntax written from items, as people read it: two spaces an object level, byte blocks
// as hexadecimal digits, 32 bytes a line.
#include "framework/description_tools/text_writer.h"

#include <cstdint>

#include "framework/description_tools/text_lexer.h"

namespace fw::syntax {
namespace {

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
  static constexpr char kDigits[] = "0123456789ABCDEF";
  String out = "<\n";
  out.reserve(data.size() * 2 + (data.size() / kBytesPerLine + 2) * (indent.size() + 3));
  for (std::size_t at = 0; at < data.size(); at += kBytesPerLine) {
    out += indent + "  ";
    for (std::size_t i = at; i < data.size() && i < at + kBytesPerLine; ++i) {
      auto u = static_cast<unsigned char>(data[i]);
      out += kDigits[u >> 4];
      out += kDigits[u & 15];
    }
    out += '\n';
  }
  return out + indent + ">";
}

}  // namespace

String ValueText(const SyntaxValue& v, const String& indent) {
  switch (v.kind) {
    case SyntaxValue::Kind::Ident: return v.text;
    case SyntaxValue::Kind::Integer:
      return v.hex ? Format("$%08X", static_cast<std::uint32_t>(v.number))
                   : std::to_string(v.number);
    case SyntaxValue::Kind::String: return Quote(v.text);
    case SyntaxValue::Kind::Bytes: return HexBlock(v.text, indent);
    case SyntaxValue::Kind::File: return String(kFileWord) + " " + Quote(v.text);
    case SyntaxValue::Kind::Set: break;
  }
  String out = "[";
  for (const String& name : v.names) out += (out.size() > 1 ? ", " : "") + name;
  return out + "]";
}

namespace {

class TextSink : public SyntaxSink {
 public:
  void BeginObject(const String& class_name, const String& name) override {
    out_ += Indent() + class_name;
    if (!name.empty()) out_ += " " + name;
    out_ += " {\n";
    ++depth_;
  }
  void Property(const String& name, const SyntaxValue& value) override {
    const String indent = Indent();
    out_ += indent + name + " = " + ValueText(value, indent) + "\n";
  }
  void EndObject() override {
    --depth_;
    out_ += Indent() + "}\n";
  }
  std::string Take() override { return std::move(out_); }

 private:
  String Indent() const { return String(static_cast<std::size_t>(depth_) * 2, ' '); }

  String out_;
  int depth_ = 0;
};

}  // namespace

std::unique_ptr<SyntaxSink> NewTextSink() { return std::make_unique<TextSink>(); }

}  // namespace fw::syntax
