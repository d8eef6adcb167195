#include "platform/win32/optional_api.h"

#include "platform/win32/handles.h"
#include "platform/win32/system_dlls.h"

namespace pf::win32 {
namespace {

constexpr DWORD kDwmCloaked = 14;  // DWMWA_CLOAKED

// dwmapi stays loaded while the program runs, as long as its function may be called.
struct Lookup {
  Module dwmapi = LoadSystemLibrary(L"dwmapi.dll");
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
