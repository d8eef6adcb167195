// The ALSA mixer where there is no sound device, and the double-click rule on server time stamps.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "platform/linux/input_linux.h"
#include "platform/linux/mixer_alsa.h"

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
  pf::linux_x::AlsaMixer mixer;
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

}  // namespace
}  // namespace qf::test
