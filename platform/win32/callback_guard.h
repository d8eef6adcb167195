#pragma once
// C++ exceptions must not unwind through the system's frames (DispatchMessage, a modal loop, a
// SendMessage inside user32): with DWARF unwinding that ends the program. Every callback from
// Windows into the framework runs Guarded, which keeps the first exception; the seam call that
// led to the callback throws it again once Windows has returned.
#include <exception>
#include <utility>

namespace pf::win32 {

void KeepPendingException(std::exception_ptr e);
// Throws the kept exception, if any, and forgets it.
void RethrowPendingException();

template <typename F>
void Guarded(F&& f) noexcept {
  try {
    std::forward<F>(f)();
  } catch (...) {
    KeepPendingException(std::current_exception());
  }
}

}  // namespace pf::win32
