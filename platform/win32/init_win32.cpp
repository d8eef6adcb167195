#include "platform/win32/platform_win32.h"

namespace pf {

std::unique_ptr<Platform> CreateNativePlatform(std::string_view program_name) {
  return std::make_unique<win32::Win32Platform>(program_name);
}

}  // namespace pf
