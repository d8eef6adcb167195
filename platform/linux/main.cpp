// The program's entry point on Linux: install the X platform, run the program. The form
// description is linked in; Quenfor() registers it. No argument is read.
#include <cstdio>

#include "platform/run_native.h"

int main() {
  // On Linux the error stream is the debugger channel too.
  return pf::RunNativeProgram(
      [](const std::string& reason) { std::fprintf(stderr, "quenfor: %s\n", reason.c_str()); });
}
