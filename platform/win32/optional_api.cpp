#include "platform/win32/optional_api.h"

#include <string>

#include "platform/win32/handles.h"

namespace pf::win32 {
namespace {

constexpr DWORD kDwmCloaked = 14;  // DWMWA_CLOAKED

// From the system folder by its full path: a DLL of that name beside the program (on a disc
// anyone can master) is never the one loaded.
Module LoadSystemLibrary(const char* name) {
  char folder[MAX_PATH];
  const UINT n = ::GetSystemDirectoryA(folder, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return Module();
  const std::string path = std::string(folder, n) + "\\" + name;
  return Module(::LoadLibraryA(path.c_str()));
}

// GetProcAddress gives every function one type; through void(*)() it becomes the real one.
template <typename F>
F Find(HMODULE module, const char* name) {
  if (module == nullptr) return nullptr;
  return reinterpret_cast<F>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

// dwmapi stays loaded while the program runs, as long as its function may be called.
struct Lookup {
  Module dwmapi = LoadSystemLibrary("dwmapi.dll");
  OptionalApi api{
      Find<OptionalApi::SetLayeredWindowAttributesFn>(::GetModuleHandleA("user32.dll"),
                                                      "SetLayeredWindowAttributes"),
      Find<OptionalApi::DwmGetWindowAttributeFn>(dwmapi.get(), "DwmGetWindowAttribute")};
};

}  // namespace

OptionalApi& Optional() {
  static Lookup lookup;
  return lookup.api;
}

bool IsCloaked(HWND hwnd) {
  const auto get = Optional().dwm_get_window_attribute;
  DWORD cloaked = 0;
  return get != nullptr && SUCCEEDED(get(hwnd, kDwmCloaked, &cloaked, sizeof(cloaked))) &&
         cloaked != 0;
}

}  // namespace pf::win32
