// A window served to screen readers, for the client in another process (a11y_client_test.sh): a
// 300 x 200 form at 100,100 titled "Quenfor a11y probe" with four push buttons, the third
// unavailable, and an editable text. Each action it runs prints "pressed NAME"; "User's Manual"
// first pumps messages for 1.5 s, as a launch pause does; "Exit" ends the program with 0. Without
// it: 1 after 30 s. A call into the tree from another thread than the window's prints "called on
// another thread".
#include <chrono>
#include <cstdio>

#include "platform/win32/platform_win32.h"
#include "tests/win32/fake_accessible_tree.h"
#include "tests/win32/test_window.h"

namespace {

using namespace pf;
using namespace pf::win32;

void PumpFor(Platform& platform, std::chrono::milliseconds time, const bool& done) {
  const auto until = std::chrono::steady_clock::now() + time;
  while (!done && std::chrono::steady_clock::now() < until) {
    while (platform.PumpOne() == PumpResult::Dispatched) {
    }
    platform.Sleep(10);
  }
}

}  // namespace

int main() {
  Win32Platform platform{"QfTest"};
  // As the program does: its server answers only in the program's apartment.
  const std::unique_ptr<Apartment> apartment = platform.JoinApartment();
  QuietHandler handler;
  const Rect bounds{100, 100, 400, 300};
  WindowParams params;
  params.title = "Quenfor a11y probe";
  params.bounds = bounds;
  const auto window = platform.CreateWindow(params, &handler);
  const auto at = [&](int x, int y, int w, int h) {
    return Rect{x, y, x + w, y + h}.Offset(bounds.left, bounds.top);
  };
  FakeAccessibleTree tree;
  tree.window = {AccessibleRole::kWindow, "Caf\xE9 Quenfor", bounds, 0, "", "", 0};
  tree.AddButton(1, "Install Driver & Utility", at(150, 20, 140, 30));
  tree.AddButton(2, "User's Manual", at(150, 60, 140, 30));
  tree.AddButton(3, "Install PDF Reader", at(150, 100, 140, 30), kAccessibleUnavailable);
  tree.AddButton(4, "Exit", at(10, 150, 60, 30));
  tree.AddText(5, "Caption", "Caf\xE9 \x80", at(150, 150, 140, 20));
  bool done = false;
  tree.on_action = [&](AccessibleId id) {
    std::printf("pressed %s\n", tree.Part(id).name.c_str());
    std::fflush(stdout);
    if (id == 2) PumpFor(platform, std::chrono::milliseconds(1500), done);
    if (id == 4) done = true;
  };
  // A screen reader's calls must reach the tree on the window's own thread, through its loop.
  const DWORD window_thread = ::GetCurrentThreadId();
  tree.on_call = [window_thread] {
    if (::GetCurrentThreadId() != window_thread) std::printf("called on another thread\n");
  };
  window->SetAccessibleTree(&tree);
  window->Show(true);
  PumpFor(platform, std::chrono::seconds(30), done);
  window->SetAccessibleTree(nullptr);
  return done ? 0 : 1;
}
