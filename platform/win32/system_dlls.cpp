#include "platform/win32/system_dlls.h"

#include <cwchar>
#include <iterator>

namespace {

constexpr WORD kSearchSystem32 = 0x0800;  // LOAD_LIBRARY_SEARCH_SYSTEM32

// The image's load configuration, in the 64 bytes Windows XP and earlier demand of an x86 image's
// (the PE format's description of it): Windows 10 1607 and later read its DependentLoadFlags and
// look for the program's imports in the system folder only. GNU ld does not point the header at
// it: qf_pe --load-config does, after the link (app/CMakeLists.txt). The name is the one other
// linkers look for.
struct LoadConfig32 {
  DWORD size;
  DWORD unused_before_flags[12];  // time stamp, versions, heap and lock settings: all default
  WORD csd_version;
  WORD dependent_load_flags;
  DWORD edit_list;
  DWORD security_cookie;  // none: the program is not built with stack cookies
};
static_assert(sizeof(LoadConfig32) == 64, "the load configuration of every Windows");

}  // namespace

extern "C" const LoadConfig32 _load_config_used = {sizeof(LoadConfig32), {}, 0, kSearchSystem32,
                                                   0, 0};

namespace pf::win32 {
namespace {

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
  KeepDllSearchInSystemFolder(
      DllSearchCalls{Find<DllSearchCalls::SetDefaultFn>(kernel, "SetDefaultDllDirectories"),
                     Find<DllSearchCalls::SetDirectoryFn>(kernel, "SetDllDirectoryW")});
}

void KeepDllSearchInSystemFolder(const DllSearchCalls& system) {
  // The same flags as the loader's, read from the image: the read keeps the structure linked.
  const WORD flags =
      reinterpret_cast<const volatile LoadConfig32*>(&_load_config_used)->dependent_load_flags;
  if (system.set_default_dll_directories != nullptr && system.set_default_dll_directories(flags)) {
    return;
  }
  if (system.set_dll_directory != nullptr) system.set_dll_directory(L"");
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
