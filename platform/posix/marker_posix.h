#pragma once
// The single-instance marker: an exclusive flock on a file of the user's. The kernel drops the
// lock when the process ends, however it ends.
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace pf::posix {

// $XDG_RUNTIME_DIR (else /tmp) / "<name>-<uid>.lock", with '/' in the name made '_'.
std::string MarkerPath(std::string_view name);
MarkerResult TakeFileMarker(std::string_view name);

}  // namespace pf::posix
