#pragma once
// The seam's named codes in Windows' own numbers, and back. The only place that knows both.
#include <cstdint>
#include <optional>

#include "platform/platform.h"
#include "platform/win32/win.h"

#include <oleacc.h>

namespace pf::win32 {

// The seam chose Windows' values, so each mapping is exact; these checks keep it so.
static_assert(kShellKeepProcess == SEE_MASK_NOCLOSEPROCESS);
static_assert(kShellNoErrorUi == SEE_MASK_FLAG_NO_UI);
static_assert(kShellNoConsole == SEE_MASK_NO_CONSOLE);
static_assert(kShowHidden == SW_HIDE && kShowNormal == SW_SHOWNORMAL && kShowActivated == SW_SHOW);
static_assert(kBoxOk == MB_OK && kBoxYesNo == MB_YESNO && kBoxYesNoCancel == MB_YESNOCANCEL);
static_assert(kBoxButtons == MB_TYPEMASK && kBoxIconError == MB_ICONERROR);
static_assert(kBoxIconQuestion == MB_ICONQUESTION && kBoxIconWarning == MB_ICONWARNING);
static_assert(kBoxIconInformation == MB_ICONINFORMATION && kBoxTopmost == MB_TOPMOST);
static_assert(kBoxResultOk == IDOK && kBoxResultCancel == IDCANCEL);
static_assert(kBoxResultYes == IDYES && kBoxResultNo == IDNO);
static_assert(kWaitEnded == WAIT_OBJECT_0 && kWaitTimedOut == WAIT_TIMEOUT);
static_assert(kWaitFailed == WAIT_FAILED && kWaitForever == INFINITE);
static_assert(kKeyTab == VK_TAB && kKeyReturn == VK_RETURN && kKeyEscape == VK_ESCAPE);
static_assert(kKeySpace == VK_SPACE && kKeyLeft == VK_LEFT && kKeyUp == VK_UP);
static_assert(kKeyRight == VK_RIGHT && kKeyDown == VK_DOWN);
static_assert(kKeyBack == VK_BACK && kKeyPrior == VK_PRIOR && kKeyNext == VK_NEXT);
static_assert(kKeyEnd == VK_END && kKeyHome == VK_HOME);
static_assert(kKeyInsert == VK_INSERT && kKeyDelete == VK_DELETE);
static_assert(kKeyF1 == VK_F1 && kKeyF9 == VK_F9 && kKeyF12 == VK_F12);

inline ULONG ToShellMask(unsigned flags) { return flags; }
inline int ToShowCommand(int show) { return show; }
inline UINT ToBoxStyle(unsigned style) { return style; }
inline int FromBoxResult(int id) { return id; }
inline std::uint32_t FromWaitResult(DWORD result) { return result; }

// The window's object is its client area (OBJID_CLIENT), as the system's own client objects are;
// its parent, the system's object of the window with its frame, has ROLE_SYSTEM_WINDOW.
inline LONG ToAccessibleRole(AccessibleRole role) {
  switch (role) {
    case AccessibleRole::kPushButton: return ROLE_SYSTEM_PUSHBUTTON;
    case AccessibleRole::kEditableText: return ROLE_SYSTEM_TEXT;
    case AccessibleRole::kWindow: break;
  }
  return ROLE_SYSTEM_CLIENT;
}

inline LONG ToAccessibleStates(unsigned states) {
  LONG result = 0;
  if (states & kAccessibleUnavailable) result |= STATE_SYSTEM_UNAVAILABLE;
  if (states & kAccessibleHot) result |= STATE_SYSTEM_HOTTRACKED;
  if (states & kAccessibleInvisible) result |= STATE_SYSTEM_INVISIBLE;
  if (states & kAccessibleFocusable) result |= STATE_SYSTEM_FOCUSABLE;
  if (states & kAccessibleFocused) result |= STATE_SYSTEM_FOCUSED;
  return result;
}

// MSAA has no event for a caret that is not the system's: its readers read a field's value
// again when it changes, and follow the system caret, which a windowless field has not.
inline std::optional<DWORD> ToWinEvent(AccessibleChange change) {
  switch (change) {
    case AccessibleChange::kState: return EVENT_OBJECT_STATECHANGE;
    case AccessibleChange::kName: return EVENT_OBJECT_NAMECHANGE;
    case AccessibleChange::kCreated: return EVENT_OBJECT_CREATE;
    case AccessibleChange::kFocus: return EVENT_OBJECT_FOCUS;
    case AccessibleChange::kValue: return EVENT_OBJECT_VALUECHANGE;
    case AccessibleChange::kCaret: return std::nullopt;
    case AccessibleChange::kDestroyed: break;
  }
  return EVENT_OBJECT_DESTROY;
}

}  // namespace pf::win32
