#pragma once
// The seam's paths are UTF-8, the system's names UTF-16: converted at each wide call.
#include <string>
#include <string_view>

namespace pf::win32 {

std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);
// In the ANSI code page, as the system's ANSI calls write it: a character the code page lacks
// becomes its closest fit or '?'.
std::string AnsiFromWide(std::wstring_view wide);

}  // namespace pf::win32
