#pragma once
// What every realisation's RunNativeProgram does, with its own way to report a failure.
#include <string>

#include "platform/entry.h"
#include "platform/platform.h"

namespace pf {

inline int RunNativeProgramReporting(int (*program)(),
                                     void (*report)(const std::string& reason)) {
  try {
    Install(CreateNativePlatform());
    struct Uninstaller {
      ~Uninstaller() { Uninstall(); }
    } uninstall;
    return program();
  } catch (...) {
    report(CurrentExceptionText());
    return kExitCouldNotStart;
  }
}

}  // namespace pf
