// The native entry on Linux: the X platform; a failure goes to the error stream.
#include <cstdio>

#include "platform/native_entry.h"
#include "platform/shared/run_native.h"

namespace pf {

int RunNativeProgram(int (*program)()) {
  // On Linux the error stream is the debugger channel too.
  return RunNativeProgramReporting(program, [](const std::string& reason) {
    std::fprintf(stderr, "quenfor: %s\n", reason.c_str());
  });
}

}  // namespace pf
