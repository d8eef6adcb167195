#pragma once
// What a screen reader's call gives the window's object, read as MSAA defines it: the child a
// VARIANT names, and what accSelect's flags ask.
#include <optional>

#include "platform/win32/win.h"

#include <oleacc.h>

namespace pf::win32 {

// The child id a client names: a number, or none given (a late-bound client that leaves the
// optional argument out), which is the object itself. Nullopt for anything else.
std::optional<LONG> ChildNumber(const VARIANT& child);

// accSelect for objects that can take the focus but are never selected: nullopt where the flags
// ask to take the focus, else the answer at once (S_OK for nothing asked, E_INVALIDARG for flags
// that are not valid together, DISP_E_MEMBERNOTFOUND for any selection).
std::optional<HRESULT> AnswerWithoutFocus(LONG flags);

}  // namespace pf::win32
