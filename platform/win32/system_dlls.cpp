#include "platform/win32/system_dlls.h"

#include <cwchar>
#include <iterator>

namespace pf::win32 {
namespace {

constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32

// Loaded by name into a program like this one by Windows itself: the visual styles (user32), the
// desktop window manager, winmm's codec manager and the drivers its registry names, and what the
// shell and COM load (as the hardened installers list them). Missing ones are skipped.
constexpr const wchar_t* kLoadedByName[] = {
    L"uxtheme.dll",  L"dwmapi.dll",   L"msacm32.dll", L"wdmaud.drv",  L"msacm32.drv",
    L"midimap.dll",  L"version.dll",  L"userenv.dll", L"setupapi.dll", L"apphelp.dll",
    L"propsys.dll",  L"cryptbase.dll", L"clbcatq.dll"};

// A module that is loaded satisfies every later load of its name: these stay for good.
void PreloadFromSystemFolder() {
  static Module kept[std::size(kLoadedByName)];
  for (std::size_t i = 0; i < std::size(kLoadedByName); ++i) {
    kept[i] = LoadSystemLibrary(kLoadedByName[i]);
  }
}

}  // namespace

void KeepDllSearchInSystemFolder() {
  HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
  const auto set_default = Find<BOOL(WINAPI*)(DWORD)>(kernel, "SetDefaultDllDirectories");
  if (set_default != nullptr && set_default(kSearchSystem32)) return;
  if (const auto set_dll_directory = Find<BOOL(WINAPI*)(LPCWSTR)>(kernel, "SetDllDirectoryW")) {
    set_dll_directory(L"");
  }
  PreloadFromSystemFolder();
}

Module LoadSystemLibrary(const wchar_t* name) {
  wchar_t path[MAX_PATH];
  const UINT folder = ::GetSystemDirectoryW(path, MAX_PATH);
  const std::size_t length = std::wcslen(name);
  if (folder == 0 || folder + 1 + length >= MAX_PATH) return Module();
  path[folder] = L'\\';
  std::wmemcpy(path + folder + 1, name, length + 1);
  return Module(::LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}

const WinmmApi& Winmm() {
  static const Module dll = LoadSystemLibrary(L"winmm.dll");
  static const WinmmApi api{
      Find<decltype(WinmmApi::get_num_devs)>(dll.get(), "mixerGetNumDevs"),
      Find<decltype(WinmmApi::open)>(dll.get(), "mixerOpen"),
      Find<decltype(WinmmApi::get_line_info)>(dll.get(), "mixerGetLineInfoA"),
      Find<decltype(WinmmApi::get_line_controls)>(dll.get(), "mixerGetLineControlsA"),
      Find<decltype(WinmmApi::get_control_details)>(dll.get(), "mixerGetControlDetailsA"),
      Find<decltype(WinmmApi::set_control_details)>(dll.get(), "mixerSetControlDetails"),
      Find<decltype(WinmmApi::close)>(dll.get(), "mixerClose")};
  return api;
}

const OleaccApi& Oleacc() {
  static const Module dll = LoadSystemLibrary(L"oleacc.dll");
  static const OleaccApi api{
      Find<decltype(OleaccApi::lresult_from_object)>(dll.get(), "LresultFromObject"),
      Find<decltype(OleaccApi::create_std_accessible_object)>(dll.get(),
                                                             "CreateStdAccessibleObject")};
  return api;
}

}  // namespace pf::win32
