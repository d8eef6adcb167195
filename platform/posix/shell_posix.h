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

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace pf::posix {

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

  // An opener of `target`; with `report`, its failure becomes a message for the user.
  void Add(pid_t pid, std::string target = {}, bool report = false);
  void Reap();
  bool Running(pid_t pid) const { return running_.count(pid) != 0; }
  bool Empty() const { return running_.empty(); }
  // The oldest failure not yet taken: the box's text, naming the file and why.
  std::optional<std::string> TakeFailure();

 private:
  struct Child {
    std::string target;
    bool report = false;
    std::chrono::steady_clock::time_point started;
  };
  std::map<pid_t, Child> running_;
  std::vector<std::string> failures_;
};

// The text of the box that says `posix_path` could not be opened, and why.
std::string OpenFailureText(std::string_view posix_path, std::string_view why);

// "open" (or no verb) of an existing file: `xdg-open file`, detached in its own session with
// stdin from /dev/null. A missing target, another verb or a failed start is ok = false; then
// `failure`, when given, receives what to tell the user (empty for another verb). xdg-open's own
// failure comes later, through the table.
ShellResult OpenWithDesktop(const ShellRequest& request,
                            const std::shared_ptr<ChildTable>& children,
                            std::string* failure = nullptr);

}  // namespace pf::posix
