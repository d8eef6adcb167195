#pragma once
// The seam's named codes in Windows' own numbers, and back. The only place that knows both.
#include <cstdint>

#include "platform/platform.h"
#include "platform/win32/win.h"

namespace pf::win32 {

// The seam chose Windows' values, so each mapping is exact; these checks keep it so.
static_assert(kShellKeepProcess == SEE_MASK_NOCLOSEPROCESS);
static_assert(kShellNoErrorUi == SEE_MASK_FLAG_NO_UI);
static_assert(kShellNoConsole == SEE_MASK_NO_CONSOLE);
static_assert(kShowHidden == SW_HIDE && kShowNormal == SW_SHOWNORMAL && kShowActivated == SW_SHOW);
static_assert(kBoxOk == MB_OK && kBoxIconError == MB_ICONERROR);
static_assert(kBoxIconInformation == MB_ICONINFORMATION && kBoxTopmost == MB_TOPMOST);
static_assert(kBoxResultOk == IDOK);
static_assert(kWaitEnded == WAIT_OBJECT_0 && kWaitTimedOut == WAIT_TIMEOUT);
static_assert(kWaitFailed == WAIT_FAILED && kWaitForever == INFINITE);

inline ULONG ToShellMask(unsigned flags) { return flags; }
inline int ToShowCommand(int show) { return show; }
inline UINT ToBoxStyle(unsigned style) { return style; }
inline int FromBoxResult(int id) { return id; }
inline std::uint32_t FromWaitResult(DWORD result) { return result; }

}  // namespace pf::win32
