#pragma once
// COM for this folder: a held reference and the thread's apartment, each released when it goes.
#include "platform/win32/win.h"

#include <objbase.h>

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

// COM for this thread while it lives. A thread whose COM was set up otherwise already (another
// apartment model) may still use it, but must not tear it down.
class ComApartment {
 public:
  ComApartment() : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) ::CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

 private:
  HRESULT result_;
};

}  // namespace pf::win32
