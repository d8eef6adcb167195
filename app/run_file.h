#pragma once
// The pieces of a launch action: trace lines to the debugger output, opening a file through the
// shell, and the scoped object that keeps the main form disabled while a file is started.
#include "framework/controls/forms.h"

namespace app {

// Trace lines are cut to this many characters, whatever the message.
inline constexpr std::size_t kTraceLineMax = 511;

// One line "%s(%4d) : %s\n" (function, number, message) to the debugger output.
void DebugTrace(const char* function, int number, const char* message);
// The line DebugTrace sends, for the tests.
fw::String TraceLine(const char* function, int number, const char* message);

// Asks the shell to "open" `target`; true when the shell accepted. With `wait`, pumps messages
// until the started process ends.
bool ShellRun(const fw::String& target, const fw::String& parameters, bool wait);

// Disables `form` for its lifetime; Run opens the target and keeps the message queue moving for
// the pause; destruction enables and focuses the form again.
class TRunFile {
 public:
  TRunFile(const fw::String& target, fw::TCustomForm& form, float delay);
  ~TRunFile();
  TRunFile(const TRunFile&) = delete;
  TRunFile& operator=(const TRunFile&) = delete;

  bool Run();

 private:
  fw::TCustomForm& form_;
  float delay_ = 0;  // seconds
  fw::String target_;
};

// The launch pause in seconds, as a single-precision value: slightly above 1.1.
inline constexpr float kLaunchDelay = 1.1f;

// How many passes of "process messages, sleep 100 ms" a pause of `delay` seconds makes:
// as long as delay x 10 > i, evaluated in extended precision.
int PausePasses(float delay);

}  // namespace app
