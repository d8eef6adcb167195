#pragma once
// The platform as a native Linux desktop program: Xlib windows and input, a loop on the X
// connection with its own timers, POSIX for the system services, ALSA for the mixer, AT-SPI for
// screen readers.
#include <chrono>
#include <map>
#include <memory>
#include <vector>

#include "platform/linux/atspi/server.h"
#include "platform/linux/input_linux.h"
#include "platform/linux/mixer_alsa.h"
#include "platform/linux/shell_linux.h"
#include "platform/linux/window_host.h"
#include "platform/linux/x_connection.h"
#include "platform/platform.h"

namespace pf::linux_x {

class LinuxPlatform : public Platform, private WindowHost {
 public:
  LinuxPlatform();
  ~LinuxPlatform() override;

  std::unique_ptr<Window> CreateWindow(const WindowParams& params, WindowHandler* handler) override;
  Size ScreenSize() override;
  // The windows' events are all the client can know without a round trip: the reported spot,
  // else the server is asked.
  PointerSpot PointerNow(const std::optional<PointerSpot>& reported) override;

  NativeHandle ApplicationHandle() override { return leader_.get(); }
  void SetApplicationTitle(std::string_view title) override;
  void MinimizeApplication() override;

  PumpResult PumpOne() override;
  void WaitMessage() override;
  void PostQuit() override { quit_posted_ = true; }

  std::uintptr_t StartTimer(unsigned interval_ms, std::function<void()> on_tick) override;
  void StopTimer(std::uintptr_t id) override { timers_.erase(id); }

  MarkerResult TakeInstanceMarker(std::string_view name) override;
  void DebugOutput(std::string_view text) override;
  ShellResult ShellExecute(const ShellRequest& request) override;
  void Sleep(unsigned ms) override;
  OsVersion GetOsVersion() override;
  std::string ExecutablePath() override;
  std::string PathText(std::string_view path) override;
  int MessageBox(NativeHandle owner, std::string_view text, std::string_view caption,
                 unsigned flags) override;
  ColorRef SysColor(int index) override;
  std::optional<std::string_view> FindResource(std::string_view name) override;
  Mixer& AudioMixer() override { return mixer_; }

 private:
  using Clock = std::chrono::steady_clock;
  struct Timer {
    Clock::duration interval;
    Clock::time_point due;
    std::shared_ptr<std::function<void()>> tick;
  };

  // The window host.
  XConnection& x() override { return x_; }
  ::Window Leader() const override { return leader_.get(); }
  const std::string& ApplicationTitle() const override { return app_title_; }
  void WindowCreated(LinuxWindow& window) override { windows_.push_back(&window); }
  void WindowGone(LinuxWindow& window) override;
  LinuxWindow* GrabbingWindow() const override { return capture_; }
  void SetGrabbingWindow(LinuxWindow* window) override { capture_ = window; }
  DoubleClickDetector& clicks() override { return clicks_; }
  atspi::AccessibleServer& accessible() override { return accessible_; }

  void Dispatch(const XEvent& event);
  // A failure of the desktop's opener, said in a box: true when there was one.
  bool ReportOpenFailure();
  // Our shown window whose frame is `top` (the root's child the pointer is in) and whose client
  // area holds `root_point`, or null.
  LinuxWindow* ShownWindowAt(::Window top, Point root_point) const;
  void FlushDrawn();
  LinuxWindow* FindWindow(::Window xid) const;
  LinuxWindow* WindowNeedingPaint() const;
  std::map<std::uintptr_t, Timer>::iterator NextTimer();
  bool FireDueTimer();
  int MsToNextTimer();

  XConnection x_;
  XWindowOwner leader_;
  std::vector<LinuxWindow*> windows_;
  LinuxWindow* capture_ = nullptr;
  DoubleClickDetector clicks_;
  bool quit_posted_ = false;
  std::uintptr_t next_timer_id_ = 1;
  std::map<std::uintptr_t, Timer> timers_;
  std::shared_ptr<ChildTable> children_ = std::make_shared<ChildTable>();
  AlsaMixer mixer_;
  std::string app_title_;
  // After the X connection: it goes first.
  atspi::AccessibleServer accessible_{[this] { return x_.RootStringProperty("AT_SPI_BUS"); }};
};

}  // namespace pf::linux_x
