// The executable's real entry point on Windows: install the Win32 platform, run the program.
// None of the arguments is read.
#include "platform/entry.h"
#include "platform/platform.h"
#include "platform/win32/win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  pf::Install(pf::CreateNativePlatform());
  const int code = Quenfor();
  pf::Uninstall();
  return code;
}
