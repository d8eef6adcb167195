#include "platform/linux/platform_linux.h"

namespace pf {

std::unique_ptr<Platform> CreateNativePlatform(std::string_view program_name) {
  return std::make_unique<linux_x::LinuxPlatform>(program_name);
}

}  // namespace pf
