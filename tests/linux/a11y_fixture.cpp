// A real X window of the Linux platform, described to screen readers by a stand-in tree: the
// window, two push buttons, "Switch €" (lit) and "Leave" (unavailable until Switch has run), and
// an editable text, "Caption", whose text is "Café" with the caret at its end.
// Switch's action disables the window for a second while it pumps messages, as the launcher's
// pause does, then makes Leave available. Each action that runs says "pressed N" on stdout, even
// one the platform should have refused. As a form does, the tree keeps a current part (Switch
// first), focused while the window has the keyboard focus, and tells of the focus when the
// window gets it and when a screen reader moves it.
//
// Lines on stdin drive what a screen reader cannot: "other" (a second window is shown, and takes
// the focus), "back" (the first window asks for the focus again), "rename 1" (Switch becomes
// "Switched", and it is said), "create 3" (a third button, "Later", joins, and it is said),
// "type" (the field's text becomes "Café €", the caret after it, and it is said), "caret 2" (the
// caret moves to 2, and it is said), "forget 2" (the part is gone, nothing said), "destroyed 2"
// (now it is said), "takeback" (the window's description is taken back; any call into the tree
// after that is a fault: "tree touched after takeback", exit 3), "quit" or the end of the input
// (exit 0).
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "platform/linux/platform_linux.h"

namespace {

using namespace pf;

constexpr Rect kWindowBounds{100, 80, 400, 280};
// The editable text, always there after the buttons.
constexpr AccessibleId kField = 4;
constexpr Rect kFieldPlace{150, 100, 250, 120};

struct Part {
  const char* name;  // Windows-1252
  Rect client;
  unsigned states;
  bool present = true;
};

class StandInTree : public AccessibleTree {
 public:
  StandInTree(pf::Window& window, Platform& platform) : window_(window), platform_(platform) {}

  std::optional<AccessibleObject> Describe(AccessibleId id) const override {
    Touch();
    const Rect w = window_.Bounds();
    if (id == kAccessibleWindow) {
      return AccessibleObject{AccessibleRole::kWindow,
                              "Fixture \xEB",
                              w,
                              window_unavailable_ ? kAccessibleUnavailable : 0u,
                              "",
                              "",
                              0};
    }
    if (id == kField) {
      const Rect c = kFieldPlace;
      return AccessibleObject{
          AccessibleRole::kEditableText,
          "Caption",
          Rect{w.left + c.left, w.top + c.top, w.left + c.right, w.top + c.bottom},
          0,
          "",
          field_,
          caret_};
    }
    const Part* part = Find(id);
    if (part == nullptr) return std::nullopt;
    const Rect c = part->client;
    const Rect screen{w.left + c.left, w.top + c.top, w.left + c.right, w.top + c.bottom};
    unsigned states = part->states | kAccessibleFocusable;
    if (window_unavailable_) states |= kAccessibleUnavailable;
    if (focused_ && current_ == id) states |= kAccessibleFocused;
    return AccessibleObject{
        AccessibleRole::kPushButton, part->name, screen, states, "press", "", 0};
  }
  std::vector<AccessibleId> Children() const override {
    Touch();
    std::vector<AccessibleId> ids;
    for (AccessibleId id : {1u, 2u, 3u}) {
      if (Find(id) != nullptr) ids.push_back(id);
    }
    ids.push_back(kField);
    return ids;
  }
  std::optional<AccessibleId> ObjectAt(Point screen) const override {
    Touch();
    const Rect w = window_.Bounds();
    if (!w.Contains(screen)) return std::nullopt;
    for (AccessibleId id : Children()) {
      const Rect c = id == kField ? kFieldPlace : Find(id)->client;
      if (c.Contains(Point{screen.x - w.left, screen.y - w.top})) return id;
    }
    return kAccessibleWindow;
  }
  bool CanDoDefaultAction(AccessibleId id) const override {
    const std::optional<AccessibleObject> d = Describe(id);
    return d && id != kAccessibleWindow && (d->states & kAccessibleUnavailable) == 0;
  }
  std::optional<AccessibleId> Focus() const override {
    Touch();
    return focused_ ? std::optional<AccessibleId>(current_) : std::nullopt;
  }
  bool TakeFocus(AccessibleId id) override {
    Touch();
    const Part* part = Find(id);
    if (part == nullptr || (part->states & kAccessibleUnavailable) != 0) return false;
    current_ = id;
    if (focused_) window_.AccessibleChanged(id, AccessibleChange::kFocus);
    return true;
  }
  void WindowFocused(bool focused) {
    focused_ = focused;
    if (focused) window_.AccessibleChanged(current_, AccessibleChange::kFocus);
  }
  // Says it ran even when it could not: a request the platform should have refused shows.
  void DoDefaultAction(AccessibleId id) override {
    Touch();
    std::printf("pressed %u\n", id);
    std::fflush(stdout);
    if (id == 1) Switch();
  }

  void Forget(AccessibleId id) {
    if (Part* part = Find(id)) part->present = false;
  }
  void Rename() { parts_[0].name = "Switched"; }
  // What typing in the field does: the text, then the caret.
  void Edit(std::string text, int caret) {
    field_ = std::move(text);
    caret_ = caret;
  }
  void Create() { parts_[2].present = true; }
  void TakenBack() { taken_back_ = true; }

 private:
  const Part* Find(AccessibleId id) const {
    if (id < 1 || id > 3 || !parts_[id - 1].present) return nullptr;
    return &parts_[id - 1];
  }
  Part* Find(AccessibleId id) { return const_cast<Part*>(std::as_const(*this).Find(id)); }

  void Touch() const {
    if (!taken_back_) return;
    std::printf("tree touched after takeback\n");
    std::fflush(stdout);
    std::_Exit(3);
  }

  // As the launcher's pause: the window takes no input while the loop keeps turning.
  void Switch() {
    window_unavailable_ = true;
    window_.AccessibleChanged(kAccessibleWindow, AccessibleChange::kState);
    for (int i = 0; i < 50; ++i) {
      while (platform_.PumpOne() == PumpResult::Dispatched) {
      }
      platform_.Sleep(20);
    }
    window_unavailable_ = false;
    parts_[1].states &= ~kAccessibleUnavailable;
    window_.AccessibleChanged(kAccessibleWindow, AccessibleChange::kState);
    window_.AccessibleChanged(2, AccessibleChange::kState);
  }

  pf::Window& window_;
  Platform& platform_;
  Part parts_[3] = {{"Switch \x80", Rect{20, 30, 120, 70}, kAccessibleHot},
                    {"Leave", Rect{150, 30, 250, 70}, kAccessibleUnavailable},
                    {"Later", Rect{20, 100, 120, 140}, 0, false}};
  std::string field_ = "Caf\xE9";
  int caret_ = 4;
  bool window_unavailable_ = false;
  bool taken_back_ = false;
  AccessibleId current_ = 1;
  bool focused_ = false;
};

class Blank : public WindowHandler {
 public:
  void WindowMouseDown(const MouseEvent&) override {}
  void WindowMouseUp(const MouseEvent&) override {}
  void WindowMouseMove(unsigned, Point) override {}
  void WindowPaint(Device&, const Rect&) override {}
  void WindowCloseRequest() override {}
  void WindowCaptureLost() override {}
  void WindowFocusChanged(bool focused) override {
    if (tree != nullptr) tree->WindowFocused(focused);
  }
  StandInTree* tree = nullptr;
};

// One command line from stdin, if a whole one has come.
std::string Command(std::string& pending) {
  char buffer[256];
  const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
  if (n > 0) pending.append(buffer, static_cast<std::size_t>(n));
  const std::size_t end = pending.find('\n');
  if (end == std::string::npos) return n == 0 ? "quit" : "";  // end of input: leave
  std::string line = pending.substr(0, end);
  pending.erase(0, end + 1);
  return line;
}

}  // namespace

int main() {
  linux_x::LinuxPlatform platform{"QfA11yFixture"};
  platform.SetApplicationTitle("Fixture app");
  Blank blank;
  std::unique_ptr<pf::Window> window = platform.CreateWindow(
      WindowParams{"Fixture", kWindowBounds, true, false, 255}, &blank);
  StandInTree tree(*window, platform);
  blank.tree = &tree;
  window->SetAccessibleTree(&tree);
  window->Show(true);
  Blank other_blank;
  std::unique_ptr<pf::Window> other;

  fcntl(STDIN_FILENO, F_SETFL, fcntl(STDIN_FILENO, F_GETFL) | O_NONBLOCK);
  std::string pending;
  platform.StartTimer(20, [&] {
    const std::string line = Command(pending);
    if (line == "quit") {
      platform.PostQuit();
    } else if (line == "other") {
      other = platform.CreateWindow(WindowParams{"Other", {500, 80, 600, 180}, true, false, 255},
                                    &other_blank);
      other->Show(true);
    } else if (line == "back") {
      window->SetFocus();
    } else if (line == "rename 1") {
      tree.Rename();
      window->AccessibleChanged(1, AccessibleChange::kName);
    } else if (line == "create 3") {
      tree.Create();
      window->AccessibleChanged(3, AccessibleChange::kCreated);
    } else if (line == "type") {
      tree.Edit("Caf\xE9 \x80", 6);
      window->AccessibleChanged(kField, AccessibleChange::kValue);
    } else if (line == "caret 2") {
      tree.Edit("Caf\xE9 \x80", 2);
      window->AccessibleChanged(kField, AccessibleChange::kCaret);
    } else if (line == "forget 2") {
      tree.Forget(2);
    } else if (line == "destroyed 2") {
      window->AccessibleChanged(2, AccessibleChange::kDestroyed);
    } else if (line == "takeback") {
      window->SetAccessibleTree(nullptr);
      tree.TakenBack();
    }
  });
  for (;;) {
    const PumpResult r = platform.PumpOne();
    if (r == PumpResult::Quit) break;
    if (r == PumpResult::Empty) platform.WaitMessage();
  }
  window->SetAccessibleTree(nullptr);
  blank.tree = nullptr;
  return 0;
}
