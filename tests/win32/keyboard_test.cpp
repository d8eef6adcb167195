// Keys, the characters they type and the keyboard focus on a real window under Wine, sent as the
// keyboard sends them (SendInput): what the form's window reports, and where the application
// window puts the focus.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/win32/platform_win32.h"
#include "platform/win32/wide_text.h"
#include "tests/win32/test_window.h"

namespace pf {

bool operator==(const KeyEvent& a, const KeyEvent& b) {
  return a.key == b.key && a.shift == b.shift && a.repeat == b.repeat;
}

void PrintTo(const KeyEvent& e, std::ostream* out) {
  *out << "{0x" << std::hex << e.key << std::dec << ", shift " << e.shift
       << (e.repeat ? ", repeat}" : "}");
}

namespace win32 {
namespace {

struct KeyRecorder : QuietHandler {
  std::vector<KeyEvent> keys;
  std::string typed;        // each key as "[XX]" and each character as itself, in order
  std::vector<bool> focus;  // each WindowFocusChanged
  int close_requests = 0;
  void WindowKeyDown(const KeyEvent& e) override {
    keys.push_back(e);
    char text[8];
    std::snprintf(text, sizeof text, "[%02X]", e.key);
    typed += text;
  }
  void WindowChar(char c) override { typed += c; }
  void WindowFocusChanged(bool focused) override { focus.push_back(focused); }
  void WindowCloseRequest() override { ++close_requests; }
};

// Each key by its virtual-key code: positive goes down, negative comes up.
void Type(std::initializer_list<int> keys) {
  std::vector<INPUT> inputs;
  for (const int key : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(key > 0 ? key : -key);
    input.ki.dwFlags = key > 0 ? 0 : KEYEVENTF_KEYUP;
    inputs.push_back(input);
  }
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// A character as the system types one that no key gives (an input method's, a screen keyboard's).
void TypeCharacter(wchar_t c) {
  INPUT input[2]{};
  for (INPUT& i : input) {
    i.type = INPUT_KEYBOARD;
    i.ki.wScan = c;
    i.ki.dwFlags = KEYEVENTF_UNICODE;
  }
  input[1].ki.dwFlags |= KEYEVENTF_KEYUP;
  ::SendInput(2, input, sizeof(INPUT));
}

class KeyboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WindowParams params;
    params.title = "Quenfor keyboard test";
    params.bounds = CentredOnScreen(platform, 200, 100);
    window = platform.CreateWindow(params, &handler);
    hwnd = reinterpret_cast<HWND>(window->Handle());
    app = reinterpret_cast<HWND>(platform.ApplicationHandle());
    platform.SetMainWindow(window.get());
    window->Show(true);
  }

  bool PumpUntil(const std::function<bool()>& done, int ms = 2000) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < until) {
      while (platform.PumpOne() == PumpResult::Dispatched) {
      }
      if (done()) return true;
      platform.Sleep(5);
    }
    return done();
  }

  Win32Platform platform{"QfTest"};
  KeyRecorder handler;
  std::unique_ptr<Window> window;
  HWND hwnd = nullptr, app = nullptr;
};

TEST_F(KeyboardTest, KeysReachTheShownWindowWithTheirShiftStateAndRepeatsAndAltF4ClosesIt) {
  EXPECT_EQ(::GetFocus(), hwnd) << "shown, the form has the keyboard";
  Type({VK_TAB, -VK_TAB, VK_SHIFT, VK_TAB, -VK_TAB, -VK_SHIFT});
  Type({VK_CONTROL, VK_RETURN, VK_RETURN, -VK_RETURN, -VK_CONTROL});
  ASSERT_TRUE(PumpUntil([&] { return handler.keys.size() >= 6; }));
  EXPECT_EQ(handler.keys, (std::vector<KeyEvent>{
                              {VK_TAB, 0, false},
                              {VK_SHIFT, kShiftKey, false},
                              {VK_TAB, kShiftKey, false},
                              {VK_CONTROL, kCtrlKey, false},
                              {VK_RETURN, kCtrlKey, false},
                              {VK_RETURN, kCtrlKey, true},
                          }));

  handler.keys.clear();
  Type({VK_MENU, VK_F4, -VK_F4, -VK_MENU});
  ASSERT_TRUE(PumpUntil([&] { return handler.close_requests == 1; }));
  EXPECT_TRUE(handler.keys.empty()) << "the system's keys are not the form's";
}

// After its key: the character the window was typed, in Windows-1252; none for a key held with
// Ctrl, nor for a control character (Backspace's). The euro sign comes by the ANSI code page.
TEST_F(KeyboardTest, EachKeysCharacterFollowsItInWindows1252) {
  Type({'A', -'A', VK_SHIFT, 'B', -'B', -VK_SHIFT, VK_CONTROL, 'C', -'C', -VK_CONTROL});
  Type({VK_DELETE, -VK_DELETE, VK_BACK, -VK_BACK, VK_SPACE, -VK_SPACE});
  TypeCharacter(L'\u20AC');
  ASSERT_TRUE(PumpUntil([&] { return handler.typed.find('\x80') != std::string::npos; }));
  EXPECT_EQ(handler.typed, "[41]a[10][42]B[11][43][2E][08][20] [E7]\x80");
}

// WM_CHAR's bytes are the ANSI code page's, whichever it is: through the wide form into ours.
TEST(AnsiTyping, TheCodePagesCharactersBecomeOursAndThoseWeLackAreDropped) {
  AnsiTyping cyrillic(1251);
  EXPECT_EQ(cyrillic.Take(0x88), '\x80');        // the euro sign
  EXPECT_EQ(cyrillic.Take(0xC0), std::nullopt);  // Cyrillic A
  EXPECT_EQ(cyrillic.Take('a'), 'a');
  EXPECT_EQ(cyrillic.Take(0x1B), std::nullopt);
  AnsiTyping japanese(932);
  EXPECT_EQ(japanese.Take(0x83), std::nullopt);  // a lead byte waits
  EXPECT_EQ(japanese.Take(0x41), std::nullopt);  // its trail byte is katakana A, not 'A'
  EXPECT_EQ(japanese.Take(0x41), 'A');
  EXPECT_EQ(japanese.Take(0xA1), std::nullopt);  // a half-width katakana byte on its own
}

TEST_F(KeyboardTest, TheFocusFollowsTheFormAndTheApplicationWindowHandsItOn) {
  ASSERT_TRUE(PumpUntil([&] { return !handler.focus.empty(); }));
  EXPECT_EQ(handler.focus, std::vector<bool>{true}) << "shown";
  platform.MinimizeApplication();
  EXPECT_EQ(handler.focus, (std::vector<bool>{true, false})) << "hidden with its owner";
  ::PostMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);  // as the taskbar entry restores it
  ASSERT_TRUE(PumpUntil([&] { return handler.focus.size() == 3; }));
  PumpUntil([] { return false; }, 100);
  EXPECT_EQ(handler.focus, (std::vector<bool>{true, false, true})) << "once, not to and fro";
  EXPECT_EQ(::GetFocus(), hwnd) << "restored";

  ::SetFocus(app);  // activated: the taskbar entry, Alt+Tab
  EXPECT_TRUE(PumpUntil([&] { return ::GetFocus() == hwnd; }));
  window->SetEnabled(false);
  ::SetFocus(app);
  PumpUntil([] { return false; }, 100);
  EXPECT_EQ(::GetFocus(), app) << "a disabled form takes no keys";
}

// The taskbar entry's close and the hand-over follow the form the application names main, not the
// order windows were made in.
TEST_F(KeyboardTest, TheApplicationWindowClosesAndFocusesTheMainFormItIsTold) {
  KeyRecorder other_handler;
  WindowParams params;
  params.bounds = CentredOnScreen(platform, 100, 50);
  std::unique_ptr<Window> other = platform.CreateWindow(params, &other_handler);
  const HWND other_hwnd = reinterpret_cast<HWND>(other->Handle());
  other->Show(true);
  ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == other_hwnd; }));
  ::SetFocus(app);
  EXPECT_TRUE(PumpUntil([&] { return ::GetFocus() == hwnd; })) << "to the main form";
  platform.SetMainWindow(other.get());
  ::SetFocus(app);
  EXPECT_TRUE(PumpUntil([&] { return ::GetFocus() == other_hwnd; })) << "to the new main form";

  ::PostMessageA(app, WM_CLOSE, 0, 0);  // the taskbar entry's close
  EXPECT_TRUE(PumpUntil([&] { return other_handler.close_requests == 1; }));
  EXPECT_EQ(handler.close_requests, 0);
  EXPECT_TRUE(::IsWindow(other_hwnd)) << "the form decides whether it closes";
  platform.SetMainWindow(nullptr);
  ::PostMessageA(app, WM_CLOSE, 0, 0);
  PumpUntil([] { return false; }, 100);
  EXPECT_EQ(handler.close_requests + other_handler.close_requests, 1) << "none is main";
}

}  // namespace
}  // namespace win32
}  // namespace pf
