// Windows: the form description, the icons and the version record are in the executable's
// resource section (resources/quenfor.rc); the platform finds them there.
#include "app/program_resources.h"

namespace app {

std::optional<std::string_view> LinkedResource(std::string_view) { return std::nullopt; }

}  // namespace app
