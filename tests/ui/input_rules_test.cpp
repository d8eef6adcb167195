// The framework's mouse rules, driven through the scripted pointer and the real dispatch.
#include <gtest/gtest.h>

#include "tests/ui/ui_fixture.h"

namespace qf::test {
namespace {

using Strings = std::vector<std::string>;

class InputRules : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form = NewForm();
    a = NewProbe(form, "A", {10, 10, 60, 40});
    b = NewProbe(form, "B", {100, 10, 150, 40});
    Settle();
    log.clear();
  }
  fw::TForm* form = nullptr;
  Probe* a = nullptr;
  Probe* b = nullptr;
};

TEST_F(InputRules, PlainClickCallsClickBeforeMouseUp) {
  hp->MoveTo(Screen(a, 5, 6));
  Settle();
  hp->Press();
  hp->Release();
  Settle();
  EXPECT_EQ(log, (Strings{"A enter", "A down L 5,6", "A click", "A up L 5,6"}));
}

TEST_F(InputRules, ReleaseOutsideGoesToThePressedControlWithoutClick) {
  hp->MoveTo(Screen(a, 5, 6));
  Settle();
  hp->Press();
  Settle();
  hp->MoveTo(Screen(b, 3, 3));
  hp->Release();
  Settle();
  // Client coordinates of A, far to its right; the idle processing after the release moves the
  // hover on.
  EXPECT_EQ(log, (Strings{"A enter", "A down L 5,6", "A up L 93,3", "A leave", "B enter"}));
}

TEST_F(InputRules, ReleaseOnTheEdgesUsesTheClientRectangle) {
  // Column 0 is inside; column Width is outside.
  hp->MoveTo(Screen(a, 0, 0));
  hp->Press();
  hp->Release();
  hp->MoveTo(Screen(a, 3, 3));
  hp->Press();
  hp->MoveTo(Screen(a, 50, 29));
  hp->Release();
  Settle();
  EXPECT_EQ(log, (Strings{"A down L 0,0", "A click", "A up L 0,0", "A down L 3,3", "A up L 50,29"}));
}

TEST_F(InputRules, DragOffAndBackKeepsTheClick) {
  hp->MoveTo(Screen(a, 5, 5));
  Settle();
  hp->Press();
  Settle();
  hp->MoveTo(Screen(b, 5, 5));
  Settle();
  hp->MoveTo(Screen(a, 7, 7));
  Settle();
  hp->Release();
  Settle();
  EXPECT_EQ(log, (Strings{"A enter", "A down L 5,5", "A leave", "A enter", "A click", "A up L 7,7"}));
}

TEST_F(InputRules, DoubleClickGivesOneClickAndMarksTheSecondPress) {
  hp->MoveTo(Screen(a, 5, 5));
  hp->Press();
  hp->Release();
  hp->Advance(100);
  hp->Press();
  hp->Release();
  app->ProcessMessages();
  EXPECT_EQ(log, (Strings{"A down L 5,5", "A click", "A up L 5,5", "A down L 5,5 dbl",
                          "A up L 5,5"}));
}

TEST_F(InputRules, SlowSecondPressIsAPlainClickAgain) {
  hp->MoveTo(Screen(a, 5, 5));
  hp->Press();
  hp->Release();
  hp->Advance(600);
  hp->Press();
  hp->Release();
  app->ProcessMessages();
  EXPECT_EQ(std::count(log.begin(), log.end(), "A click"), 2);
}

TEST_F(InputRules, RightAndMiddleButtonsReachMouseDownAndUpButNeverClick) {
  hp->MoveTo(Screen(a, 5, 5));
  hp->Press(pf::MouseButton::Right);
  hp->Release(pf::MouseButton::Right);
  hp->Press(pf::MouseButton::Middle);
  // Without a capture, the release goes to whatever lies under the pointer.
  hp->MoveTo(Screen(b, 1, 1));
  hp->Release(pf::MouseButton::Middle);
  app->ProcessMessages();
  EXPECT_EQ(log, (Strings{"A down R 5,5", "A up R 5,5", "A down M 5,5", "B up M 1,1"}));
}

TEST_F(InputRules, EnterAndLeaveComeOnlyFromTheIdleProcessing) {
  hp->MoveTo(Screen(a, 5, 5));
  app->ProcessMessages();
  EXPECT_TRUE(log.empty());
  app->Idle();
  hp->MoveTo(Screen(b, 5, 5));
  app->ProcessMessages();
  EXPECT_EQ(log, (Strings{"A enter"}));
  app->Idle();
  app->Idle();
  EXPECT_EQ(log, (Strings{"A enter", "A leave", "B enter"}));
}

TEST_F(InputRules, NestedPumpInsideAClickSendsNoEnterOrLeave) {
  std::vector<std::string> during;
  a->on_click = [&] {
    hp->MoveTo(Screen(b, 5, 5));
    for (int i = 0; i < 3; ++i) {
      app->ProcessMessages();
      hp->Sleep(100);
    }
    during = log;
  };
  hp->MoveTo(Screen(a, 5, 5));
  Settle();
  hp->Press();
  hp->Release();
  Settle();
  EXPECT_EQ(during, (Strings{"A enter", "A down L 5,5", "A click"}));
  EXPECT_EQ(log, (Strings{"A enter", "A down L 5,5", "A click", "A up L 5,5", "A leave", "B enter"}));
}

// Only the loop going idle sends the leave: leaving the window must itself be a message.
TEST_F(InputRules, LeavingTheWindowFromAControlWakesTheLoopToSendTheLeave) {
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round == 0 ? "first show" : "after a restore");
    log.clear();
    hp->MoveTo(Screen(a, 5, 5));
    Settle();
    hp->MoveTo({90, 40});  // just above and left of the form
    EXPECT_TRUE(hp->HasPendingMessages());
    Settle();
    EXPECT_EQ(log, (Strings{"A enter", "A leave"}));
    hp->MinimizeApplication();
    hp->RestoreApplication();
    Settle();
  }
}

// The window's own events say where the pointer is on it: hovering from control to control asks
// the platform nothing (on X that would be a round trip to the server each time).
TEST_F(InputRules, HoveringIsToldByTheWindowsEventsNotAskedOfThePlatform) {
  hp->MoveTo(Screen(a, 5, 5));
  Settle();
  hp->pointer_queries = 0;
  hp->MoveTo(Screen(b, 5, 5));
  Settle();
  hp->MoveTo(Screen(a, 6, 6));
  Settle();
  EXPECT_EQ(log, (Strings{"A enter", "A leave", "B enter", "B leave", "A enter"}));
  EXPECT_EQ(hp->pointer_queries, 0);
}

TEST_F(InputRules, MovesOutsideEveryWindowPostNothing) {
  hp->MoveTo({5, 5});
  hp->MoveTo({6, 6});
  EXPECT_FALSE(hp->HasPendingMessages());
}

TEST_F(InputRules, DisabledControlsCountForEnterAndLeaveButTakeNoInput) {
  a->SetEnabled(false);
  hp->MoveTo(Screen(a, 5, 5));
  Settle();
  hp->Press();
  hp->Release();
  Settle();
  EXPECT_EQ(log, (Strings{"A enter"}));
  EXPECT_EQ(form->FindControlAt(a->ClientToForm({5, 5}), true), a);
}

TEST_F(InputRules, TheTopmostControlIsTheOneCreatedLast) {
  Probe* over = NewProbe(form, "Over", {40, 20, 120, 30});
  EXPECT_EQ(form->FindControlAt({45, 25}, true), over);
  EXPECT_EQ(form->FindControlAt({35, 25}, true), a);
  EXPECT_EQ(form->FindControlAt({35, 45}, true), form);
  over->SetVisible(false);
  EXPECT_EQ(form->FindControlAt({45, 25}, true), a);
}

// The event's hit test serves the idle after it only while nothing under the pointer changed: a
// control made, hidden, shown or moved under a still pointer is the one the idle finds.
TEST_F(InputRules, WhatComesOrGoesUnderAStillPointerIsEnteredOrLeftAtTheNextIdle) {
  const auto told = [&] {
    Settle();
    return std::exchange(log, {});
  };
  hp->MoveTo(Screen(a, 5, 5));
  EXPECT_EQ(told(), (Strings{"A enter"}));
  const pf::Point at = a->ClientToForm({5, 5});
  Probe* over = NewProbe(form, "Over", {at.x - 2, at.y - 2, at.x + 8, at.y + 8});
  EXPECT_EQ(told(), (Strings{"A leave", "Over enter"})) << "made";
  over->SetVisible(false);
  EXPECT_EQ(told(), (Strings{"Over leave", "A enter"})) << "hidden";
  over->SetVisible(true);
  EXPECT_EQ(told(), (Strings{"A leave", "Over enter"})) << "shown";
  over->SetLeft(at.x + 50);
  EXPECT_EQ(told(), (Strings{"Over leave", "A enter"})) << "moved away";
}

TEST_F(InputRules, ADisabledFormTakesNoInput) {
  form->SetEnabled(false);
  hp->Click(Screen(a, 5, 5));
  app->ProcessMessages();
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(WindowOf(form).Enabled());
}

TEST_F(InputRules, AControlDestroyedInItsClickLeavesNothingDangling) {
  a->on_click = [&] { delete a; };
  hp->MoveTo(Screen(a, 5, 5));
  Settle();
  hp->Press();
  hp->Release();
  Settle();
  EXPECT_EQ(log, (Strings{"A enter", "A down L 5,5", "A click"}));
  EXPECT_EQ(app->CaptureControl(), nullptr);
  EXPECT_EQ(app->MouseControl(), form);
}

TEST_F(InputRules, AHoveredControlDestroyedIsForgotten) {
  hp->MoveTo(Screen(b, 5, 5));
  hp->Press();
  Settle();
  delete b;
  EXPECT_EQ(app->CaptureControl(), nullptr);
  EXPECT_EQ(app->MouseControl(), nullptr);
  hp->Release();
  Settle();
  EXPECT_EQ(app->MouseControl(), form);
}

}  // namespace
}  // namespace qf::test
