// The text syntax of form descriptions (streaming.h): its items from the tokens, with the rules
// of the line layout, and the text the writer writes from items.
#include <cstdint>

#include "framework/streaming_lexer.h"
#include "framework/streaming_syntax.h"

namespace fw::streaming_detail {
namespace {

constexpr std::size_t kBytesPerLine = 32;
// `file "path"`: a byte block read from a file when the description is converted.
constexpr std::string_view kFileWord = "file";

struct Header {
  String class_name;
  String name;
  int line = 0;
};

class TextSource : public SyntaxSource {
 public:
  explicit TextSource(std::string_view text) : tokens_(Tokenize(text)) {}

  SyntaxItem Next() override {
    if (!started_) {
      started_ = true;
      return ReadHeader();
    }
    const Token& t = Peek();
    if (open_.empty()) {
      if (t.kind != TokenKind::End) Fail(t.line, "unexpected " + Describe(t) + " after the end of the description");
      return SyntaxItem{SyntaxItem::Kind::End, {}, {}, t.line};
    }
    if (t.kind == TokenKind::RBrace) {
      last_line_ = Take().line;
      open_.pop_back();
      return SyntaxItem{SyntaxItem::Kind::EndObject, {}, {}, t.line};
    }
    if (t.kind == TokenKind::End) {
      const Header& h = open_.back();
      Fail(t.line, Format("'}' missing: %s %s of line %d is not closed", h.class_name.c_str(), h.name.c_str(), h.line));
    }
    if (t.line == last_line_) Fail(t.line, "unexpected " + Describe(t) + ": one property or object per line");
    if (t.kind != TokenKind::Ident) Fail(t.line, "property or object expected, found " + Describe(t));
    TokenKind after = Peek(1).kind;
    if (after == TokenKind::Equals) {
      const Token& name = Take();
      equals_line_ = Take().line;
      return SyntaxItem{SyntaxItem::Kind::Property, {}, name.text, name.line};
    }
    if (after == TokenKind::Ident || after == TokenKind::LBrace) return ReadHeader();
    Fail(t.line, "'=' or '{' expected after " + Describe(t) + ", found " + Describe(Peek(1)));
  }

  SyntaxValue NextValue(const String& property) override {
    const Token& first = Take();
    if (first.line != equals_line_ || first.kind == TokenKind::End) {
      Fail(equals_line_, "value of " + property + " expected after '='");
    }
    SyntaxValue v;
    v.pos = first.line;
    last_line_ = first.end_line;
    switch (first.kind) {
      case TokenKind::Ident:
        if (first.text == kFileWord && Peek().kind == TokenKind::String && Peek().line == first.line) {
          v.kind = SyntaxValue::Kind::File;
          v.text = Take().text;
          return v;
        }
        v.kind = SyntaxValue::Kind::Ident;
        break;
      case TokenKind::Integer: v.kind = SyntaxValue::Kind::Integer; break;
      case TokenKind::String: v.kind = SyntaxValue::Kind::String; break;
      case TokenKind::Bytes: v.kind = SyntaxValue::Kind::Bytes; break;
      case TokenKind::LBracket:
        ReadSet(v);
        return v;
      default:
        Fail(first.line, "value of " + property + " expected, found " + Describe(first));
    }
    v.number = first.number;
    v.hex = first.hex;
    v.text = first.text;
    return v;
  }

  String Where(long long pos) const override { return Format("Line %lld", pos); }

 private:
  const Token& Peek(std::size_t ahead = 0) const { return tokens_[std::min(pos_ + ahead, tokens_.size() - 1)]; }
  const Token& Take() {
    const Token& t = Peek();
    if (pos_ + 1 < tokens_.size()) ++pos_;
    return t;
  }

  // `Class Name {` on one line, the name optional.
  SyntaxItem ReadHeader() {
    const Token& cls = Take();
    if (cls.kind != TokenKind::Ident) Fail(cls.line, "class name expected, found " + Describe(cls));
    Header h{cls.text, {}, cls.line};
    if (Peek().kind == TokenKind::Ident && Peek().line == h.line) h.name = Take().text;
    const Token& brace = Take();
    if (brace.kind != TokenKind::LBrace || brace.line != h.line) {
      Fail(h.line, "'{' expected at the end of the line that begins " + h.class_name);
    }
    last_line_ = h.line;
    open_.push_back(h);
    return SyntaxItem{SyntaxItem::Kind::Object, h.class_name, h.name, h.line};
  }

  void ReadSet(SyntaxValue& v) {
    v.kind = SyntaxValue::Kind::Set;
    if (Peek().kind == TokenKind::RBracket) {
      v.pos = last_line_ = Take().line;
      return;
    }
    for (;;) {
      const Token& element = Take();
      if (element.kind != TokenKind::Ident) Fail(element.line, "name expected in set, found " + Describe(element));
      v.names.push_back(element.text);
      const Token& next = Take();
      v.pos = last_line_ = next.line;
      if (next.kind == TokenKind::RBracket) return;
      if (next.kind != TokenKind::Comma) Fail(next.line, "',' or ']' expected in set, found " + Describe(next));
    }
  }

  std::vector<Token> tokens_;
  std::size_t pos_ = 0;
  bool started_ = false;
  int last_line_ = 0;    // the line the previous item ended on
  int equals_line_ = 0;  // the line of the property whose value comes next
  std::vector<Header> open_;
};

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

String ValueText(const SyntaxValue& v, const String& indent) {
  switch (v.kind) {
    case SyntaxValue::Kind::Ident: return v.text;
    case SyntaxValue::Kind::Integer:
      return v.hex ? Format("$%08X", static_cast<std::uint32_t>(v.number)) : std::to_string(v.number);
    case SyntaxValue::Kind::String: return Quote(v.text);
    case SyntaxValue::Kind::Bytes: return HexBlock(v.text, indent);
    case SyntaxValue::Kind::File: return String(kFileWord) + " " + Quote(v.text);
    case SyntaxValue::Kind::Set: break;
  }
  String out = "[";
  for (const String& name : v.names) out += (out.size() > 1 ? ", " : "") + name;
  return out + "]";
}

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

std::unique_ptr<SyntaxSource> NewTextSource(std::string_view text) { return std::make_unique<TextSource>(text); }
std::unique_ptr<SyntaxSink> NewTextSink() { return std::make_unique<TextSink>(); }

}  // namespace fw::streaming_detail
