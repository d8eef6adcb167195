#pragma once
// The native entry, for the program's main: made by the realisation that is linked in (the
// library qf_native_entry, linked into the program only).
namespace pf {

// Installs the native platform, runs `program` and uninstalls the platform again; returns the
// program's exit code. Whatever escapes, the platform's creation included, is reported where no
// window is needed (the error stream, and on Windows the debugger channel) and ends in
// kExitCouldNotStart.
int RunNativeProgram(int (*program)());

}  // namespace pf
