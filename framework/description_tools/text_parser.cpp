// The text syntax read as items: the tokens, with the rules of the line layout.
#include "framework/description_tools/text_parser.h"

#include <algorithm>
#include <vector>

#include "framework/description_tools/text_lexer.h"

namespace fw::syntax {
namespace {

struct Header {
  String class_name;
  String name;
  int line = 0;
};

class TextSource : public TextItemSource {
 public:
  explicit TextSource(std::string_view text) : tokens_(Tokenize(text)) {}

  SyntaxItem Next() override {
    taken_from_ = pos_;
    if (!started_) {
      started_ = true;
      return ReadHeader();
    }
    const Token& t = Peek();
    if (open_.empty()) {
      if (t.kind != TokenKind::End)
        Fail(t.line, "unexpected " + Describe(t) + " after the end of the description");
      return SyntaxItem{SyntaxItem::Kind::End, {}, {}, t.line};
    }
    if (t.kind == TokenKind::RBrace) {
      last_line_ = Take().line;
      open_.pop_back();
      return SyntaxItem{SyntaxItem::Kind::EndObject, {}, {}, t.line};
    }
    if (t.kind == TokenKind::End) {
      const Header& h = open_.back();
      Fail(t.line, Format("'}' missing: %s %s of line %d is not closed", h.class_name.c_str(),
                          h.name.c_str(), h.line));
    }
    if (t.line == last_line_)
      Fail(t.line, "unexpected " + Describe(t) + ": one property or object per line");
    if (t.kind != TokenKind::Ident)
      Fail(t.line, "property or object expected, found " + Describe(t));
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
    taken_from_ = pos_;
    const Token& first = Take();
    if (first.line != equals_line_ || first.kind == TokenKind::End) {
      Fail(equals_line_, "value of " + property + " expected after '='");
    }
    SyntaxValue v;
    v.pos = first.line;
    last_line_ = first.end_line;
    switch (first.kind) {
      case TokenKind::Ident:
        if (first.text == kFileWord && Peek().kind == TokenKind::String &&
            Peek().line == first.line) {
          v.kind = SyntaxValue::Kind::File;
          v.text = Take().text;
          return v;
        }
        v.kind = SyntaxValue::Kind::Ident;
        break;
      case TokenKind::Integer: v.kind = SyntaxValue::Kind::Integer; break;
      case TokenKind::String: v.kind = SyntaxValue::Kind::String; break;
      case TokenKind::Bytes: v.kind = SyntaxValue::Kind::Bytes; break;
      case TokenKind::LBracket: ReadSet(v); return v;
      default: Fail(first.line, "value of " + property + " expected, found " + Describe(first));
    }
    v.number = first.number;
    v.hex = first.hex;
    v.text = first.text;
    return v;
  }

  String Where(long long pos) const override { return Format("Line %lld", pos); }

  TextSpan Taken() const override {
    if (pos_ == taken_from_) return {tokens_[pos_].begin, tokens_[pos_].begin};
    return {tokens_[taken_from_].begin, tokens_[pos_ - 1].end};
  }

  // A value standing alone: on the first line, with nothing after it.
  SyntaxValue LoneValue(const String& property) {
    equals_line_ = 1;
    SyntaxValue v = NextValue(property);
    if (Peek().kind != TokenKind::End)
      Fail(Peek().line, "unexpected " + Describe(Peek()) + " after the value of " + property);
    return v;
  }

 private:
  const Token& Peek(std::size_t ahead = 0) const {
    return tokens_[std::min(pos_ + ahead, tokens_.size() - 1)];
  }
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
      if (element.kind != TokenKind::Ident)
        Fail(element.line, "name expected in set, found " + Describe(element));
      v.names.push_back(element.text);
      const Token& next = Take();
      v.pos = last_line_ = next.line;
      if (next.kind == TokenKind::RBracket) return;
      if (next.kind != TokenKind::Comma)
        Fail(next.line, "',' or ']' expected in set, found " + Describe(next));
    }
  }

  std::vector<Token> tokens_;
  std::size_t pos_ = 0;
  std::size_t taken_from_ = 0;  // the first token of what Next() or NextValue() gave last
  bool started_ = false;
  int last_line_ = 0;    // the line the previous item ended on
  int equals_line_ = 0;  // the line of the property whose value comes next
  std::vector<Header> open_;
};

}  // namespace

std::unique_ptr<SyntaxSource> NewTextSource(std::string_view text) {
  return std::make_unique<TextSource>(text);
}

std::unique_ptr<TextItemSource> NewTextItemSource(std::string_view text) {
  return std::make_unique<TextSource>(text);
}

TextValue ParseValueText(std::string_view text, const String& property) {
  try {
    TextSource source(text);
    SyntaxValue value = source.LoneValue(property);
    return {std::move(value), source.Taken()};
  } catch (const ETextError& e) {
    throw EReadError(e.What());
  }
}

}  // namespace fw::syntax

namespace fw {

void AcceptTextDescriptions() { syntax::SetTextFrontEnd(&syntax::NewTextSource); }

}  // namespace fw
