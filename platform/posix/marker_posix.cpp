#include "platform/posix/marker_posix.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace pf::posix {
namespace {

class UniqueFd {
 public:
  explicit UniqueFd(int fd) : fd_(fd) {}
  ~UniqueFd() {
    if (fd_ >= 0) ::close(fd_);
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

class FileMarker : public InstanceMarker {
 public:
  explicit FileMarker(int fd) : fd_(fd) {}
  void Release() override { flock(fd_.get(), LOCK_UN); }

 private:
  UniqueFd fd_;
};

}  // namespace

std::string MarkerPath(std::string_view name) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::string dir = runtime != nullptr && runtime[0] != '\0' ? runtime : "/tmp";
  std::string file(name);
  std::replace(file.begin(), file.end(), '/', '_');
  return dir + "/" + file + "-" + std::to_string(getuid()) + ".lock";
}

// Close-on-exec: a program the launcher starts must not keep the lock after the launcher ends.
MarkerResult TakeFileMarker(std::string_view name) {
  MarkerResult result;
  const std::string path = MarkerPath(name);
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return result;  // the system refused: no marker, and no other copy known
  auto marker = std::make_unique<FileMarker>(fd);
  int r = 0;
  while ((r = flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
  }
  result.already_exists = r != 0 && errno == EWOULDBLOCK;
  result.marker = std::move(marker);
  return result;
}

}  // namespace pf::posix
