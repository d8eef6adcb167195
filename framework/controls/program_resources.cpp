#include "framework/controls/program_resources.h"

#include <string>

#include "framework/objects/sysutils.h"
#include "platform/platform.h"

namespace fw {

std::string_view ProgramResource(std::string_view name) {
  if (const std::optional<std::string_view> section = pf::Current().FindResource(name)) {
    return *section;
  }
  if (const std::optional<std::string_view> linked = LinkedResource(name)) return *linked;
  throw EResNotFound(Format("Resource %s not found", std::string(name).c_str()));
}

}  // namespace fw
