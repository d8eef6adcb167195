// The ALSA mixer where there is no sound device, the double-click rule on server time stamps, and
// keys from X symbols to Windows' codes and the characters they type.
#include <X11/keysym.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "platform/linux/input_linux.h"
#include "platform/posix/mixer_alsa.h"

namespace qf::test {
namespace {

// Runs f with stderr sent to a file; returns what was written there.
template <typename F>
std::string StderrOf(F&& f) {
  std::fflush(stderr);
  std::FILE* capture = std::tmpfile();
  const int saved = dup(2);
  dup2(fileno(capture), 2);
  f();
  std::fflush(stderr);
  dup2(saved, 2);
  close(saved);
  std::string text;
  std::rewind(capture);
  for (int c; (c = std::fgetc(capture)) != EOF;) text += static_cast<char>(c);
  std::fclose(capture);
  return text;
}

// An ALSA configuration that defines no device at all: "default" cannot be attached, wherever
// the test runs. (The unmuting of a real switch needs a card or a control plugin and is not
// tested here.)
TEST(AlsaMixer, WithoutADeviceEveryCallFailsWithItsCodeAndPrintsNothing) {
  const std::string config = "/tmp/qf-alsa-" + std::to_string(getpid()) + ".conf";
  std::ofstream(config) << "# no devices\n";
  setenv("ALSA_CONFIG_PATH", config.c_str(), 1);
  pf::posix::AlsaMixer mixer;
  pf::MixerHandle handle = 99;
  std::uint32_t open = 0;
  const std::string printed = StderrOf([&] { open = mixer.Open(0, &handle); });
  std::remove(config.c_str());
  EXPECT_EQ(open, pf::kMixerBadDeviceId);
  EXPECT_EQ(handle, 0u);
  EXPECT_EQ(printed, "");
  EXPECT_EQ(mixer.Open(1, &handle), pf::kMixerBadDeviceId);
  pf::MixerLineInfo line;
  EXPECT_EQ(mixer.LineByComponentType(1, 4, &line), pf::kMixerInvalidHandle);
  std::int32_t value = 0;
  EXPECT_EQ(mixer.SetDetails(1, 1, 1, 0), pf::kMixerInvalidHandle);
  EXPECT_EQ(mixer.GetDetails(1, 1, 1, &value), pf::kMixerInvalidHandle);
  EXPECT_EQ(mixer.Close(1), pf::kMixerInvalidHandle);
}

TEST(DoubleClick, SecondPressOfTheSameButtonNearAndSoon) {
  using pf::MouseButton;
  pf::linux_x::DoubleClickDetector d;
  EXPECT_FALSE(d.Press(7, MouseButton::Left, 1000, {10, 10}));
  EXPECT_TRUE(d.Press(7, MouseButton::Left, 1500, {12, 8}));    // 500 ms, 2 px: still double
  EXPECT_FALSE(d.Press(7, MouseButton::Left, 1600, {12, 8}));   // the third press starts afresh
  EXPECT_FALSE(d.Press(7, MouseButton::Left, 2101, {12, 8}));   // 501 ms
  EXPECT_FALSE(d.Press(7, MouseButton::Left, 2200, {15, 8}));   // 3 px away
  EXPECT_FALSE(d.Press(7, MouseButton::Right, 2300, {15, 8}));  // another button
  EXPECT_FALSE(d.Press(8, MouseButton::Right, 2400, {15, 8}));  // another window
  EXPECT_TRUE(d.Press(8, MouseButton::Right, 2500, {15, 8}));
  // Across the wrap of the server's 32-bit clock.
  EXPECT_FALSE(d.Press(8, MouseButton::Left, 0xFFFFFF00u, {0, 0}));
  EXPECT_TRUE(d.Press(8, MouseButton::Left, 0x00000010u, {0, 0}));
}

TEST(ShiftState, ButtonsAndKeysFromTheXState) {
  // Shift (1), Control (4), Mod1 (8), Button1 (0x100), Button3 (0x400).
  EXPECT_EQ(pf::linux_x::ShiftFromXState(0x1 | 0x4 | 0x8 | 0x100 | 0x400),
            pf::kShiftKey | pf::kCtrlKey | pf::kAltKey | pf::kLeftButton | pf::kRightButton);
  EXPECT_EQ(pf::linux_x::ButtonFromX(2), pf::MouseButton::Middle);
  EXPECT_EQ(pf::linux_x::ButtonFromX(3), pf::MouseButton::Right);
  EXPECT_FALSE(pf::linux_x::ButtonFromX(4).has_value());  // the wheel
}

// Each case: the key's own symbol, the one its state gives, the X state; Windows' code and shift.
TEST(Keys, WindowsCodesFromTheSymbolsAndTheState) {
  using pf::linux_x::KeyFromX;
  const auto is = [](std::optional<pf::KeyEvent> k, unsigned key, unsigned shift) {
    return k && k->key == key && k->shift == shift && !k->repeat;
  };
  constexpr unsigned kShift = 0x1, kControl = 0x4, kNumLock = 0x10, kButton1 = 0x100;
  EXPECT_TRUE(is(KeyFromX(XK_Tab, XK_Tab, 0), pf::kKeyTab, 0));
  EXPECT_TRUE(is(KeyFromX(XK_Tab, XK_ISO_Left_Tab, kShift), pf::kKeyTab, pf::kShiftKey));
  // A keymap whose own key gives ISO_Left_Tab, Shift not held.
  EXPECT_TRUE(is(KeyFromX(XK_ISO_Left_Tab, XK_ISO_Left_Tab, 0), pf::kKeyTab, pf::kShiftKey));
  EXPECT_TRUE(is(KeyFromX(XK_KP_Enter, XK_KP_Enter, 0), pf::kKeyReturn, 0));
  EXPECT_TRUE(is(KeyFromX(XK_KP_Left, XK_KP_Left, kButton1), pf::kKeyLeft, 0));
  // NumLock makes the keypad's arrow a digit, which is not an arrow.
  EXPECT_TRUE(is(KeyFromX(XK_KP_Down, XK_KP_2, kNumLock), 0x62, 0));
  // Letters and digits by the key, whatever Shift makes of them.
  EXPECT_TRUE(is(KeyFromX(XK_a, XK_A, kShift | kControl), 'A', pf::kShiftKey | pf::kCtrlKey));
  EXPECT_TRUE(is(KeyFromX(XK_1, XK_exclam, kShift), '1', pf::kShiftKey));
  EXPECT_FALSE(KeyFromX(XK_Shift_L, XK_Shift_L, 0).has_value());
  EXPECT_FALSE(KeyFromX(XK_eacute, XK_Eacute, kShift).has_value());
}

// Each case: the symbol XLookupString gives, the X state; the character typed, if any.
TEST(Keys, CharactersInWindows1252FromTheSymbolsTyped) {
  using pf::linux_x::CharFromX;
  constexpr unsigned kShift = 0x1, kControl = 0x4, kAlt = 0x8, kLevel3 = 0x80;
  EXPECT_EQ(CharFromX(XK_a, 0), 'a');
  EXPECT_EQ(CharFromX(XK_A, kShift), 'A');
  EXPECT_EQ(CharFromX(XK_eacute, 0), '\xE9');          // Latin-1 is its own code
  EXPECT_EQ(CharFromX(XK_EuroSign, kLevel3), '\x80');  // through its Unicode value
  EXPECT_EQ(CharFromX(0x1000153, 0), '\x9C');          // U+0153, named by its code point
  EXPECT_EQ(CharFromX(XK_KP_5, 0x10), '5');            // the keypad, NumLock on
  EXPECT_EQ(CharFromX(XK_space, 0), ' ');
  EXPECT_FALSE(CharFromX(0x1000416, 0).has_value());    // Cyrillic: not in Windows-1252
  EXPECT_FALSE(CharFromX(XK_c, kControl).has_value());  // Ctrl+C is a key
  EXPECT_FALSE(CharFromX(XK_f, kAlt).has_value());
  EXPECT_FALSE(CharFromX(XK_Return, 0).has_value());  // control characters stay keys
  EXPECT_FALSE(CharFromX(XK_BackSpace, 0).has_value());
  EXPECT_FALSE(CharFromX(0x1000085, 0).has_value());  // a C1 control
}

// With detectable auto-repeat a held key comes as presses alone.
TEST(Keys, APressOfTheKeyHeldIsARepeat) {
  pf::linux_x::HeldKey held;
  EXPECT_FALSE(held.Press(23));
  EXPECT_TRUE(held.Press(23));
  EXPECT_FALSE(held.Press(36));  // another key, while Tab is still down: it repeats now
  held.Release(23);              // Tab's release does not end Return's hold
  EXPECT_TRUE(held.Press(36));
  held.Release(36);
  EXPECT_FALSE(held.Press(36));
  held.Forget();  // the focus went elsewhere, and the release with it
  EXPECT_FALSE(held.Press(36));
}

}  // namespace
}  // namespace qf::test
