// The native entry on Linux: the X platform; a failure goes to the error stream.
#include <cstdio>

#include "platform/linux/program_name.h"
#include "platform/native_entry.h"
#include "platform/shared/run_native.h"

namespace pf {

int RunNativeProgram(std::string_view name, int (*program)()) {
  // On Linux the error stream is the debugger channel too; a program names itself there as its
  // executable is named, in lower case.
  return RunNativeProgramReporting(name, program,
                                   [](std::string_view program_name, const std::string& reason) {
    const std::string prefix = linux_x::UnixProgramName(program_name);
    std::fprintf(stderr, "%s: %s\n", prefix.c_str(), reason.c_str());
  });
}

}  // namespace pf
