#pragma once
// Where the program's DLLs come from: the system folder, never the program's own. On a copy of
// the disc in a folder anyone can write to (Downloads), a DLL placed beside the program would
// otherwise run inside it. The program imports at load time only from KnownDLLs, which the
// loader maps from the system folder (tools/pe/known_dlls.txt); every other DLL is loaded here,
// by its full path.
#include "platform/win32/handles.h"
#include "platform/win32/win.h"

#include <oleacc.h>

namespace pf::win32 {

// First thing at start: every later load by name (Windows' own included) searches the system
// folder only (SetDefaultDllDirectories: Windows 8 and later, Vista and 7 with KB2533623).
// Older systems still search the program's folder first: there the current folder is taken out
// of the search (SetDllDirectory, XP SP1 and later), and the libraries Windows loads by name
// into a program like this one are loaded now from the system folder, and kept.
void KeepDllSearchInSystemFolder();
// The same with the kernel32 calls given: null where the system lacks one (tests play such a one).
struct DllSearchCalls {
  using SetDefaultFn = BOOL(WINAPI*)(DWORD);
  using SetDirectoryFn = BOOL(WINAPI*)(LPCWSTR);
  SetDefaultFn set_default_dll_directories = nullptr;
  SetDirectoryFn set_dll_directory = nullptr;
};
void KeepDllSearchInSystemFolder(const DllSearchCalls& system);

// `name` from the system folder by its full path, and its own imports from there too. An empty
// module when the system has no such DLL.
Module LoadSystemLibrary(const wchar_t* name);

// GetProcAddress gives every function one type; through void(*)() it becomes the real one.
template <typename F>
F Find(HMODULE module, const char* name) {
  if (module == nullptr) return nullptr;
  return reinterpret_cast<F>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

// What the program calls in winmm (the mixer) and oleacc (the screen readers' server): bound on
// first use, kept for the program's life; null where the DLL or the function is missing.
struct WinmmApi {
  decltype(&::mixerGetNumDevs) get_num_devs = nullptr;
  decltype(&::mixerOpen) open = nullptr;
  decltype(&::mixerGetLineInfoA) get_line_info = nullptr;
  decltype(&::mixerGetLineControlsA) get_line_controls = nullptr;
  decltype(&::mixerGetControlDetailsA) get_control_details = nullptr;
  decltype(&::mixerSetControlDetails) set_control_details = nullptr;
  decltype(&::mixerClose) close = nullptr;
};
const WinmmApi& Winmm();

struct OleaccApi {
  decltype(&::LresultFromObject) lresult_from_object = nullptr;
  decltype(&::CreateStdAccessibleObject) create_std_accessible_object = nullptr;
};
const OleaccApi& Oleacc();

}  // namespace pf::win32
