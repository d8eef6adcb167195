#pragma once
// What an X window asks of the platform that made it: the connection, the group leader, the
// application's title, the windows' shared state (which one holds the pointer grab, the double
// click in progress) and the screen readers' server. LinuxPlatform is the one host; the window
// knows it only through this.
#include <string>

#include "platform/linux/input_linux.h"
#include "platform/linux/x_connection.h"

namespace pf::atspi {
class AccessibleServer;
}

namespace pf::linux_x {

class LinuxWindow;

class WindowHost {
 public:
  virtual XConnection& x() = 0;
  // The never-mapped group leader: owner of the taskbar entry and of message boxes.
  virtual ::Window Leader() const = 0;
  virtual const std::string& ApplicationTitle() const = 0;
  // The program's name, which its windows' class hint carries.
  virtual const std::string& ProgramName() const = 0;
  virtual void WindowCreated(LinuxWindow& window) = 0;
  virtual void WindowGone(LinuxWindow& window) = 0;
  // The window that holds the pointer grab, or null.
  virtual LinuxWindow* GrabbingWindow() const = 0;
  virtual void SetGrabbingWindow(LinuxWindow* window) = 0;
  virtual DoubleClickDetector& clicks() = 0;
  virtual atspi::AccessibleServer& accessible() = 0;

 protected:
  ~WindowHost() = default;
};

}  // namespace pf::linux_x
