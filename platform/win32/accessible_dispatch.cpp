#include "platform/win32/accessible_dispatch.h"

#include <algorithm>
#include <iterator>

namespace pf::win32 {
namespace {

// The Accessibility type library: as registered, else the one oleacc.dll in the system folder
// carries (by its full path: never a copy planted beside the program).
HRESULT LoadAccessibilityLibrary(ITypeLib** library) {
  constexpr WORD kMajor = 1, kMinor = 1;
  if (SUCCEEDED(::LoadRegTypeLib(LIBID_Accessibility, kMajor, kMinor, LANG_NEUTRAL, library))) {
    return S_OK;
  }
  static constexpr wchar_t kFile[] = L"\\oleacc.dll";
  wchar_t path[MAX_PATH + std::size(kFile)];
  const UINT length = ::GetSystemDirectoryW(path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return TYPE_E_CANTLOADLIBRARY;
  std::copy(std::begin(kFile), std::end(kFile), path + length);
  return ::LoadTypeLibEx(path, REGKIND_NONE, library);
}

// IAccessible is dual: the library names its dispatch view, and DispInvoke needs the interface
// itself, whose functions it calls through the object's vtable.
HRESULT LoadAccessibleInterface(ITypeInfo** info) {
  ComRef<ITypeLib> library;
  if (const HRESULT result = LoadAccessibilityLibrary(library.Out()); FAILED(result)) return result;
  ComRef<ITypeInfo> described;
  if (const HRESULT result = library->GetTypeInfoOfGuid(IID_IAccessible, described.Out());
      FAILED(result)) {
    return result;
  }
  HREFTYPE vtable = 0;
  if (SUCCEEDED(described->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtable))) {
    return described->GetRefTypeInfo(vtable, info);
  }
  *info = described.get();
  (*info)->AddRef();
  return S_OK;
}

}  // namespace

ITypeInfo* DispatchedAccessible::TypeInfo() {
  if (!looked_up_) {
    looked_up_ = true;
    LoadAccessibleInterface(type_info_.Out());
  }
  return type_info_.get();
}

HRESULT DispatchedAccessible::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = TypeInfo() != nullptr ? 1 : 0;
  return S_OK;
}

HRESULT DispatchedAccessible::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (info == nullptr) return E_POINTER;
  *info = nullptr;
  if (index != 0 || TypeInfo() == nullptr) return DISP_E_BADINDEX;
  *info = TypeInfo();
  (*info)->AddRef();
  return S_OK;
}

HRESULT DispatchedAccessible::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) {
  if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  if (names == nullptr || ids == nullptr) return E_POINTER;
  if (ITypeInfo* info = TypeInfo()) return ::DispGetIDsOfNames(info, names, count, ids);
  for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  return DISP_E_UNKNOWNNAME;
}

HRESULT DispatchedAccessible::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* bad_argument) {
  if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  ITypeInfo* info = TypeInfo();
  if (info == nullptr) return DISP_E_MEMBERNOTFOUND;
  return ::DispInvoke(static_cast<IAccessible*>(this), info, id, flags, params, result, exception,
                      bad_argument);
}

}  // namespace pf::win32
