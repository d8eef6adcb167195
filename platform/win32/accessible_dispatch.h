#pragma once
// IDispatch for a hand-written IAccessible, answered through Active Accessibility's own type
// information, so that late-bound clients (scripts, automation tools) reach its properties by
// name: accName, accRole, ... with the DISPIDs MSAA gives them.
#include <oleacc.h>

#include "platform/win32/com.h"

namespace pf::win32 {

class DispatchedAccessible : public IAccessible {
 public:
  // Where the system has no type information for IAccessible: no type information (a count of 0,
  // DISP_E_BADINDEX), no names known (DISP_E_UNKNOWNNAME), nothing to invoke
  // (DISP_E_MEMBERNOTFOUND).
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* bad_argument) override;

 protected:
  DispatchedAccessible() = default;
  virtual ~DispatchedAccessible() = default;

 private:
  // Loaded at the first call that needs it; null where the system has none.
  ITypeInfo* TypeInfo();

  ComRef<ITypeInfo> type_info_;
  bool looked_up_ = false;
};

}  // namespace pf::win32
