#pragma once
// The tokens of a form description.
#include <string_view>
#include <vector>

#include "framework/sysutils.h"

namespace fw::streaming_detail {

enum class TokenKind { Ident, Integer, String, Bytes, LBrace, RBrace, Equals, LBracket, RBracket, Comma, End };

struct Token {
  TokenKind kind = TokenKind::End;
  String text;           // identifier, string contents or the bytes of a block
  long long number = 0;  // integers; `$` patterns already sign-extended from 32 bits
  bool hex = false;      // an integer written as a `$` pattern
  int line = 0;          // where the token begins
  int end_line = 0;      // where it ends: byte blocks run over several lines
};

// Raises EReadError for a malformed token.
std::vector<Token> Tokenize(std::string_view text);

// How an error message names a token: 'Left', a string, '{', the end of the text.
String Describe(const Token& token);

// Raises EReadError "Line N: what".
[[noreturn]] void Fail(int line, const String& what);

}  // namespace fw::streaming_detail
