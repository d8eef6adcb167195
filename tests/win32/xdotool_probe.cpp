// A window for the X-driven test (xdotool_test.sh): centred, transparent until the pointer first
// moves over it, then fading in, and ending the program with code 0 when it is clicked, so the
// whole road from the X server to the handler is exercised.
#include <cstdio>
#include <functional>
#include <memory>
#include <utility>

#include "platform/win32/platform_win32.h"

namespace {

using namespace pf;

class Probe : public WindowHandler {
 public:
  explicit Probe(Platform& platform) : platform_(platform) {}
  void OnMouseDown(const MouseEvent&) override {}
  void OnMouseUp(const MouseEvent& e) override {
    char line[64];
    std::snprintf(line, sizeof(line), "probe: click at %d,%d\n", e.pos.x, e.pos.y);
    platform_.DebugOutput(line);
    clicked = true;
    platform_.PostQuit();
  }
  void OnMouseMove(unsigned, Point) override {
    if (on_first_move) std::exchange(on_first_move, nullptr)();
  }
  void OnPaint(Device& device, const Rect&) override {
    device.FillRect({0, 0, 300, 200}, 0x00A56934);
  }
  void OnCloseRequest() override { platform_.PostQuit(); }
  void OnCaptureLost() override {}

  bool clicked = false;
  std::function<void()> on_first_move;

 private:
  Platform& platform_;
};

}  // namespace

int main() {
  win32::Win32Platform platform;
  Probe probe(platform);
  const Size screen = platform.ScreenSize();
  WindowParams params;
  params.title = "Quenfor probe";
  params.bounds = Rect{(screen.cx - 300) / 2, (screen.cy - 200) / 2, 0, 0};
  params.bounds.right = params.bounds.left + 300;
  params.bounds.bottom = params.bounds.top + 200;
  params.layered = true;
  params.alpha = 0;
  auto window = platform.CreateWindow(params, &probe);
  window->Show(true);

  int alpha = 0;
  std::uintptr_t fade = 0;
  probe.on_first_move = [&] {
    fade = platform.StartTimer(150, [&] {
      alpha += 51;
      window->SetOpacity(true, static_cast<std::uint8_t>(alpha));
      if (alpha >= 255) platform.StopTimer(fade);
    });
  };
  const std::uintptr_t give_up = platform.StartTimer(20000, [&] { platform.PostQuit(); });
  for (;;) {
    const PumpResult r = platform.PumpOne();
    if (r == PumpResult::Quit) break;
    if (r == PumpResult::Empty) platform.WaitMessage();
  }
  platform.StopTimer(give_up);
  return probe.clicked ? 0 : 3;
}
