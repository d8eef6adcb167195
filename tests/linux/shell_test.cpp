// Targets the launcher forms from its own path reach the files beside it, and the shell starts
// xdg-open detached, refuses what is missing, and lets a caller wait on what it started.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "app/unit1.h"
#include "platform/posix/shell_posix.h"

namespace qf::test {
namespace {

using pf::posix::ChildTable;
using pf::posix::OpenWithDesktop;
using pf::posix::PosixPathFromShell;
using pf::posix::ShellPathFromPosix;

TEST(ShellPaths, TheLaunchersTargetsLandBesideTheProgram) {
  const std::string exe = ShellPathFromPosix("/media/u/DISC 1/quenfor");
  EXPECT_EQ(exe, "\\media\\u\\DISC 1\\quenfor");
  const std::string folder = app::ExtractFilePath(exe);
  EXPECT_EQ(PosixPathFromShell(app::DriverTarget(folder)), "/media/u/DISC 1/DRIVER/SETUP.EXE");
  // The manual's part starts with its own separator: doubled, then collapsed.
  EXPECT_EQ(PosixPathFromShell(app::ManualTarget(folder)),
            "/media/u/DISC 1/USER MANUAL/QRV512LD3T8.pdf");
  EXPECT_EQ(PosixPathFromShell(app::ReaderTarget(folder, pf::OsVersion{6, 2, 9200, 2, ""})),
            "/media/u/DISC 1/ACROBAT READER/Setup8.exe");
}

TEST(ShellPaths, ADriveIsDroppedAndSeparatorsCollapse) {
  EXPECT_EQ(PosixPathFromShell("D:\\DRIVER\\SETUP.EXE"), "/DRIVER/SETUP.EXE");
  EXPECT_EQ(PosixPathFromShell("D:\\\\USER MANUAL//a.pdf"), "/USER MANUAL/a.pdf");
  EXPECT_EQ(PosixPathFromShell("dir\\file"), "dir/file");
}

// A stand-in xdg-open on PATH records its argument, whether stdin is /dev/null and whether it
// leads its own session, then lingers a little, or ends at once with $QF_XDG_OPEN_STATUS.
class Shell : public ::testing::Test {
 protected:
  void SetUp() override {
    char dir[] = "/tmp/qf-shell-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    dir_ = dir;
    std::ofstream(dir_ + "/xdg-open")
        << "#!/bin/sh\n"
           "stdin=$(readlink /proc/$$/fd/0)\n"
           "sid=$(cut -d' ' -f6 /proc/$$/stat)\n"
           "[ \"$sid\" = $$ ] && leader=leader || leader=member\n"
           "printf '%s|%s|%s\\n' \"$1\" \"$stdin\" \"$leader\" > \"" << dir_ << "/record\"\n"
           "[ -n \"$QF_XDG_OPEN_STATUS\" ] && exit \"$QF_XDG_OPEN_STATUS\"\n"
           "sleep 0.3\n";
    chmod((dir_ + "/xdg-open").c_str(), 0755);
    std::ofstream(dir_ + "/target file.pdf") << "x";
    path_ = std::getenv("PATH");
    setenv("PATH", (dir_ + ":" + path_).c_str(), 1);
  }
  void TearDown() override {
    setenv("PATH", path_.c_str(), 1);
    unsetenv("QF_XDG_OPEN_STATUS");
    for (const char* f : {"/xdg-open", "/record", "/target file.pdf"}) {
      std::remove((dir_ + f).c_str());
    }
    rmdir(dir_.c_str());
  }
  std::string Record() {
    std::ifstream in(dir_ + "/record");
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  pf::ShellRequest Open(const std::string& posix_target) {
    pf::ShellRequest r;
    r.mask = 0x40;  // keep the process
    r.verb = "open";
    r.file = ShellPathFromPosix(posix_target);
    return r;
  }

  std::string dir_;
  std::string path_;
  std::shared_ptr<ChildTable> children_ = std::make_shared<ChildTable>();
};

TEST_F(Shell, OpensAnExistingTargetDetachedAndCanWaitForIt) {
  pf::ShellResult result = OpenWithDesktop(Open(dir_ + "/target file.pdf"), children_);
  ASSERT_TRUE(result.ok);
  ASSERT_TRUE(result.process);
  EXPECT_EQ(result.process->Wait(20), 258u);  // still lingering
  EXPECT_EQ(result.process->Wait(5000), 0u);
  EXPECT_EQ(Record(), dir_ + "/target file.pdf|/dev/null|leader\n");
}

TEST_F(Shell, RefusesAMissingTargetOrAnotherVerbWithoutStartingAnything) {
  pf::ShellResult missing = OpenWithDesktop(Open(dir_ + "/absent.pdf"), children_);
  EXPECT_FALSE(missing.ok);
  EXPECT_FALSE(missing.process);
  pf::ShellRequest print = Open(dir_ + "/target file.pdf");
  print.verb = "print";
  EXPECT_FALSE(OpenWithDesktop(print, children_).ok);
  usleep(100'000);
  EXPECT_EQ(Record(), "");
}

// Without a process requested the child is still reaped, so it leaves no zombie.
TEST_F(Shell, ReapsChildrenNobodyWaitsFor) {
  pf::ShellRequest request = Open(dir_ + "/target file.pdf");
  request.mask = 0;
  pf::ShellResult result = OpenWithDesktop(request, children_);
  ASSERT_TRUE(result.ok);
  EXPECT_FALSE(result.process);
  usleep(1'000'000);  // the stand-in has ended by now
  children_->Reap();
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1) << "a child was left unreaped";
}

// What the user is told: the file, and why it could not be opened.
TEST_F(Shell, SaysWhyATargetCannotBeOpened) {
  std::string failure;
  EXPECT_FALSE(OpenWithDesktop(Open(dir_ + "/absent.pdf"), children_, &failure).ok);
  EXPECT_EQ(failure, "Cannot open \"" + dir_ + "/absent.pdf\":\nNo such file or directory.");
  // The path (UTF-8) in the program's text encoding, as every text of a box.
  EXPECT_FALSE(OpenWithDesktop(Open(dir_ + "/Caf\xC3\xA9 \xD0\x96.pdf"), children_, &failure).ok);
  EXPECT_EQ(failure, "Cannot open \"" + dir_ + "/Caf\xE9 ?.pdf\":\nNo such file or directory.");
  setenv("PATH", dir_.c_str(), 1);
  unlink((dir_ + "/xdg-open").c_str());
  EXPECT_FALSE(OpenWithDesktop(Open(dir_ + "/target file.pdf"), children_, &failure).ok);
  EXPECT_EQ(failure, "Cannot open \"" + dir_ + "/target file.pdf\":\n"
                     "xdg-open, which opens files on this desktop, is not installed.");
}

TEST_F(Shell, AnOpenerThatFailsSoonLeavesItsReasonForTheUser) {
  const struct {
    const char* status;
    unsigned mask;
    const char* why;  // null: nothing to say
  } cases[] = {
      {"3", 0x40, "No program is set up to open this kind of file."},
      {"4", 0x40, "The program that opens it failed."},
      {"9", 0x40, "xdg-open failed with exit status 9."},
      {"0", 0x40, nullptr},
      {"3", 0x40 | 0x400, nullptr},  // SEE_MASK_FLAG_NO_UI
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.status);
    setenv("QF_XDG_OPEN_STATUS", c.status, 1);
    pf::ShellRequest request = Open(dir_ + "/target file.pdf");
    request.mask = c.mask;
    pf::ShellResult result = OpenWithDesktop(request, children_);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.process->Wait(5000), 0u);
    const std::optional<std::string> failure = children_->TakeFailure();
    if (c.why == nullptr) {
      EXPECT_FALSE(failure);
    } else {
      EXPECT_EQ(failure, "Cannot open \"" + dir_ + "/target file.pdf\":\n" + c.why);
    }
    EXPECT_FALSE(children_->TakeFailure());
  }
}

}  // namespace
}  // namespace qf::test
