#include "framework/description/syntax.h"

#include "framework/description/binary_reader.h"

namespace fw::syntax {
namespace {
TextFrontEnd& InstalledTextFrontEnd() {
  static TextFrontEnd front_end = nullptr;
  return front_end;
}
}  // namespace

void SetTextFrontEnd(TextFrontEnd front_end) { InstalledTextFrontEnd() = front_end; }

std::unique_ptr<SyntaxSource> OpenSyntax(std::string_view data) {
  if (IsBinaryDescription(data)) return NewBinarySource(data);
  if (TextFrontEnd text = InstalledTextFrontEnd()) return text(data);
  throw EReadError(
      "Offset 0: not a binary form description, and this program reads no text ones (convert the "
      "text with qf_formconv --to-packed)");
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
