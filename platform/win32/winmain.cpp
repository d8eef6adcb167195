// The executable's real entry point on Windows: install the Win32 platform, run the program.
// None of the arguments is read.
#include <cstdio>
#include <string>

#include "platform/run_native.h"
#include "platform/win32/win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  return pf::RunNativeProgram([](const std::string& reason) {
    // No window to show it in: the error stream and the debugger channel, no crash dialog.
    const std::string line = "Quenfor: " + reason + "\n";
    std::fputs(line.c_str(), stderr);
    OutputDebugStringA(line.c_str());
  });
}
