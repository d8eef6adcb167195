// Stands for a DLL planted beside the launcher on a copied disc: copied under the names of the
// system DLLs the launcher's process loads. Loaded, it says so on the debugger channel.
#include "platform/win32/win.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    char line[MAX_PATH + 32] = "planted library loaded: ";
    const int prefix = ::lstrlenA(line);
    ::GetModuleFileNameA(self, line + prefix, MAX_PATH);
    ::OutputDebugStringA(line);
  }
  return TRUE;
}
