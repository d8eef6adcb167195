#include "platform/linux/shell_linux.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>

#include <algorithm>
#include <cctype>
#include <chrono>

extern char** environ;

namespace pf::linux_x {
namespace {


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

void ChildTable::Reap() {
  for (auto it = running_.begin(); it != running_.end();) {
    const pid_t r = waitpid(*it, nullptr, WNOHANG);
    // Ended, or not a child any more (reaped elsewhere): either way it is not running.
    it = (r == *it || r < 0) ? running_.erase(it) : std::next(it);
  }
}

ShellResult OpenWithDesktop(const ShellRequest& request,
                            const std::shared_ptr<ChildTable>& children) {
  ShellResult result;
  if (!request.verb.empty() && request.verb != "open") return result;
  const std::string target = ResolveTarget(request);
  struct stat info{};
  if (target.empty() || stat(target.c_str(), &info) != 0) return result;  // the shell's refusal
  SpawnSetup setup;
  char program[] = "xdg-open";
  std::string argument = target;
  char* argv[] = {program, argument.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, program, &setup.actions, &setup.attr, argv, environ) != 0) return result;
  children->Add(pid);
  result.ok = true;
  if (request.mask & kShellKeepProcess) {
    result.process = std::make_unique<LinuxProcess>(pid, children);
  }
  return result;
}

}  // namespace pf::linux_x
