#pragma once
// The platform as a native Linux desktop program: Xlib windows and input, a loop on the X
// connection with its own timers, POSIX for the system services, ALSA for the mixer, AT-SPI for
// screen readers.
#include <chrono>
#include <map>
#include <memory>
#include <vector>

#include "platform/linux/accessible_linux.h"
#include "platform/linux/input_linux.h"
#include "platform/linux/mixer_alsa.h"
#include "platform/linux/shell_linux.h"
#include "platform/linux/x_connection.h"
#include "platform/platform.h"

namespace pf::linux_x {

class LinuxWindow;

class LinuxPlatform : public Platform {
 public:
  LinuxPlatform();
  ~LinuxPlatform() override;

  std::unique_ptr<Window> CreateWindow(const WindowParams& params, WindowHandler* handler) override;
  WindowHandler* WindowAt(Point screen) override;
  Size ScreenSize() override;
  int ScreenDpi() override { return 96; }

  NativeHandle ApplicationHandle() override { return leader_.get(); }
  void SetApplicationTitle(std::string_view title) override;
  void MinimizeApplication() override;

  PumpResult PumpOne() override;
  void WaitMessage() override;
  void PostQuit() override { quit_posted_ = true; }

  std::uintptr_t StartTimer(unsigned interval_ms, std::function<void()> on_tick) override;
  void StopTimer(std::uintptr_t id) override { timers_.erase(id); }

  Point CursorPos() override;
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

  // For the windows.
  XConnection& x() { return x_; }
  void WindowCreated(LinuxWindow* window) { windows_.push_back(window); }
  void WindowGone(LinuxWindow* window);
  LinuxWindow*& capture() { return capture_; }
  DoubleClickDetector& clicks() { return clicks_; }
  AccessibleServer& accessible() { return accessible_; }
  // Where the pointer is, as the last event that tells it said: `inside` the window it is in,
  // null for none of ours. Until forgotten, CursorPos and WindowAt answer from it.
  void PointerAt(Point root, LinuxWindow* inside) { pointer_ = {true, root, true, inside}; }
  // During a grab the events tell where the pointer is but not what is on top there: WindowAt
  // asks the server. `inside` is the grabbing window when the point lies in its client area.
  void PointerGrabbedAt(Point root, LinuxWindow* inside) {
    pointer_ = {true, root, false, nullptr};
    grab_inside_ = inside;
  }
  // The grab ended: the pointer is where its last event put it, in the grabbing window when it
  // was inside it (a window above ours there sends a LeaveNotify on the ungrab).
  void GrabEnded() {
    if (pointer_.position_known) pointer_ = {true, pointer_.root, true, grab_inside_};
  }
  void ForgetPointer() { pointer_ = {}; }
  const std::string& ApplicationTitle() const { return app_title_; }

 private:
  using Clock = std::chrono::steady_clock;
  struct Timer {
    Clock::duration interval;
    Clock::time_point due;
    std::shared_ptr<std::function<void()>> tick;
  };

  struct PointerState {
    bool position_known = false;
    Point root;
    bool window_known = false;
    LinuxWindow* inside = nullptr;
  };

  void Dispatch(const XEvent& event);
  // A failure of the desktop's opener, said in a box: true when there was one.
  bool ReportOpenFailure();
  // What the server says is under a point: our topmost window there, or none.
  LinuxWindow* QueryWindowAt(Point screen);
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
  PointerState pointer_;
  LinuxWindow* grab_inside_ = nullptr;
  DoubleClickDetector clicks_;
  bool quit_posted_ = false;
  std::uintptr_t next_timer_id_ = 1;
  std::map<std::uintptr_t, Timer> timers_;
  std::shared_ptr<ChildTable> children_ = std::make_shared<ChildTable>();
  AlsaMixer mixer_;
  std::string app_title_;
  // After the X connection: it goes first.
  AccessibleServer accessible_{x_};
};

}  // namespace pf::linux_x
