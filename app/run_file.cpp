#include "app/run_file.h"

#include <cstdio>

#include "framework/controls/application.h"
#include "platform/platform.h"

namespace app {
namespace {

constexpr unsigned kWaitSliceMs = 50;
constexpr unsigned kPausePassMs = 100;

void WaitForProcess(pf::Process& process) {
  for (;;) {
    const std::uint32_t result = process.Wait(kWaitSliceMs);
    if (result == pf::kWaitEnded) return;
    fw::Application->ProcessMessages();
    if (result != pf::kWaitTimedOut) return;
  }
}

}  // namespace

fw::String TraceLine(const char* function, int number, const char* message) {
  // Bounded: a long message is cut, never written past the buffer.
  char line[kTraceLineMax + 1];
  std::snprintf(line, sizeof line, "%s(%4d) : %s\n", function, number, message);
  return line;
}

void DebugTrace(const char* function, int number, const char* message) {
  pf::Current().DebugOutput(TraceLine(function, number, message));
}

bool ShellRun(const fw::String& target, const fw::String& parameters, bool wait) {
  pf::Platform& platform = pf::Current();
  // The path goes to the shell whole; the trace line shows it as the system's texts are written.
  platform.DebugOutput(platform.PathText(target));
  pf::ShellRequest request;
  request.mask = pf::kShellKeepProcess | pf::kShellNoConsole;
  request.owner = fw::Application->Handle();
  request.verb = "open";
  request.file = target;
  request.parameters = parameters;
  request.show = pf::kShowActivated;
  pf::ShellResult result = platform.ShellExecute(request);
  if (!result.ok) return false;
  if (wait && result.process) WaitForProcess(*result.process);
  // The process handle is closed here, when `result` goes: nothing else waits on it.
  return true;
}

int PausePasses(float delay) {
  const long double limit = static_cast<long double>(delay) * 10;
  int passes = 0;
  while (limit > passes) ++passes;
  return passes;
}

TRunFile::TRunFile(const fw::String& target, fw::TCustomForm& form, float delay) : form_(form) {
  target_.clear();
  form_.SetEnabled(false);
  delay_ = delay;
  target_ = target;
}

TRunFile::~TRunFile() {
  form_.SetEnabled(true);
  form_.SetFocus();
}

bool TRunFile::Run() {
  const bool started = ShellRun(target_, "", false);
  const int passes = PausePasses(delay_);
  for (int i = 0; i < passes; ++i) {
    fw::Application->ProcessMessages();
    pf::Current().Sleep(kPausePassMs);
  }
  return started;
}

}  // namespace app
