#pragma once
// What every realisation's RunNativeProgram does, with its own way to report a failure.
#include <string>

#include "platform/entry.h"
#include "platform/platform.h"

namespace pf {

inline int RunNativeProgramReporting(std::string_view name, int (*program)(),
                                     void (*report)(std::string_view name,
                                                    const std::string& reason)) {
  try {
    Install(CreateNativePlatform(name));
    struct Uninstaller {
      ~Uninstaller() { Uninstall(); }
    } uninstall;
    return program();
  } catch (...) {
    report(name, CurrentExceptionText());
    return kExitCouldNotStart;
  }
}

}  // namespace pf
