#include "platform/win32/accessible_arguments.h"

namespace pf::win32 {

std::optional<LONG> ChildNumber(const VARIANT& child) {
  switch (child.vt) {
    case VT_I4: return child.lVal;
    case VT_I2: return child.iVal;  // a script's small integer
    case VT_EMPTY: return CHILDID_SELF;
    case VT_ERROR:
      if (child.scode == DISP_E_PARAMNOTFOUND) return CHILDID_SELF;
      break;
    default: break;
  }
  return std::nullopt;
}

std::optional<HRESULT> AnswerWithoutFocus(LONG flags) {
  constexpr LONG kAddAndRemove = SELFLAG_ADDSELECTION | SELFLAG_REMOVESELECTION;
  if ((flags & ~SELFLAG_VALID) != 0 || (flags & kAddAndRemove) == kAddAndRemove) {
    return E_INVALIDARG;
  }
  if ((flags & ~SELFLAG_TAKEFOCUS) != 0) return DISP_E_MEMBERNOTFOUND;
  if (flags == SELFLAG_NONE) return S_OK;
  return std::nullopt;
}

}  // namespace pf::win32
