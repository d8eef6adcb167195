#include "platform/posix/shell_posix.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "platform/shared/cp1252.h"

extern char** environ;

namespace pf::posix {
namespace {

// xdg-open that fails this soon found nothing to open the file with; a later failure is the
// exit status of a program the user has been using, not ours to report.
constexpr auto kReportFailuresWithin = std::chrono::seconds(5);

class LinuxProcess : public Process {
 public:
  LinuxProcess(pid_t pid, std::shared_ptr<ChildTable> children)
      : pid_(pid), children_(std::move(children)) {}

  std::uint32_t Wait(unsigned timeout_ms) override {
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
      children_->Reap();
      if (!children_->Running(pid_)) return kWaitEnded;
      const auto waited = std::chrono::steady_clock::now() - start;
      if (timeout_ms != kWaitForever && waited >= std::chrono::milliseconds(timeout_ms)) {
        return kWaitTimedOut;
      }
      const timespec slice{0, 5'000'000};
      nanosleep(&slice, nullptr);
    }
  }

 private:
  pid_t pid_;
  std::shared_ptr<ChildTable> children_;
};

// posix_spawn's attributes and file actions, destroyed with their owner.
struct SpawnSetup {
  posix_spawnattr_t attr;
  posix_spawn_file_actions_t actions;
  SpawnSetup() {
    posix_spawnattr_init(&attr);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID);
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  }
  ~SpawnSetup() {
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;
};

bool IsDriveLetter(std::string_view s) {
  return s.size() >= 2 && std::isalpha(static_cast<unsigned char>(s[0])) && s[1] == ':';
}

std::string ResolveTarget(const ShellRequest& request) {
  std::string file = PosixPathFromShell(request.file);
  if (!file.empty() && file[0] != '/' && request.directory && !request.directory->empty()) {
    file = PosixPathFromShell(*request.directory + "\\" + request.file);
  }
  return file;
}

// xdg-open's exit statuses: 1 bad arguments, 2 no such file, 3 no program found, 4 it failed.
std::string WhyXdgOpenFailed(int status) {
  if (WIFSIGNALED(status)) return "xdg-open was ended by signal " + std::to_string(WTERMSIG(status)) + ".";
  switch (WEXITSTATUS(status)) {
    case 2: return "No such file or directory.";
    case 3: return "No program is set up to open this kind of file.";
    case 4: return "The program that opens it failed.";
    default: return "xdg-open failed with exit status " + std::to_string(WEXITSTATUS(status)) + ".";
  }
}

}  // namespace

std::string ShellPathFromPosix(std::string_view posix_path) {
  std::string out(posix_path);
  std::replace(out.begin(), out.end(), '/', '\\');
  return out;
}

std::string PosixPathFromShell(std::string_view shell_path) {
  if (IsDriveLetter(shell_path)) shell_path.remove_prefix(2);
  std::string out;
  for (char c : shell_path) {
    if (c == '\\') c = '/';
    if (c == '/' && !out.empty() && out.back() == '/') continue;
    out += c;
  }
  return out;
}

// A text of the program: the path (UTF-8) in Windows-1252, as every text.
std::string OpenFailureText(std::string_view posix_path, std::string_view why) {
  return "Cannot open \"" + text::Cp1252FromUtf8(posix_path) + "\":\n" + std::string(why);
}

void ChildTable::Add(pid_t pid, std::string target, bool report) {
  running_[pid] = Child{std::move(target), report, std::chrono::steady_clock::now()};
}

void ChildTable::Reap() {
  for (auto it = running_.begin(); it != running_.end();) {
    int status = 0;
    const pid_t r = waitpid(it->first, &status, WNOHANG);
    const Child& child = it->second;
    if (r == it->first && child.report && status != 0 &&
        std::chrono::steady_clock::now() - child.started < kReportFailuresWithin) {
      failures_.push_back(OpenFailureText(child.target, WhyXdgOpenFailed(status)));
    }
    // Ended, or not a child any more (reaped elsewhere): either way it is not running.
    it = (r == it->first || r < 0) ? running_.erase(it) : std::next(it);
  }
}

std::optional<std::string> ChildTable::TakeFailure() {
  if (failures_.empty()) return std::nullopt;
  std::string text = std::move(failures_.front());
  failures_.erase(failures_.begin());
  return text;
}

ShellResult OpenWithDesktop(const ShellRequest& request,
                            const std::shared_ptr<ChildTable>& children, std::string* failure) {
  ShellResult result;
  if (!request.verb.empty() && request.verb != "open") return result;
  const std::string target = ResolveTarget(request);
  auto refuse = [&](const std::string& why) {
    if (failure) *failure = OpenFailureText(target, why);
    return std::move(result);
  };
  struct stat info{};
  if (target.empty()) return refuse("No file was named.");
  if (stat(target.c_str(), &info) != 0) return refuse(std::string(std::strerror(errno)) + ".");
  SpawnSetup setup;
  char program[] = "xdg-open";
  std::string argument = target;
  char* argv[] = {program, argument.data(), nullptr};
  pid_t pid = 0;
  if (const int error = posix_spawnp(&pid, program, &setup.actions, &setup.attr, argv, environ)) {
    return refuse(error == ENOENT
                      ? "xdg-open, which opens files on this desktop, is not installed."
                      : "xdg-open could not be started: " + std::string(std::strerror(error)) + ".");
  }
  children->Add(pid, target, (request.mask & kShellNoErrorUi) == 0);
  result.ok = true;
  if (request.mask & kShellKeepProcess) {
    result.process = std::make_unique<LinuxProcess>(pid, children);
  }
  return result;
}

}  // namespace pf::posix
