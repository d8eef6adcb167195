// A program whose resources are all in its executable's resource section (Windows: the resource
// script holds its forms' descriptions, icons and version record); the platform finds them there.
#include "framework/controls/program_resources.h"

namespace fw {

std::optional<std::string_view> LinkedResource(std::string_view) { return std::nullopt; }

}  // namespace fw
