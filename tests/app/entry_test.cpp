// The program entry on the headless platform: one copy at a time, the loop until the exit button,
// the exception box, and the exit code 0 on every path.
#include <functional>
#include <new>
#include <stdexcept>

#include <gtest/gtest.h>

#include "app/quenfor.h"
#include "app/unit1.h"
#include "framework/description_tools/text_parser.h"
#include "platform/entry.h"
#include "tests/app/app_fixture.h"

namespace qf::test {
namespace {

using Strings = std::vector<std::string>;

constexpr const char* kMarker = "TOLVANE-quenfor";
// The exit button's centre on the 1024 x 768 screen: the form is centred at (212, 184).
constexpr pf::Point kExit{212 + 25 + 30, 184 + 340 + 16};
constexpr pf::Point kDriver{212 + 481, 184 + 271};
const Strings kMuteCleared{"count", "open 0", "line 4", "control 0x20010002",
                           "get 7 1", "set 7 1 0", "close"};

class Entry : public HeadlessTest {
 protected:
  void ExitAt(std::uint64_t time) {
    hp->At(time, [this] { hp->Click(kExit); });
  }
};

TEST_F(Entry, RunsUntilTheExitButtonThenClearsTheMuteAndReleasesTheMarker) {
  ExitAt(3000);
  EXPECT_EQ(Quenfor(), 0);
  EXPECT_EQ(hp->mixer.calls, kMuteCleared);
  EXPECT_TRUE(hp->Windows().empty());
  EXPECT_TRUE(hp->message_boxes.empty());
  EXPECT_EQ(hp->opacity_steps.back().alpha, 255);
  EXPECT_FALSE(hp->TakeInstanceMarker(kMarker).already_exists);
  EXPECT_EQ(hp->application_title, "Quenfor") << "the taskbar entry's name";
}

// The apartment the shell, the screen readers and the endpoint share: joined before the first
// shell request, left once at the end, after the endpoint's mute is cleared.
TEST_F(Entry, HoldsTheApartmentFromBeforeTheFirstLaunchUntilAfterTheEndpointIsUnmuted) {
  hp->mixer.has_endpoint = true;
  hp->At(3000, [this] { hp->Click(kDriver); });
  hp->At(5000, [this] { hp->RestoreApplication(); });
  ExitAt(6000);
  EXPECT_EQ(Quenfor(), 0);
  Strings order;
  for (const std::string& event : hp->events) {
    const std::string what = event.substr(event.find(' ') + 1);
    if (what.rfind("apartment", 0) == 0 || what.rfind("shell", 0) == 0 ||
        what.rfind("endpoint", 0) == 0) {
      order.push_back(what);
    }
  }
  EXPECT_EQ(order, (Strings{"apartment joined", "shell open D:\\DRIVER\\SETUP.EXE",
                            "endpoint mute 0", "apartment left"}));
}

TEST_F(Entry, ExitDuringTheFadeIn) {
  ExitAt(500);
  EXPECT_EQ(Quenfor(), 0);
  EXPECT_LT(hp->opacity_steps.back().alpha, 255);
  EXPECT_EQ(hp->mixer.calls, kMuteCleared);
}

TEST_F(Entry, SecondCopyLeavesSilentlyWithoutAWindow) {
  pf::MarkerResult first = hp->TakeInstanceMarker(kMarker);
  ASSERT_FALSE(first.already_exists);
  EXPECT_EQ(Quenfor(), 0);
  EXPECT_TRUE(hp->events.empty());
  EXPECT_TRUE(hp->Windows().empty());
  EXPECT_TRUE(hp->message_boxes.empty());
  EXPECT_TRUE(hp->mixer.calls.empty());
  // Its marker handle is closed: once the first copy goes, the name is free.
  first.marker.reset();
  EXPECT_FALSE(hp->TakeInstanceMarker(kMarker).already_exists);
}

TEST_F(Entry, ANewCopyStartsAfterTheFirstHasEnded) {
  ExitAt(1000);
  EXPECT_EQ(Quenfor(), 0);
  const std::size_t shows = hp->events.size();
  ExitAt(hp->Now() + 1000);
  EXPECT_EQ(Quenfor(), 0);
  EXPECT_GT(hp->events.size(), shows);
  EXPECT_EQ(hp->mixer.calls.size(), 2 * kMuteCleared.size());
}

struct BoxCase {
  const char* message;
  const char* shown;
};

class ExceptionBox : public Entry, public ::testing::WithParamInterface<BoxCase> {};

TEST_P(ExceptionBox, ShowsTheMessageWithTheFullStopRuleAndExitsWithZero) {
  const std::string message = GetParam().message;
  hp->At(700, [message] { throw fw::EInvalidOperation(message); });
  EXPECT_EQ(Quenfor(), 0);
  ASSERT_EQ(hp->message_boxes.size(), 1u);
  const pf::headless::MessageBoxCall& box = hp->message_boxes[0];
  EXPECT_EQ(box.text, GetParam().shown);
  EXPECT_EQ(box.caption, "Quenfor");
  EXPECT_EQ(box.flags, 0x10u);  // MB_ICONERROR
  EXPECT_EQ(box.owner, pf::headless::HeadlessPlatform::kApplicationHandle);
  EXPECT_EQ(hp->mixer.calls, kMuteCleared);  // the form is still destroyed properly
}

INSTANTIATE_TEST_SUITE_P(
    Messages, ExceptionBox,
    ::testing::Values(BoxCase{"Disk not ready", "Disk not ready."},
                      BoxCase{"Disk not ready.", "Disk not ready."},
                      BoxCase{"Disk not ready!", "Disk not ready!"},
                      BoxCase{"Code -", "Code -"},
                      BoxCase{"Code 7", "Code 7."},
                      BoxCase{"", "An exception of class EInvalidOperation was raised."}));

// Classes without words are named by their last name; a template by its mangled name.
struct Silent : std::runtime_error {
  Silent() : std::runtime_error("") {}
};
template <typename T>
struct Tagged : std::runtime_error {
  Tagged() : std::runtime_error("") {}
};

TEST_F(Entry, OtherExceptionsShowTheirOwnWords) {
  const std::vector<std::pair<std::function<void()>, std::string>> cases{
      {[] { throw std::runtime_error("not the framework's"); }, "not the framework's."},
      {[] { throw std::bad_alloc(); }, "Out of memory."},
      {[] { throw std::runtime_error(""); }, "An exception of class runtime_error was raised."},
      {[] { throw Silent(); }, "An exception of class Silent was raised."},
      {[] { throw 42; }, "An exception of unknown class was raised."}};
  for (const auto& [raise, shown] : cases) {
    hp->At(hp->Now() + 700, raise);
    EXPECT_EQ(Quenfor(), 0);
    ASSERT_FALSE(hp->message_boxes.empty());
    EXPECT_EQ(hp->message_boxes.back().text, shown);
    EXPECT_EQ(hp->message_boxes.back().caption, "Quenfor");
    EXPECT_TRUE(hp->Windows().empty());
  }
  EXPECT_EQ(hp->message_boxes.size(), cases.size());

  hp->At(hp->Now() + 700, [] { throw Tagged<int>(); });
  EXPECT_EQ(Quenfor(), 0);
  const std::string& text = hp->message_boxes.back().text;
  EXPECT_EQ(text.rfind("An exception of class N", 0), 0u) << text;
  EXPECT_NE(text.find("6TaggedIiE"), std::string::npos) << text;
}

// A window size no platform window can take ends in the box, naming value, property and line.
TEST_F(Entry, AFormSizeOutOfRangeEndsInTheBox) {
  fw::AcceptTextDescriptions();  // the descriptions below are text, to be read
  for (const char* height : {"2000000000", "70000"}) {
    hp->resources["Form_Main"] =
        std::string("TForm_Main Form_Main {\n  ClientWidth = 600\n  ClientHeight = ") + height + "\n}\n";
    EXPECT_EQ(Quenfor(), 0);
    ASSERT_FALSE(hp->message_boxes.empty());
    EXPECT_EQ(hp->message_boxes.back().text,
              std::string("Line 3: ") + height + " is out of range for ClientHeight of TForm_Main (0..8192)");
    EXPECT_TRUE(hp->Windows().empty());
    EXPECT_FALSE(hp->TakeInstanceMarker(kMarker).already_exists);
  }
}

TEST_F(Entry, ABrokenFormDescriptionEndsInTheBox) {
  fw::AcceptTextDescriptions();
  hp->resources["Form_Main"] = "TForm_Main Form_Main {\n  Left = Wide\n}\n";
  EXPECT_EQ(Quenfor(), 0);
  ASSERT_EQ(hp->message_boxes.size(), 1u);
  EXPECT_EQ(hp->message_boxes[0].text, "Line 2: Left of TForm_Main needs an integer, not 'Wide'");
  EXPECT_TRUE(hp->Windows().empty());
  EXPECT_FALSE(hp->TakeInstanceMarker(kMarker).already_exists);
}

// The launcher links no text front end: a text description is refused in words, not misread.
TEST_F(Entry, ATextFormDescriptionEndsInTheBoxAsNotBinary) {
  hp->resources["Form_Main"] = "TForm_Main Form_Main {\n  Left = 10\n}\n";
  EXPECT_EQ(Quenfor(), 0);
  ASSERT_EQ(hp->message_boxes.size(), 1u);
  EXPECT_EQ(hp->message_boxes[0].text,
            "Offset 0: not a binary form description, and this program reads no text ones (convert "
            "the text with qf_formconv --to-packed)");
  EXPECT_TRUE(hp->Windows().empty());
}

TEST_F(Entry, TheTitleFollowsTheExecutablesName) {
  hp->executable_path = "E:\\Setup\\Autorun.exe";
  hp->At(700, [] { throw fw::EInvalidOperation("Stop"); });
  EXPECT_EQ(Quenfor(), 0);
  ASSERT_EQ(hp->message_boxes.size(), 1u);
  EXPECT_EQ(hp->message_boxes[0].caption, "Autorun");
}

}  // namespace
}  // namespace qf::test
