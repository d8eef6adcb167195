#include "platform/win32/wide_text.h"

#include <utility>

#include "platform/win32/win.h"

namespace pf::win32 {
namespace {

constexpr UINT kWindows1252 = 1252;

std::string Narrow(UINT code_page, std::wstring_view wide, DWORD flags = 0,
                   const char* missing = nullptr) {
  if (wide.empty()) return std::string();
  const int size = static_cast<int>(wide.size());
  const int length =
      ::WideCharToMultiByte(code_page, flags, wide.data(), size, nullptr, 0, missing, nullptr);
  std::string out(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  if (length > 0) {
    ::WideCharToMultiByte(code_page, flags, wide.data(), size, out.data(), length, missing,
                          nullptr);
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

// No closest fit: a character Windows-1252 lacks is one it lacks.
std::string Cp1252FromWide(std::wstring_view wide) {
  return Narrow(kWindows1252, wide, WC_NO_BEST_FIT_CHARS, "?");
}

std::optional<char> AnsiTyping::Take(unsigned char byte) {
  char bytes[2];
  int count = 0;
  if (lead_ != 0) {
    bytes[count++] = static_cast<char>(std::exchange(lead_, 0));
  } else if (::IsDBCSLeadByteEx(code_page_, byte)) {
    lead_ = byte;
    return std::nullopt;
  }
  bytes[count++] = static_cast<char>(byte);
  wchar_t wide = 0;
  if (::MultiByteToWideChar(code_page_, MB_ERR_INVALID_CHARS, bytes, count, &wide, 1) != 1 ||
      wide < 0x20 || (wide >= 0x7F && wide < 0xA0)) {
    return std::nullopt;
  }
  char typed = 0;
  BOOL lacked = FALSE;
  if (::WideCharToMultiByte(kWindows1252, WC_NO_BEST_FIT_CHARS, &wide, 1, &typed, 1, nullptr,
                            &lacked) != 1 ||
      lacked) {
    return std::nullopt;
  }
  return typed;
}

}  // namespace pf::win32
