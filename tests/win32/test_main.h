#pragma once
// What the test programs' child processes (test_main.cpp) and the tests that start them share.

namespace pf::win32 {

// The text a child puts on the clipboard: Windows-1252, lines ending "\n".
inline constexpr char kClipboardProbe[] = "Caf\xE9 \x80\nline 2\n";

}  // namespace pf::win32
