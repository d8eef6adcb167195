// Keys, the characters they type, and the message box's keys, on a real X server
// (tests/linux/x_session.sh, no window manager): the keyboard is XTest's, on a connection of its
// own, as another program's would be.
#include <chrono>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

// Before Xlib's headers, whose macros (None, Bool) would rename its own names.
#include <gtest/gtest.h>

#include "platform/linux/platform_linux.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace qf::test {
namespace {

// Each key as "[XX]" (its Windows code) and each character as itself, in order.
class Typing : public pf::WindowHandler {
 public:
  void WindowMouseDown(const pf::MouseEvent&) override {}
  void WindowMouseUp(const pf::MouseEvent&) override {}
  void WindowMouseMove(unsigned, pf::Point) override {}
  void WindowPaint(pf::Device& device, const pf::Rect& update) override {
    device.FillRect(update, 0xFFFFFF);
  }
  void WindowCloseRequest() override {}
  void WindowCaptureLost() override {}
  void WindowKeyDown(const pf::KeyEvent& e) override {
    char text[8];
    std::snprintf(text, sizeof text, "[%02X]", e.key);
    typed += text;
  }
  void WindowChar(char c) override { typed += c; }
  void WindowFocusChanged(bool focused) override { has_focus = focused; }
  std::string typed;
  bool has_focus = false;
};

// The keyboard of another program: XTest's presses and releases of keysyms, with modifiers held.
class Keyboard {
 public:
  Keyboard() : display_(XOpenDisplay(nullptr)) {}
  ~Keyboard() { XCloseDisplay(display_); }

  // A key otherwise unused gets `sym`, as a keymap with it would have it.
  void Give(KeySym sym) {
    int low = 0, high = 0, per = 0;
    XDisplayKeycodes(display_, &low, &high);
    KeySym* map = XGetKeyboardMapping(display_, static_cast<KeyCode>(low), high - low + 1, &per);
    for (int code = high; code >= low; --code) {
      if (map[(code - low) * per] != NoSymbol) continue;
      XChangeKeyboardMapping(display_, code, 1, &sym, 1);
      break;
    }
    XFree(map);
    XSync(display_, False);
  }
  void Press(std::initializer_list<KeySym> held, KeySym key) {
    for (KeySym m : held) Send(m, true);
    Send(key, true);
    Send(key, false);
    for (KeySym m : held) Send(m, false);
    XSync(display_, False);
  }

 private:
  void Send(KeySym sym, bool down) {
    XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, sym), down ? True : False, 0);
  }
  Display* display_;
};

class XInput : public ::testing::Test {
 protected:
  bool PumpUntil(const std::function<bool()>& done) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (!done() && std::chrono::steady_clock::now() < until) {
      while (platform.PumpOne() == pf::PumpResult::Dispatched) {
      }
      platform.Sleep(5);
    }
    return done();
  }

  pf::linux_x::LinuxPlatform platform{"QfXTest"};
  Keyboard keyboard;
};

// The euro sign and é come from keys given them after the program started: it reads the new
// mapping. Ctrl's keys and Backspace type nothing.
TEST_F(XInput, EachKeysCharacterFollowsItInWindows1252) {
  Typing typing;
  auto window = platform.CreateWindow({"Typing", {100, 100, 300, 200}, true, false, 255}, &typing);
  window->Show(true);
  ASSERT_TRUE(PumpUntil([&] { return typing.has_focus; }));
  keyboard.Give(XK_EuroSign);
  keyboard.Give(XK_eacute);
  keyboard.Press({}, XK_a);
  keyboard.Press({XK_Shift_L}, XK_b);
  keyboard.Press({XK_Control_L}, XK_c);
  keyboard.Press({XK_Control_L, XK_Shift_L}, XK_Home);
  keyboard.Press({}, XK_BackSpace);
  keyboard.Press({}, XK_F9);
  keyboard.Press({}, XK_EuroSign);
  keyboard.Press({}, XK_eacute);
  ASSERT_TRUE(PumpUntil([&] { return typing.typed.size() >= 22; })) << typing.typed;
  EXPECT_EQ(typing.typed, "[41]a[42]B[43][24][08][78]\x80\xE9");
}

// Tab moves round the buttons, Return presses the current one; Esc in a Yes/No box is No.
TEST_F(XInput, AMessageBoxAnswersWithTheButtonItsKeysChose) {
  const auto answer_with = [&](unsigned style, std::function<void()> keys) {
    bool sent = false;
    const std::uintptr_t timer = platform.StartTimer(300, [&] {
      if (!std::exchange(sent, true)) keys();
    });
    const int answer = platform.MessageBox(0, "Save the changes?", "Question", style);
    platform.StopTimer(timer);
    return answer;
  };
  EXPECT_EQ(answer_with(pf::kBoxYesNoCancel,
                        [&] {
                          keyboard.Press({}, XK_Tab);
                          keyboard.Press({}, XK_Tab);
                          keyboard.Press({}, XK_Return);
                        }),
            pf::kBoxResultCancel);
  EXPECT_EQ(answer_with(pf::kBoxYesNo, [&] { keyboard.Press({}, XK_Escape); }), pf::kBoxResultNo);
}

}  // namespace
}  // namespace qf::test
