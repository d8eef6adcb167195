#pragma once
// The seam's paths are UTF-8, the system's names UTF-16: converted at each wide call. And the
// characters an ANSI window is typed, in the program's Windows-1252.
#include <optional>
#include <string>
#include <string_view>

#include "platform/win32/win.h"

namespace pf::win32 {

std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);
// In the ANSI code page, as the system's ANSI calls write it: a character the code page lacks
// becomes its closest fit or '?'.
std::string AnsiFromWide(std::wstring_view wide);
// In the program's Windows-1252: '?' for a character it lacks (no closest fit).
std::string Cp1252FromWide(std::wstring_view wide);

// WM_CHAR's bytes, in the ANSI code page `code_page` (a double-byte code page's lead byte comes in
// a message of its own, before its trail byte), as typed characters of the program's.
class AnsiTyping {
 public:
  explicit AnsiTyping(UINT code_page = CP_ACP) : code_page_(code_page) {}
  // The character that `byte` completes: nullopt for a lead byte, a control character, and a
  // character Windows-1252 lacks.
  std::optional<char> Take(unsigned char byte);

 private:
  UINT code_page_;
  unsigned char lead_ = 0;  // a lead byte waiting for its trail byte
};

}  // namespace pf::win32
