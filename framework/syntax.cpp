#include "framework/syntax.h"

#include "framework/binary_reader.h"
#include "framework/text_parser.h"

namespace fw::syntax {

std::unique_ptr<SyntaxSource> OpenSyntax(std::string_view data) {
  return IsBinaryDescription(data) ? NewBinarySource(data) : NewTextSource(data);
}

void FailAt(const SyntaxSource& source, long long pos, const String& what) {
  throw EReadError(source.Where(pos) + ": " + what);
}

String Describe(const SyntaxValue& value) {
  switch (value.kind) {
    case SyntaxValue::Kind::Ident: return "'" + value.text + "'";
    case SyntaxValue::Kind::Integer: return Format("the number %lld", value.number);
    case SyntaxValue::Kind::String: return "a string";
    case SyntaxValue::Kind::Bytes: return "a byte block";
    case SyntaxValue::Kind::File: return "a file reference";
    case SyntaxValue::Kind::Set: break;
  }
  return "a set";
}

bool IsIdentifierStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsIdentifierChar(char c) { return IsIdentifierStart(c) || (c >= '0' && c <= '9'); }

bool IsIdentifierText(std::string_view text) {
  if (text.empty() || !IsIdentifierStart(text[0])) return false;
  for (char c : text) {
    if (!IsIdentifierChar(c)) return false;
  }
  return true;
}

bool IsNameText(std::string_view text) {
  for (std::size_t start = 0;;) {
    std::size_t dot = text.find('.', start);
    if (!IsIdentifierText(text.substr(start, dot - start))) return false;
    if (dot == std::string_view::npos) return true;
    start = dot + 1;
  }
}

}  // namespace fw::syntax
