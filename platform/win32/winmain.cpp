// The executable's real entry point on Windows: install the Win32 platform, run the program.
// None of the arguments is read.
#include <cstdio>
#include <string>

#include "platform/entry.h"
#include "platform/platform.h"
#include "platform/win32/win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    pf::Install(pf::CreateNativePlatform());
    struct Uninstall {
      ~Uninstall() { pf::Uninstall(); }
    } uninstall;
    return Quenfor();
  } catch (...) {
    // No window to show it in (no display, or the box itself failed): the error stream and the
    // debugger channel, and no crash dialog.
    const std::string line = "Quenfor: " + pf::CurrentExceptionText() + "\n";
    std::fputs(line.c_str(), stderr);
    OutputDebugStringA(line.c_str());
    return pf::kExitCouldNotStart;
  }
}
