// The program's entry point on Linux: install the X platform, run the program. The form
// description is linked in; Quenfor() registers it. No argument is read.
#include <cstdio>

#include "platform/entry.h"
#include "platform/platform.h"

int main() {
  try {
    pf::Install(pf::CreateNativePlatform());
    struct Uninstall {
      ~Uninstall() { pf::Uninstall(); }
    } uninstall;
    return Quenfor();
  } catch (...) {
    // No window to show it in (no display, or the box itself failed). On Linux the error stream
    // is the debugger channel too.
    std::fprintf(stderr, "quenfor: %s\n", pf::CurrentExceptionText().c_str());
    return pf::kExitCouldNotStart;
  }
}
