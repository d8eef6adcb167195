#pragma once
// The platform as a native Linux desktop program: Xlib windows and input, a loop on the X
// connection with its own timers, message boxes, AT-SPI for screen readers; the POSIX services
// (posix/: the marker, the shell, ALSA's mixer, ...) below it.
#include <chrono>
#include <map>
#include <memory>
#include <vector>

#include "platform/linux/atspi/server.h"
#include "platform/linux/clipboard_x.h"
#include "platform/linux/input_linux.h"
#include "platform/linux/window_host.h"
#include "platform/linux/x_connection.h"
#include "platform/posix/posix_platform.h"

namespace pf::linux_x {

class LinuxPlatform : public posix::PosixPlatform, private WindowHost {
 public:
  explicit LinuxPlatform(std::string_view program_name);
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

  int MessageBox(NativeHandle owner, std::string_view text, std::string_view caption,
                 unsigned flags) override;
  bool SetClipboardText(std::string_view text) override;
  std::optional<std::string> ClipboardText() override;

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
  const std::string& ProgramName() const override { return program_name_; }
  void WindowCreated(LinuxWindow& window) override { windows_.push_back(&window); }
  void WindowGone(LinuxWindow& window) override;
  LinuxWindow* GrabbingWindow() const override { return capture_; }
  void SetGrabbingWindow(LinuxWindow* window) override { capture_ = window; }
  DoubleClickDetector& clicks() override { return clicks_; }
  atspi::AccessibleServer& accessible() override { return accessible_; }

  void Dispatch(const XEvent& event);
  void NoteInputTime(const XEvent& event);
  // Our shown window whose frame is `top` (the root's child the pointer is in) and whose client
  // area holds `root_point`, or null.
  LinuxWindow* ShownWindowAt(::Window top, Point root_point) const;
  void FlushDrawn();
  LinuxWindow* FindWindow(::Window xid) const;
  LinuxWindow* WindowNeedingPaint() const;
  std::map<std::uintptr_t, Timer>::iterator NextTimer();
  bool FireDueTimer();
  int MsToNextTimer();

  std::string program_name_;
  XConnection x_;
  XWindowOwner leader_;
  std::vector<LinuxWindow*> windows_;
  LinuxWindow* capture_ = nullptr;
  DoubleClickDetector clicks_;
  bool quit_posted_ = false;
  std::uintptr_t next_timer_id_ = 1;
  std::map<std::uintptr_t, Timer> timers_;
  std::string app_title_;
  // The server time of the last input event: what the user's copy or paste was asked at.
  Time input_time_ = CurrentTime;
  // The group leader owns the selection and receives what it asks.
  XClipboard clipboard_{x_, leader_.get()};
  // After the X connection: it goes first.
  atspi::AccessibleServer accessible_{[this] { return x_.RootStringProperty("AT_SPI_BUS"); }};
};

}  // namespace pf::linux_x
