#include "platform/win32/wide_text.h"

#include "platform/win32/win.h"

namespace pf::win32 {
namespace {

std::string Narrow(UINT code_page, std::wstring_view wide) {
  if (wide.empty()) return std::string();
  const int size = static_cast<int>(wide.size());
  const int length =
      ::WideCharToMultiByte(code_page, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  if (length > 0) {
    ::WideCharToMultiByte(code_page, 0, wide.data(), size, out.data(), length, nullptr, nullptr);
  }
  return out;
}

}  // namespace

std::wstring WideFromUtf8(std::string_view utf8) {
  if (utf8.empty()) return std::wstring();
  const int size = static_cast<int>(utf8.size());
  const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0) ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, out.data(), length);
  return out;
}

std::string Utf8FromWide(std::wstring_view wide) { return Narrow(CP_UTF8, wide); }

std::string AnsiFromWide(std::wstring_view wide) { return Narrow(CP_ACP, wide); }

}  // namespace pf::win32
