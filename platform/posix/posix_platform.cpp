#include "platform/posix/posix_platform.h"

#include <sys/utsname.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "platform/posix/marker_posix.h"
#include "platform/shared/cp1252.h"
#include "platform/shared/sys_colors.h"

namespace pf::posix {

MarkerResult PosixPlatform::TakeInstanceMarker(std::string_view name) {
  return TakeFileMarker(name);
}

// A debugger's channel has no place on Linux; stderr is where a developer looks.
void PosixPlatform::DebugOutput(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

// As the Windows shell does, a file that cannot be opened is said in a box, unless the request
// asks for none; the caller hears only the refusal.
ShellResult PosixPlatform::ShellExecute(const ShellRequest& request) {
  std::string failure;
  ShellResult result = OpenWithDesktop(request, children_, &failure);
  if (!result.ok && !failure.empty() && (request.mask & kShellNoErrorUi) == 0) {
    MessageBox(request.owner, failure, "", kBoxIconError);
  }
  return result;
}

bool PosixPlatform::ReportOpenFailure() {
  std::optional<std::string> failure = children_->TakeFailure();
  if (failure) MessageBox(ApplicationHandle(), *failure, "", kBoxIconError);
  return failure.has_value();
}

void PosixPlatform::Sleep(unsigned ms) {
  timespec left{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1'000'000};
  while (nanosleep(&left, &left) != 0 && errno == EINTR) {
  }
}

// Reported as the Windows version a current machine reports to a program without a manifest
// (6.2, build 9200, NT): the launcher picks its newer reader installer there. The service pack
// field names the real system.
OsVersion PosixPlatform::GetOsVersion() {
  OsVersion v{6, 2, 9200, 2, ""};
  utsname name{};
  if (uname(&name) == 0) v.service_pack = std::string(name.sysname) + " " + name.release;
  return v;
}

// In the launcher's Windows style (see shell_posix.h), of the file system's bytes: UTF-8, as paths
// cross the seam, on every current desktop.
std::string PosixPlatform::ExecutablePath() {
  std::vector<char> path(256);
  for (;;) {
    const ssize_t n = readlink("/proc/self/exe", path.data(), path.size());
    if (n < 0) return std::string();
    if (static_cast<std::size_t>(n) < path.size()) {
      return ShellPathFromPosix(std::string_view(path.data(), static_cast<std::size_t>(n)));
    }
    path.resize(path.size() * 2);  // cut short: try again with more room
  }
}

std::string PosixPlatform::PathText(std::string_view path) { return text::Cp1252FromUtf8(path); }

ColorRef PosixPlatform::SysColor(int index) { return DefaultSysColor(index); }

// An ELF executable has no resource section: the program carries its resources linked in.
std::optional<std::string_view> PosixPlatform::FindResource(std::string_view) {
  return std::nullopt;
}

}  // namespace pf::posix
