#pragma once
// A form's window on a real display (Xvfb under Wine) for the window tests: a handler that records
// what reaches it (and can be made to throw or to destroy its window), and a window of 200 x 100
// in the middle of the screen, layered at half opacity, shown and painted.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

#include "platform/win32/platform_win32.h"
#include "tests/win32/test_window.h"

namespace pf::win32 {

constexpr ColorRef kBackground = 0x00A56934, kPanel = 0x000000FF, kRepaint = 0x0000FF00;

struct HandlerError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct Recorder : WindowHandler {
  std::vector<MouseEvent> downs, ups;
  std::vector<Point> moves;
  std::vector<Rect> paints;
  int close_requests = 0, captures_lost = 0;
  ColorRef fill = kBackground;
  std::function<void()> on_close;
  bool throw_on_down = false, throw_on_paint = false, throw_on_capture_lost = false;
  std::function<void()> after_paint;  // still inside the paint

  void WindowMouseDown(const MouseEvent& e) override {
    downs.push_back(e);
    if (throw_on_down) throw HandlerError("down");
  }
  void WindowMouseUp(const MouseEvent& e) override { ups.push_back(e); }
  void WindowMouseMove(unsigned, Point pos) override { moves.push_back(pos); }
  void WindowPaint(Device& device, const Rect& update) override {
    paints.push_back(update);
    if (throw_on_paint) throw HandlerError("paint");
    device.FillRect({0, 0, 200, 100}, fill);  // the whole client: the update clip must hold
    if (fill == kBackground) device.FillRect({10, 10, 30, 20}, kPanel);
    if (after_paint) after_paint();
  }
  void WindowCloseRequest() override {
    ++close_requests;
    if (on_close) on_close();
  }
  void WindowCaptureLost() override {
    ++captures_lost;
    if (throw_on_capture_lost) throw HandlerError("capture lost");
  }
};

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bounds = CentredOnScreen(platform, 200, 100);
    WindowParams params;
    params.title = "Quenfor window test";
    params.bounds = bounds;
    params.layered = true;
    params.alpha = 128;
    window = platform.CreateWindow(params, &handler);
    hwnd = reinterpret_cast<HWND>(window->Handle());
    window->Show(true);
    PumpUntil([&] { return !handler.paints.empty(); });
  }

  // Pumps messages until `done` or two seconds have passed.
  bool PumpUntil(const std::function<bool()>& done) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (std::chrono::steady_clock::now() < until) {
      while (platform.PumpOne() == PumpResult::Dispatched) {
      }
      if (done()) return true;
      platform.Sleep(5);
    }
    return done();
  }

  void SendMouse(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof(input));
  }

  Win32Platform platform{"QfTest"};
  Recorder handler;
  Rect bounds;
  std::unique_ptr<Window> window;
  HWND hwnd = nullptr;
};

}  // namespace pf::win32
