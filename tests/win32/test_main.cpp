// The test programs double as the child processes some tests start:
//   --probe-marker NAME  exit 1 when the named marker already exists, else 0
//   --sleep MS           sleep, then exit 7
//   --debug-output       write one trace line to the debugger channel
//   --put-clipboard      put kClipboardProbe on the clipboard: exit 0 when it went there
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/win32/platform_win32.h"
#include "tests/win32/test_main.h"

namespace {

int ProbeMarker(const char* name) {
  pf::win32::Win32Platform platform{"QfTest"};
  return platform.TakeInstanceMarker(name).already_exists ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--probe-marker") return ProbeMarker(argv[2]);
  if (argc == 2 && std::string(argv[1]) == "--debug-output") {
    pf::win32::Win32Platform platform{"QfTest"};
    platform.DebugOutput("ImageButton2Click(  42) : \"quoted\" C:\\DRIVER\n");
    return 0;
  }
  if (argc == 2 && std::string(argv[1]) == "--put-clipboard") {
    pf::win32::Win32Platform platform{"QfTest"};
    return platform.SetClipboardText(pf::win32::kClipboardProbe) ? 0 : 1;
  }
  if (argc == 3 && std::string(argv[1]) == "--sleep") {
    ::Sleep(static_cast<DWORD>(std::atoi(argv[2])));
    return 7;
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
