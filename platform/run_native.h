#pragma once
// What each platform's real entry point does, for the two entry points only (it needs the program
// and the native platform linked in).
#include <string>

#include "platform/entry.h"
#include "platform/platform.h"

namespace pf {

// Installs the native platform, runs Quenfor() and uninstalls it again. Whatever escapes, the
// platform's creation included, goes to `report` (which has no window to use) and ends in
// kExitCouldNotStart.
inline int RunNativeProgram(void (*report)(const std::string& reason)) {
  try {
    Install(CreateNativePlatform());
    struct Uninstaller {
      ~Uninstaller() { Uninstall(); }
    } uninstall;
    return Quenfor();
  } catch (...) {
    report(CurrentExceptionText());
    return kExitCouldNotStart;
  }
}

}  // namespace pf
