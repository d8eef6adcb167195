// The system services of the Win32 platform: versions, paths, message boxes, colours, resources
// and the debugger channel.
#include <string>
#include <vector>

#include "platform/win32/callback_guard.h"
#include "platform/win32/platform_win32.h"
#include "platform/win32/seam_codes.h"
#include "platform/win32/wide_text.h"

namespace pf::win32 {

static_assert(sizeof(OSVERSIONINFOA) == 148, "the version record is 148 bytes");

void Win32Platform::DebugOutput(std::string_view text) {
  ::OutputDebugStringA(std::string(text).c_str());
}

void Win32Platform::Sleep(unsigned ms) { ::Sleep(ms); }

OsVersion Win32Platform::GetOsVersion() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!::GetVersionExA(&info)) return OsVersion{};
  return OsVersion{info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber,
                   info.dwPlatformId, info.szCSDVersion};
}

// Through the wide call: the ANSI one turns a folder named outside the code page into '?'s.
std::string Win32Platform::ExecutablePath() {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return std::string();
    if (n < path.size()) return Utf8FromWide(std::wstring_view(path.data(), n));
    path.resize(path.size() * 2);  // cut short: try again with more room
  }
}

std::string Win32Platform::PathText(std::string_view path) {
  return AnsiFromWide(WideFromUtf8(path));
}

int Win32Platform::MessageBox(NativeHandle owner, std::string_view text, std::string_view caption,
                              unsigned flags) {
  HWND hwnd = owner != 0 ? reinterpret_cast<HWND>(owner) : app_window_;
  // The box's modal loop dispatches the program's messages too.
  const int answer = CallingBack([&] {
    return ::MessageBoxA(hwnd, std::string(text).c_str(), std::string(caption).c_str(),
                         ToBoxStyle(flags));
  });
  return FromBoxResult(answer);
}

ColorRef Win32Platform::SysColor(int index) { return ::GetSysColor(index); }

// A loaded resource stays in memory as long as the module: viewed, not copied.
std::optional<std::string_view> Win32Platform::FindResource(std::string_view name) {
  const std::string key(name);
  HRSRC found = ::FindResourceA(instance_, key.c_str(), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  if (found == nullptr) return std::nullopt;
  HGLOBAL loaded = ::LoadResource(instance_, found);
  const void* bytes = loaded != nullptr ? ::LockResource(loaded) : nullptr;
  if (bytes == nullptr) return std::nullopt;
  return std::string_view(static_cast<const char*>(bytes), ::SizeofResource(instance_, found));
}

}  // namespace pf::win32
