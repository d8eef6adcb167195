#pragma once
// COM for this folder: a held reference and the thread's apartment, each released when it goes,
// and the program's texts as COM's strings.
#include <string_view>

#include "platform/win32/win.h"

#include <objbase.h>
#include <oleauto.h>

namespace pf::win32 {

// Holds one reference to a COM object and releases it.
template <typename I>
class ComRef {
 public:
  ComRef() = default;
  // Takes over a reference the caller holds.
  explicit ComRef(I* p) : p_(p) {}
  ~ComRef() {
    if (p_ != nullptr) p_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;

  I* get() const { return p_; }
  I* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  I** Out() { return &p_; }
  void** OutVoid() { return reinterpret_cast<void**>(&p_); }

 private:
  I* p_ = nullptr;
};

// This thread in a single-threaded apartment while it lives, OLE1's DDE off (as the shell asks of
// its callers). A thread whose COM was set up otherwise already (another apartment model) may
// still use it, but must not tear it down.
class ComApartment {
 public:
  ComApartment()
      : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {
    if (SingleThreaded()) ++joined_;
  }
  ~ComApartment() {
    if (!SUCCEEDED(result_)) return;
    --joined_;
    ::CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }
  bool SingleThreaded() const { return SUCCEEDED(result_); }
  // Whether the thread is in a single-threaded apartment that one of these joined: calls from
  // other apartments then reach it through its message loop, so it may serve objects. (The
  // program's objects live on its one thread.)
  static bool ServesObjects() { return joined_ > 0; }

 private:
  HRESULT result_;
  inline static int joined_ = 0;
};

// The program's texts are Windows-1252; COM's strings are UTF-16. Null when memory is short.
inline BSTR BstrFrom1252(std::string_view text) {
  constexpr UINT kWindows1252 = 1252;
  const int size = static_cast<int>(text.size());
  const int length =
      size == 0 ? 0 : ::MultiByteToWideChar(kWindows1252, 0, text.data(), size, nullptr, 0);
  BSTR result = ::SysAllocStringLen(nullptr, static_cast<UINT>(length));
  if (result != nullptr && length > 0) {
    ::MultiByteToWideChar(kWindows1252, 0, text.data(), size, result, length);
  }
  return result;
}

}  // namespace pf::win32
