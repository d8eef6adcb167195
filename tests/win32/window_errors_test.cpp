// A form's window when its handler throws or destroys it: what the handler raises comes out of
// the call that ran it, and a window gone during a call is not touched again.
#include <gtest/gtest.h>

#include "tests/win32/window_fixture.h"

namespace pf::win32 {
namespace {

TEST_F(WindowTest, AnExceptionInAMouseHandlerComesOutOfThePump) {
  handler.throw_on_down = true;
  ASSERT_TRUE(::SetCursorPos(bounds.left + 5, bounds.top + 5));
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  SendMouse(MOUSEEVENTF_LEFTUP);
  bool thrown = false;
  for (int i = 0; i < 400 && !thrown; ++i) {
    try {
      while (platform.PumpOne() == PumpResult::Dispatched) {
      }
      platform.Sleep(5);
    } catch (const HandlerError& e) {
      thrown = std::string(e.what()) == "down";
    }
  }
  EXPECT_TRUE(thrown);
  EXPECT_TRUE(PumpUntil([&] { return handler.ups.size() == 1; })) << "the loop goes on after it";
}

TEST_F(WindowTest, AnExceptionWhilePaintingComesOutOfUpdateAndThePaintIsStillEnded) {
  handler.throw_on_paint = true;
  window->Invalidate({0, 0, 10, 10});
  EXPECT_THROW(window->Update(), HandlerError);
  const std::size_t paints = handler.paints.size();
  while (platform.PumpOne() == PumpResult::Dispatched) {
  }
  EXPECT_EQ(handler.paints.size(), paints) << "the update region was validated";
}

// WM_CAPTURECHANGED is sent to the loser from inside SetCapture: its handler's exception comes out
// of the call that took the capture, not out of some later pump.
TEST_F(WindowTest, AnExceptionWhenTheCaptureIsTakenComesOutOfTheCallThatTookIt) {
  Recorder other_handler;
  WindowParams params;
  params.bounds = Rect{0, 0, 50, 50};
  std::unique_ptr<Window> other = platform.CreateWindow(params, &other_handler);
  window->SetCapture();
  handler.throw_on_capture_lost = true;
  EXPECT_THROW(other->SetCapture(), HandlerError);
  EXPECT_EQ(handler.captures_lost, 1);
  EXPECT_EQ(::GetCapture(), reinterpret_cast<HWND>(other->Handle()));
  other->ReleaseCapture();
}

TEST_F(WindowTest, APaintThatDestroysItsWindowEndsWithoutTouchingIt) {
  handler.after_paint = [&] { window.reset(); };
  window->Invalidate({0, 0, 10, 10});
  Window* const painting = window.get();
  painting->Update();
  EXPECT_EQ(window, nullptr);
  EXPECT_FALSE(::IsWindow(hwnd));
}

TEST_F(WindowTest, CloseRequestsReachTheHandlerWhichMayDestroyTheWindow) {
  handler.on_close = [&] { window.reset(); };
  ::PostMessageA(hwnd, WM_CLOSE, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return handler.close_requests == 1; }));
  EXPECT_EQ(window, nullptr);
  EXPECT_FALSE(::IsWindow(hwnd));
}

}  // namespace
}  // namespace pf::win32
