#pragma once
// The system services of a platform on a POSIX desktop, whatever shows its windows: the marker
// (an flock), the debugger channel (stderr), the shell (a detached xdg-open), time, the version,
// paths, colours, resources, and the speakers' mute through ALSA. A window system's realisation
// (linux/, for X11) derives from it and adds windows, input, the loop and message boxes.
#include <memory>

#include "platform/platform.h"
#include "platform/posix/mixer_alsa.h"
#include "platform/posix/shell_posix.h"

namespace pf::posix {

class PosixPlatform : public Platform {
 public:
  MarkerResult TakeInstanceMarker(std::string_view name) override;
  void DebugOutput(std::string_view text) override;
  ShellResult ShellExecute(const ShellRequest& request) override;
  void Sleep(unsigned ms) override;
  OsVersion GetOsVersion() override;
  std::string ExecutablePath() override;
  std::string PathText(std::string_view path) override;
  ColorRef SysColor(int index) override;
  std::optional<std::string_view> FindResource(std::string_view name) override;
  Mixer& AudioMixer() override { return mixer_; }

 protected:
  // The openers the shell started: the loop reaps them, and waits no longer than a moment while
  // any runs (an opener that fails tells the program nothing else).
  ChildTable& children() { return *children_; }
  // A failure of the desktop's opener, said in a box: true when there was one.
  bool ReportOpenFailure();

 private:
  std::shared_ptr<ChildTable> children_ = std::make_shared<ChildTable>();
  AlsaMixer mixer_;
};

}  // namespace pf::posix
