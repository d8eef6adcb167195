#include "framework/description_tools/text_lexer.h"

#include <cstdint>
#include <limits>

#include "framework/description/syntax.h"

namespace fw::syntax {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

String Printable(char c) {
  auto u = static_cast<unsigned char>(c);
  if (u >= 0x20 && u < 0x7F) return Format("'%c'", c);
  return Format("byte $%02X", u);
}

class Lexer {
 public:
  explicit Lexer(std::string_view text) : text_(text) {}

  std::vector<Token> Run() {
    std::vector<Token> tokens;
    for (SkipBlanks(); pos_ < text_.size(); SkipBlanks()) {
      tokens.push_back(Next());
      tokens.back().end = pos_;
    }
    // A final line break ends the last line rather than starting another.
    Token end;
    end.line = end.end_line = text_.ends_with('\n') ? line_ - 1 : line_;
    end.begin = end.end = text_.size();
    tokens.push_back(end);
    return tokens;
  }

 private:
  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek(std::size_t ahead = 0) const {
    return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0';
  }

  void SkipBlanks() {
    while (!AtEnd()) {
      char c = Peek();
      if (c == '\n') {
        ++line_;
      } else if (c == '#') {
        while (!AtEnd() && Peek() != '\n') ++pos_;
        continue;
      } else if (c != ' ' && c != '\t' && c != '\r') {
        return;
      }
      ++pos_;
    }
  }

  Token Start(TokenKind kind) {
    Token t;
    t.kind = kind;
    t.line = t.end_line = line_;
    t.begin = pos_;
    return t;
  }

  Token Next() {
    char c = Peek();
    if (IsIdentifierStart(c)) return Identifier();
    if (IsDigit(c) || (c == '-' && IsDigit(Peek(1)))) return Decimal();
    if (c == '$') return Hexadecimal();
    if (c == '"') return Quoted();
    if (c == '<') return Block();
    return Punctuation(c);
  }

  Token Punctuation(char c) {
    static constexpr std::pair<char, TokenKind> kMarks[] = {
        {'{', TokenKind::LBrace},   {'}', TokenKind::RBrace},   {'=', TokenKind::Equals},
        {'[', TokenKind::LBracket}, {']', TokenKind::RBracket}, {',', TokenKind::Comma}};
    for (auto [mark, kind] : kMarks) {
      if (c == mark) {
        Token t = Start(kind);
        ++pos_;
        return t;
      }
    }
    Fail(line_, "unexpected character " + Printable(c));
  }

  // Dotted names such as Font.Style name a property of an owned object.
  Token Identifier() {
    Token t = Start(TokenKind::Ident);
    std::size_t begin = pos_;
    while (IsIdentifierChar(Peek()) || (Peek() == '.' && IsIdentifierStart(Peek(1)))) ++pos_;
    t.text = String(text_.substr(begin, pos_ - begin));
    return t;
  }

  void ExpectNumberEnd(const Token& t) {
    if (IsIdentifierChar(Peek()) || Peek() == '.')
      Fail(t.line, "malformed number near " + Printable(Peek()));
  }

  Token Decimal() {
    Token t = Start(TokenKind::Integer);
    bool negative = Peek() == '-';
    if (negative) ++pos_;
    // Accumulate negatively so that the most negative value fits.
    long long value = 0;
    constexpr long long kMin = std::numeric_limits<long long>::min();
    for (; IsDigit(Peek()); ++pos_) {
      int digit = Peek() - '0';
      if (value < (kMin + digit) / 10) Fail(t.line, "number too large");
      value = value * 10 - digit;
    }
    if (!negative && value == kMin) Fail(t.line, "number too large");
    ExpectNumberEnd(t);
    t.number = negative ? value : -value;
    return t;
  }

  Token Hexadecimal() {
    Token t = Start(TokenKind::Integer);
    ++pos_;
    std::uint32_t value = 0;
    int digits = 0;
    for (; HexValue(Peek()) >= 0; ++pos_, ++digits) {
      if (digits == 8) Fail(t.line, "more than eight hexadecimal digits after '$'");
      value = value << 4 | static_cast<std::uint32_t>(HexValue(Peek()));
    }
    if (digits == 0) Fail(t.line, "hexadecimal digits expected after '$'");
    ExpectNumberEnd(t);
    t.number = static_cast<std::int32_t>(value);
    t.hex = true;
    return t;
  }

  Token Quoted() {
    Token t = Start(TokenKind::String);
    ++pos_;
    for (;;) {
      if (AtEnd() || Peek() == '\n') Fail(t.line, "string not closed on its line");
      char c = text_[pos_++];
      if (c == '"') return t;
      t.text += c == '\\' ? Escape() : c;
    }
  }

  char Escape() {
    char c = AtEnd() ? '\n' : text_[pos_++];
    switch (c) {
      case '"':
      case '\\': return c;
      case 'n': return '\n';
      case 'r': return '\r';
      case 't': return '\t';
      case 'x': {
        int high = HexValue(Peek()), low = HexValue(Peek(1));
        if (high < 0 || low < 0) Fail(line_, "two hexadecimal digits expected after \\x");
        pos_ += 2;
        return static_cast<char>(high * 16 + low);
      }
      default:
        Fail(line_,
             "unknown escape \\" + (c == '\n' ? String("at the end of the line") : String(1, c)));
    }
  }

  Token Block() {
    Token t = Start(TokenKind::Bytes);
    ++pos_;
    int pending = -1;  // the high half of a byte
    for (;;) {
      if (AtEnd()) Fail(t.line, "byte block not closed with '>'");
      char c = text_[pos_++];
      if (c == '>') break;
      if (c == '\n') ++line_;
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
      int v = HexValue(c);
      if (v < 0) Fail(line_, "bad hexadecimal digit " + Printable(c) + " in byte block");
      if (pending < 0) {
        pending = v;
      } else {
        t.text += static_cast<char>(pending * 16 + v);
        pending = -1;
      }
    }
    if (pending >= 0) Fail(line_, "odd number of hexadecimal digits in byte block");
    t.end_line = line_;
    return t;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

}  // namespace

std::vector<Token> Tokenize(std::string_view text) { return Lexer(text).Run(); }

String Describe(const Token& token) {
  switch (token.kind) {
    case TokenKind::Ident: return "'" + token.text + "'";
    case TokenKind::Integer: return Format("the number %lld", token.number);
    case TokenKind::String: return "a string";
    case TokenKind::Bytes: return "a byte block";
    case TokenKind::LBrace: return "'{'";
    case TokenKind::RBrace: return "'}'";
    case TokenKind::Equals: return "'='";
    case TokenKind::LBracket: return "'['";
    case TokenKind::RBracket: return "']'";
    case TokenKind::Comma: return "','";
    case TokenKind::End: return "the end of the text";
  }
  return "?";
}

ETextError::ETextError(int line, const String& what)
    : EReadError(Format("Line %d: %s", line, what.c_str())), what_(what) {}

void Fail(int line, const String& what) { throw ETextError(line, what); }

}  // namespace fw::syntax
