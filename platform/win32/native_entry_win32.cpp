// The native entry on Windows: DLLs from the system folder only, then the Win32 platform; a
// failure goes to the error stream and the debugger channel.
#include <cstdio>
#include <string>

#include "platform/native_entry.h"
#include "platform/shared/run_native.h"
#include "platform/win32/system_dlls.h"
#include "platform/win32/win.h"

namespace pf {

int RunNativeProgram(std::string_view name, int (*program)()) {
  // Before anything loads a DLL by name: no library from beside the program.
  win32::KeepDllSearchInSystemFolder();
  return RunNativeProgramReporting(name, program,
                                   [](std::string_view program_name, const std::string& reason) {
    // No window to show it in: no crash dialog either.
    const std::string line = std::string(program_name) + ": " + reason + "\n";
    std::fputs(line.c_str(), stderr);
    OutputDebugStringA(line.c_str());
  });
}

}  // namespace pf
