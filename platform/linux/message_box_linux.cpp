// A message box: a small modal window drawn with the raster device, its text and the buttons of
// its style (message_box_view.h). While it is up the program's other windows are disabled and its
// loop keeps their timers and paints going, as Windows' modal loop does.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/linux/message_box_view.h"
#include "platform/linux/platform_linux.h"
#include "platform/linux/window_linux.h"
#include "platform/linux/window_props.h"
#include "platform/shared/box_buttons.h"

namespace pf::linux_x {
namespace {

Rect CentredOnScreen(Size screen, Size box) {
  const int left = (screen.cx - box.cx) / 2, top = (screen.cy - box.cy) / 2;
  return Rect{left, top, left + box.cx, top + box.cy};
}

}  // namespace

// The flags' icon is not shown; their buttons are, and the box returns the id of the one that
// closed it.
int LinuxPlatform::MessageBox(NativeHandle owner, std::string_view text, std::string_view caption,
                              unsigned flags) {
  MessageBoxView handler(text, flags);
  WindowParams params;
  params.title = std::string(caption.empty() ? std::string_view(app_title_) : caption);
  // As Windows' default application title: the program's file name.
  if (params.title.empty()) {
    const std::string exe = ExecutablePath();
    params.title = exe.substr(exe.rfind('\\') + 1);
  }
  params.borderless = false;
  params.bounds = CentredOnScreen(ScreenSize(), handler.ClientSize());
  std::vector<LinuxWindow*> disabled;
  LinuxWindow* had_focus = nullptr;
  for (LinuxWindow* w : windows_) {
    if (w->IsEnabled()) disabled.push_back(w);
    if (w->HasFocus()) had_focus = w;
  }
  for (LinuxWindow* w : disabled) w->SetEnabled(false);
  bool quit = false;
  {
    LinuxWindow box(*this, params, &handler);
    SetDialogType(x_, box.xid(), owner != 0 ? static_cast<::Window>(owner) : leader_.get());
    handler.ShowIn(&box);
    box.Show(true);  // and focused, once it is mapped
    while (!handler.Answer() && !quit) {
      const PumpResult r = PumpOne();
      if (r == PumpResult::Quit) quit = true;
      else if (r == PumpResult::Empty) WaitMessage();
    }
  }
  for (LinuxWindow* w : windows_) {
    if (std::find(disabled.begin(), disabled.end(), w) != disabled.end()) w->SetEnabled(true);
  }
  // The window that had the focus gets it back, as Windows gives the activation back when a
  // modal box ends: without a window manager the server would leave it on the root.
  if (std::find(windows_.begin(), windows_.end(), had_focus) != windows_.end()) {
    had_focus->SetFocus();
  }
  // A quit that ended the box is the program's: it goes back on the queue.
  if (quit) PostQuit();
  return handler.Answer().value_or(BoxEscapeAnswer(flags));
}

}  // namespace pf::linux_x
