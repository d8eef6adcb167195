#include "platform/linux/platform_linux.h"

namespace pf {

std::unique_ptr<Platform> CreateNativePlatform() {
  return std::make_unique<linux_x::LinuxPlatform>();
}

}  // namespace pf
