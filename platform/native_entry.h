#pragma once
// The native entry, for the program's main: made by the realisation that is linked in (the
// library qf_native_entry, linked into the program only).
#include <string>
#include <string_view>
#include <vector>

namespace pf {

// Installs the native platform for the program called `name` (as its user knows it: "Quenfor"),
// runs `program` and uninstalls the platform again; returns the program's exit code. Whatever
// escapes, the platform's creation included, is reported where no window is needed (the error
// stream, and on Windows the debugger channel), under the program's name, and ends in
// kExitCouldNotStart.
int RunNativeProgram(std::string_view name, int (*program)());

// For a program that reads its command line (the launcher reads none; this comes with the
// platform's library, not the native entry): the arguments after the program's name, as paths
// cross the seam (UTF-8). Windows' are read from its wide command line: the ANSI one has lost
// what its code page lacks.
std::vector<std::string> ProgramArguments(int argc, char** argv);

}  // namespace pf
