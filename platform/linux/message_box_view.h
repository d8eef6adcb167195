#pragma once
// What a message box shows and how it answers, as the handler of its window: its text, a row of
// buttons (those of its style, the default first and current), the keys of Windows' dialogs (Tab
// and the arrows move the current button, Return and Space press it, Esc and the close answer
// Cancel where there is one, else the last button) and the mouse (a button pressed and released
// on it). As Windows' dialogs, it shows which button is current only once a key moved it. Knows
// nothing of X: message_box_linux.cpp shows it.
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace pf::linux_x {

class MessageBoxView : public WindowHandler {
 public:
  MessageBoxView(std::string_view text, unsigned style);

  Size ClientSize() const { return size_; }
  // The button that closed the box; nullopt while it is open.
  std::optional<int> Answer() const { return answer_; }
  // Where the button with result `id` is: for the tests that click it.
  Rect ButtonRect(int id) const;
  // The window it is shown in, repainted when the current button changes.
  void ShowIn(Window* window) { window_ = window; }

  void WindowMouseDown(const MouseEvent& e) override;
  void WindowMouseUp(const MouseEvent& e) override;
  void WindowMouseMove(unsigned, Point) override {}
  void WindowPaint(Device& device, const Rect& update) override;
  void WindowCloseRequest() override { answer_ = escape_; }
  void WindowCaptureLost() override { pressed_.reset(); }
  void WindowKeyDown(const KeyEvent& e) override;

 private:
  struct Button {
    int id;
    Rect bounds;
  };
  void Layout();
  std::optional<std::size_t> ButtonAt(Point p) const;
  void MoveCurrent(int step);
  void PaintButton(Device& device, const Button& button, bool current) const;

  std::vector<std::string> lines_;
  std::vector<Button> buttons_;
  int escape_;
  int line_height_ = 0;
  Size size_;
  std::size_t current_ = 0;
  bool cues_ = false;
  std::optional<std::size_t> pressed_;
  std::optional<int> answer_;
  Window* window_ = nullptr;
};

}  // namespace pf::linux_x
