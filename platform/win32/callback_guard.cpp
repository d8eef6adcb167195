#include "platform/win32/callback_guard.h"

namespace pf::win32 {
namespace {
std::exception_ptr pending;  // the GUI thread is the only one that dispatches messages
}

void KeepPendingException(std::exception_ptr e) {
  if (!pending) pending = std::move(e);
}

void RethrowPendingException() {
  if (!pending) return;
  std::exception_ptr e = std::exchange(pending, nullptr);
  std::rethrow_exception(e);
}

}  // namespace pf::win32
