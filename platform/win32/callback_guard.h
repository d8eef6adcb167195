#pragma once
// C++ exceptions must not unwind through the system's frames (DispatchMessage, a modal loop, a
// SendMessage inside user32): with DWARF unwinding that ends the program. Every callback from
// Windows into the framework runs Guarded, which parks the first exception; every Win32 call that
// may lead to such a callback runs through CallingBack, which throws it again once Windows has
// returned.
#include <exception>
#include <type_traits>
#include <utility>

namespace pf::win32 {

namespace detail {
void ParkException(std::exception_ptr e);
// Throws the parked exception, if any, and forgets it.
void RethrowParkedException();
}  // namespace detail

template <typename F>
void Guarded(F&& f) noexcept {
  try {
    std::forward<F>(f)();
  } catch (...) {
    detail::ParkException(std::current_exception());
  }
}

// Runs `call`, a Win32 call during which Windows may send the program's windows messages or run
// a modal loop, and returns what it returns, unless a callback failed meanwhile: then that throws.
template <typename F>
decltype(auto) CallingBack(F&& call) {
  if constexpr (std::is_void_v<std::invoke_result_t<F>>) {
    std::forward<F>(call)();
    detail::RethrowParkedException();
  } else {
    auto result = std::forward<F>(call)();
    detail::RethrowParkedException();
    return result;
  }
}

}  // namespace pf::win32
