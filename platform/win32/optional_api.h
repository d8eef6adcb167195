#pragma once
// System functions that some Windows version this program runs on lacks, looked up at run time:
// bound at load time, one missing function would stop the whole program from loading.
//   SetLayeredWindowAttributes  user32, Windows 2000 and later (the fade-in)
//   DwmGetWindowAttribute       dwmapi, Vista and later (cloaked windows, Windows 8 and later)
#include "platform/win32/win.h"

namespace pf::win32 {

struct OptionalApi {
  using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
  using DwmGetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);

  SetLayeredWindowAttributesFn set_layered_window_attributes = nullptr;
  DwmGetWindowAttributeFn dwm_get_window_attribute = nullptr;
};

// What this system has, looked up on first use. Tests may change what it holds to play a system
// that lacks a function; the change lasts until they put it back.
OptionalApi& Optional();

// Whether the system keeps `hwnd` on its desktop but out of sight (DWM's cloaking, Windows 8 and
// later: windows of other virtual desktops, suspended store apps). False where there is no DWM.
bool IsCloaked(HWND hwnd);

}  // namespace pf::win32
