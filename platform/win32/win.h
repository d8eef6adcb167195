#pragma once
// <windows.h> for this folder only, without the macros that would rename the seam's own methods
// (CreateWindow, MessageBox, FindResource, ShellExecute) in the files that implement them.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>

#undef CreateWindow
#undef MessageBox
#undef FindResource
#undef ShellExecute

#include "platform/geometry.h"

namespace pf::win32 {

inline RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
inline Rect FromRECT(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

}  // namespace pf::win32
