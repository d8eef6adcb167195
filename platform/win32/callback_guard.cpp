#include "platform/win32/callback_guard.h"

namespace pf::win32::detail {
namespace {
std::exception_ptr parked;  // the GUI thread is the only one that dispatches messages
}

void ParkException(std::exception_ptr e) {
  if (!parked) parked = std::move(e);
}

void RethrowParkedException() {
  if (!parked) return;
  std::exception_ptr e = std::exchange(parked, nullptr);
  std::rethrow_exception(e);
}

}  // namespace pf::win32::detail
