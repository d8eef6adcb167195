#pragma once
// The program's own entry, which the program defines. The real entry point of each platform
// folder (WinMain on Windows) installs that platform and calls it; the tests call it with the
// headless platform installed. It returns the process exit code.
int Quenfor();
