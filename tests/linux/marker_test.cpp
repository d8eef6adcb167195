// The single-instance marker: one holder per name across descriptors and processes, and no
// holder left behind in a program the launcher started.
#include <spawn.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "platform/posix/marker_posix.h"

extern char** environ;

namespace qf::test {
namespace {

using pf::posix::MarkerPath;
using pf::posix::TakeFileMarker;

class Marker : public ::testing::Test {
 protected:
  void SetUp() override {
    char dir[] = "/tmp/qf-marker-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    dir_ = dir;
    setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
  }
  void TearDown() override {
    std::remove(MarkerPath(kName).c_str());
    rmdir(dir_.c_str());
    unsetenv("XDG_RUNTIME_DIR");
  }
  static constexpr const char* kName = "TOLVANE/quenfor";
  std::string dir_;
};

TEST_F(Marker, LivesInTheRuntimeFolderWithTheUserId) {
  EXPECT_EQ(MarkerPath(kName), dir_ + "/TOLVANE_quenfor-" + std::to_string(getuid()) + ".lock");
  unsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(MarkerPath("m"), "/tmp/m-" + std::to_string(getuid()) + ".lock");
}

TEST_F(Marker, OneHolderAtATimeInOneProcess) {
  pf::MarkerResult first = TakeFileMarker(kName);
  ASSERT_TRUE(first.marker);
  EXPECT_FALSE(first.already_exists);
  pf::MarkerResult second = TakeFileMarker(kName);
  EXPECT_TRUE(second.already_exists);
  first.marker->Release();
  EXPECT_FALSE(TakeFileMarker(kName).already_exists);  // released: free again
  pf::MarkerResult third = TakeFileMarker(kName);
  third.marker.reset();  // closed without a release
  EXPECT_FALSE(TakeFileMarker(kName).already_exists);
}

TEST_F(Marker, AnotherProcessSeesTheHolder) {
  pf::MarkerResult held = TakeFileMarker(kName);
  ASSERT_FALSE(held.already_exists);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) _exit(TakeFileMarker(kName).already_exists ? 0 : 1);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the second process took it too";
}

// A program started while the marker is held must not keep it once the holder closes it.
TEST_F(Marker, AStartedProgramDoesNotInheritIt) {
  pf::MarkerResult held = TakeFileMarker(kName);
  ASSERT_FALSE(held.already_exists);
  char sleep_cmd[] = "sleep", seconds[] = "30";
  char* argv[] = {sleep_cmd, seconds, nullptr};
  pid_t child = 0;
  ASSERT_EQ(posix_spawnp(&child, "sleep", nullptr, nullptr, argv, environ), 0);
  held.marker.reset();
  const bool taken_again = !TakeFileMarker(kName).already_exists;
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  EXPECT_TRUE(taken_again) << "the child kept the lock";
}

}  // namespace
}  // namespace qf::test
