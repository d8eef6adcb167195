// A message box: a small modal window drawn with the raster device, its text and one OK button.
// While it is up the program's other windows are disabled and its loop keeps their timers and
// paints going, as Windows' modal loop does.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/linux/platform_linux.h"
#include "platform/linux/window_linux.h"
#include "platform/linux/window_props.h"
#include "platform/raster/raster_surface.h"

namespace pf::linux_x {
namespace {

constexpr int kMargin = 16;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kMinWidth = 200;
constexpr ColorRef kFace = 0x00F0F0F0;
constexpr ColorRef kText = 0x00000000;
constexpr ColorRef kButtonFrame = 0x00A0A0A0;

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find('\n', start);
    std::string line(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    if (end == std::string_view::npos) return lines;
    start = end + 1;
  }
}

class MessageBoxHandler : public WindowHandler {
 public:
  explicit MessageBoxHandler(std::string_view text) : lines_(SplitLines(text)) { Layout(); }

  Size ClientSize() const { return size_; }
  bool Done() const { return done_; }

  void WindowMouseDown(const MouseEvent&) override {}
  void WindowMouseUp(const MouseEvent& e) override {
    if (e.button == MouseButton::Left && button_.Contains(e.pos)) done_ = true;
  }
  void WindowMouseMove(unsigned, Point) override {}
  void WindowPaint(Device& device, const Rect& update) override;
  void WindowCloseRequest() override { done_ = true; }
  void WindowCaptureLost() override {}
  // The keys of the one button, as Windows' box has them: Return, Escape, Space.
  void WindowKeyDown(const KeyEvent& e) override {
    if (e.key == kKeyReturn || e.key == kKeyEscape || e.key == kKeySpace) done_ = true;
  }

 private:
  void Layout();

  std::vector<std::string> lines_;
  int line_height_ = 0;
  Size size_;
  Rect button_;
  bool done_ = false;
};

// Measured with the same font the box draws with.
void MessageBoxHandler::Layout() {
  raster::RasterSurface scratch(1, 1);
  auto device = scratch.NewDevice();
  device->SelectFont(FontSpec{});
  int width = 0;
  for (const std::string& line : lines_) width = std::max(width, device->TextExtent(line).cx);
  line_height_ = device->TextExtent("Ag").cy;
  size_.cx = std::max(width + 2 * kMargin, kMinWidth);
  const int text_bottom = kMargin + line_height_ * static_cast<int>(lines_.size());
  const int left = (size_.cx - kButtonWidth) / 2;
  button_ = Rect{left, text_bottom + kMargin, left + kButtonWidth,
                 text_bottom + kMargin + kButtonHeight};
  size_.cy = button_.bottom + kMargin;
}

void MessageBoxHandler::WindowPaint(Device& device, const Rect& update) {
  device.FillRect(update, kFace);
  device.SelectFont(FontSpec{});
  int y = kMargin;
  for (const std::string& line : lines_) {
    device.TextOutOpaque({kMargin, y}, line, kText, kFace);
    y += line_height_;
  }
  device.FrameRect(button_, kButtonFrame);
  const Size ok = device.TextExtent("OK");
  device.TextOutOpaque({button_.left + (kButtonWidth - ok.cx) / 2,
                        button_.top + (kButtonHeight - ok.cy) / 2},
                       "OK", kText, kFace);
}

Rect CentredOnScreen(Size screen, Size box) {
  const int left = (screen.cx - box.cx) / 2, top = (screen.cy - box.cy) / 2;
  return Rect{left, top, left + box.cx, top + box.cy};
}

}  // namespace

// The flags' icon and button choices are not shown: the box has one OK button, whose id it
// returns.
int LinuxPlatform::MessageBox(NativeHandle owner, std::string_view text, std::string_view caption,
                              unsigned) {
  MessageBoxHandler handler(text);
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
    box.Show(true);  // and focused, once it is mapped
    while (!handler.Done() && !quit) {
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
  return kBoxResultOk;
}

}  // namespace pf::linux_x
