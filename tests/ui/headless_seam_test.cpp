// What the headless platform gives a program that edits text: typing (the keys and the characters
// they type, through the queue, to the focused window that takes input) and message boxes that
// ask.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/headless/headless_platform.h"

namespace qf::test {
namespace {

using Strings = std::vector<std::string>;

class TypingRecorder : public pf::WindowHandler {
 public:
  void WindowMouseDown(const pf::MouseEvent&) override {}
  void WindowMouseUp(const pf::MouseEvent&) override {}
  void WindowMouseMove(unsigned, pf::Point) override {}
  void WindowPaint(pf::Device&, const pf::Rect&) override {}
  void WindowCloseRequest() override {}
  void WindowCaptureLost() override {}
  void WindowKeyDown(const pf::KeyEvent& e) override {
    char text[32];
    std::snprintf(text, sizeof text, "key %02X%s", e.key, e.shift & pf::kShiftKey ? " shift" : "");
    log.emplace_back(text);
  }
  void WindowChar(char c) override { log.push_back(std::string("char ") + c); }
  Strings log;
};

class HeadlessSeam : public ::testing::Test {
 protected:
  void SetUp() override {
    window = hp.CreateWindow(pf::WindowParams{"T", {0, 0, 100, 50}, true, false, 255}, &handler);
    window->Show(true);
  }
  void Pump() {
    while (hp.PumpOne() == pf::PumpResult::Dispatched) {
    }
  }

  pf::headless::HeadlessPlatform hp;
  TypingRecorder handler;
  std::unique_ptr<pf::Window> window;
};

// Each character's key first, then the character; control characters are keys alone.
TEST_F(HeadlessSeam, TypingSendsEachKeyThenItsCharacter) {
  hp.Type("aZ1!\xE9\n\b");
  Pump();
  EXPECT_EQ(handler.log,
            (Strings{"key 41", "char a", "key 5A shift", "char Z", "key 31", "char 1",
                     "key 31 shift", "char !", "key E7", "char \xE9", "key 0D", "key 08"}));
}

TEST_F(HeadlessSeam, NothingIsTypedIntoADisabledOrHiddenWindow) {
  window->SetEnabled(false);
  hp.Type("x");
  window->SetEnabled(true);
  window->Show(false);
  hp.Type("y");
  Pump();
  EXPECT_TRUE(handler.log.empty());
}

// The answer the test gives where the box has that button, else its default, the first.
TEST_F(HeadlessSeam, AMessageBoxAnswersWithOneOfItsOwnButtons) {
  hp.message_box_answer = pf::kBoxResultNo;
  EXPECT_EQ(hp.MessageBox(0, "Save?", "", pf::kBoxYesNoCancel), pf::kBoxResultNo);
  EXPECT_EQ(hp.MessageBox(0, "Saved", "", pf::kBoxOk), pf::kBoxResultOk);
  hp.message_box_answer = pf::kBoxResultCancel;
  EXPECT_EQ(hp.MessageBox(0, "Replace?", "", pf::kBoxYesNo | pf::kBoxIconQuestion),
            pf::kBoxResultYes);
  ASSERT_EQ(hp.message_boxes.size(), 3u);
  EXPECT_EQ(hp.message_boxes[2].flags, pf::kBoxYesNo | pf::kBoxIconQuestion);
}

}  // namespace
}  // namespace qf::test
