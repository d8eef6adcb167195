#include "platform/win32/platform_win32.h"

namespace pf {

std::unique_ptr<Platform> CreateNativePlatform() {
  return std::make_unique<win32::Win32Platform>();
}

}  // namespace pf
