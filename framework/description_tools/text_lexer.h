#pragma once
// The tokens of the text syntax of form descriptions (text_parser.h).
#include <string_view>
#include <vector>

#include "framework/objects/sysutils.h"

namespace fw::syntax {

enum class TokenKind {
  Ident,
  Integer,
  String,
  Bytes,
  LBrace,
  RBrace,
  Equals,
  LBracket,
  RBracket,
  Comma,
  End
};

struct Token {
  TokenKind kind = TokenKind::End;
  String text;            // identifier, string contents or the bytes of a block
  long long number = 0;   // integers; `$` patterns already sign-extended from 32 bits
  bool hex = false;       // an integer written as a `$` pattern
  int line = 0;           // where the token begins
  int end_line = 0;       // where it ends: byte blocks run over several lines
  std::size_t begin = 0;  // its bytes in the text: [begin, end)
  std::size_t end = 0;
};

// `file "art/x.bmp"`: a byte block read from a file when the description is converted. The word
// is an identifier to the lexer; the parser knows it by its place.
inline constexpr std::string_view kFileWord = "file";

// Raises EReadError for a malformed token.
std::vector<Token> Tokenize(std::string_view text);

// How an error message names a token: 'Left', a string, '{', the end of the text.
String Describe(const Token& token);

// What the text syntax raises for what is broken: EReadError "Line N: what", with the words kept
// apart for a text that is not a whole description (a value on its own names no line).
class ETextError : public EReadError {
 public:
  ETextError(int line, const String& what);
  const String& What() const { return what_; }

 private:
  String what_;
};

// Raises ETextError.
[[noreturn]] void Fail(int line, const String& what);

}  // namespace fw::syntax
