// The program's entry point on Linux: install the X platform, run the program. The form
// description is linked in; Quenfor() registers it. No argument is read.
#include <cstdio>
#include <exception>

#include "platform/entry.h"
#include "platform/platform.h"

int main() {
  try {
    pf::Install(pf::CreateNativePlatform());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quenfor: %s\n", e.what());
    return 1;
  }
  const int code = Quenfor();
  pf::Uninstall();
  return code;
}
