#pragma once
// Opening targets with the desktop's handler, and the paths the launcher forms.
//
// The launcher builds its targets by appending Windows-style parts ("DRIVER\SETUP.EXE",
// "\USER MANUAL\...") to the folder of ExecutablePath(). So ExecutablePath() answers in the same
// style: the real path with every '/' written as '\' ("/media/disc/quenfor" becomes
// "\media\disc\quenfor"), and the shell turns the request back into a POSIX path: '\' becomes
// '/', a run of separators is one, a leading drive ("D:") is dropped. A file name that really
// contains a backslash cannot be reached this way; such names are not found on driver discs.
#include <sys/types.h>

#include <memory>
#include <set>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace pf::linux_x {

std::string ShellPathFromPosix(std::string_view posix_path);
std::string PosixPathFromShell(std::string_view shell_path);

// The children the shell started, reaped as they end so none is left a zombie. Only these pids
// are waited for: a child someone else started is not ours to reap.
class ChildTable {
 public:
  ChildTable() = default;
  ChildTable(const ChildTable&) = delete;
  ChildTable& operator=(const ChildTable&) = delete;
  // Children still running when the table goes live on in their own session.
  ~ChildTable() { Reap(); }

  void Add(pid_t pid) { running_.insert(pid); }
  void Reap();
  bool Running(pid_t pid) const { return running_.count(pid) != 0; }

 private:
  std::set<pid_t> running_;
};

// "open" (or no verb) of an existing file: `xdg-open file`, detached in its own session with
// stdin from /dev/null. A missing target, another verb or a failed start is ok = false.
ShellResult OpenWithDesktop(const ShellRequest& request,
                            const std::shared_ptr<ChildTable>& children);

}  // namespace pf::linux_x
