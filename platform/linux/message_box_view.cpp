#include "platform/linux/message_box_view.h"

#include <algorithm>

#include "platform/raster/raster_surface.h"
#include "platform/shared/box_buttons.h"

namespace pf::linux_x {
namespace {

constexpr int kMargin = 16;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 8;
constexpr int kMinWidth = 200;
constexpr ColorRef kFace = 0x00F0F0F0;
constexpr ColorRef kText = 0x00000000;
constexpr ColorRef kButtonFrame = 0x00A0A0A0;
constexpr ColorRef kCurrentFrame = 0x00404040;

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

const char* Label(int id) {
  switch (id) {
    case kBoxResultYes: return "Yes";
    case kBoxResultNo: return "No";
    case kBoxResultCancel: return "Cancel";
    default: return "OK";
  }
}

}  // namespace

MessageBoxView::MessageBoxView(std::string_view text, unsigned style)
    : lines_(SplitLines(text)), escape_(BoxEscapeAnswer(style)) {
  for (const int id : BoxButtons(style)) buttons_.push_back({id, Rect{}});
  Layout();
}

// Measured with the same font the box draws with; the buttons in a row, centred under the text.
void MessageBoxView::Layout() {
  raster::RasterSurface scratch(1, 1);
  auto device = scratch.NewDevice();
  device->SelectFont(FontSpec{});
  int width = 0;
  for (const std::string& line : lines_) width = std::max(width, device->TextExtent(line).cx);
  line_height_ = device->TextExtent("Ag").cy;
  const int count = static_cast<int>(buttons_.size());
  const int row = count * kButtonWidth + (count - 1) * kButtonGap;
  size_.cx = std::max({width + 2 * kMargin, row + 2 * kMargin, kMinWidth});
  const int top = kMargin + line_height_ * static_cast<int>(lines_.size()) + kMargin;
  int left = (size_.cx - row) / 2;
  for (Button& button : buttons_) {
    button.bounds = Rect{left, top, left + kButtonWidth, top + kButtonHeight};
    left += kButtonWidth + kButtonGap;
  }
  size_.cy = top + kButtonHeight + kMargin;
}

Rect MessageBoxView::ButtonRect(int id) const {
  for (const Button& button : buttons_) {
    if (button.id == id) return button.bounds;
  }
  return Rect{};
}

std::optional<std::size_t> MessageBoxView::ButtonAt(Point p) const {
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    if (buttons_[i].bounds.Contains(p)) return i;
  }
  return std::nullopt;
}

// The release on the button pressed presses it.
void MessageBoxView::WindowMouseDown(const MouseEvent& e) {
  if (e.button == MouseButton::Left) pressed_ = ButtonAt(e.pos);
}

void MessageBoxView::WindowMouseUp(const MouseEvent& e) {
  if (e.button != MouseButton::Left) return;
  const std::optional<std::size_t> released = ButtonAt(e.pos);
  if (pressed_ && released == pressed_) answer_ = buttons_[*pressed_].id;
  pressed_.reset();
}

void MessageBoxView::WindowKeyDown(const KeyEvent& e) {
  switch (e.key) {
    case kKeyReturn:
    case kKeySpace:
      if (!e.repeat) answer_ = buttons_[current_].id;
      return;
    case kKeyEscape: answer_ = escape_; return;
    case kKeyTab: MoveCurrent((e.shift & kShiftKey) != 0 ? -1 : 1); return;
    case kKeyLeft:
    case kKeyUp: MoveCurrent(-1); return;
    case kKeyRight:
    case kKeyDown: MoveCurrent(1); return;
    default: return;
  }
}

// Round the row, as the system's dialogs move through their buttons.
void MessageBoxView::MoveCurrent(int step) {
  cues_ = true;
  const int count = static_cast<int>(buttons_.size());
  const int moved = ((static_cast<int>(current_) + step) % count + count) % count;
  current_ = static_cast<std::size_t>(moved);
  if (window_ != nullptr) window_->Invalidate(Rect{0, 0, size_.cx, size_.cy});
}

void MessageBoxView::WindowPaint(Device& device, const Rect& update) {
  device.FillRect(update, kFace);
  device.SelectFont(FontSpec{});
  int y = kMargin;
  for (const std::string& line : lines_) {
    device.TextOutOpaque({kMargin, y}, line, kText, kFace);
    y += line_height_;
  }
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    PaintButton(device, buttons_[i], cues_ && i == current_);
  }
}

// Once shown, the current button has a dark frame and the focus rectangle inside it.
void MessageBoxView::PaintButton(Device& device, const Button& button, bool current) const {
  const Rect& r = button.bounds;
  device.FrameRect(r, current ? kCurrentFrame : kButtonFrame);
  const Size label = device.TextExtent(Label(button.id));
  device.TextOutOpaque(
      {r.left + (kButtonWidth - label.cx) / 2, r.top + (kButtonHeight - label.cy) / 2},
      Label(button.id), kText, kFace);
  if (current) device.DrawFocusRect(Rect{r.left + 3, r.top + 3, r.right - 3, r.bottom - 3});
}

}  // namespace pf::linux_x
