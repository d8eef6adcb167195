// The raised button driven through the scripted pointer: its release range, its two looks and
// its events.
#include <algorithm>
#include <ostream>

#include "buttoncomps/aol_button.h"
#include "tests/buttoncomps/button_fixture.h"

namespace qf::test {
namespace {

using bc::TAOLButton;
using Strings = std::vector<std::string>;

constexpr fw::TColor kRaise = 0x00D7A28A;

class AOLInput : public ButtonTest {
 protected:
  void SetUp() override {
    ButtonTest::SetUp();
    b = Place<TAOLButton>("AOLButton1", 20, 20);
    auto mouse = [this](const char* what) {
      return fw::TMouseEvent([this, what](fw::TObject*, fw::TMouseButton, fw::TShiftState shift,
                                          int x, int y) {
        log.push_back(std::string(what) + " " + std::to_string(x) + "," + std::to_string(y) +
                      (shift.Contains(fw::TShiftFlag::ssDouble) ? " dbl" : ""));
      });
    };
    b->OnMouseDown = mouse("down");
    b->OnMouseUp = mouse("up");
    b->OnClick = fw::TNotifyEvent([this](fw::TObject*) {
      log.push_back(Raised() ? "click while raised" : "click");
    });
    b->OnMouseLeave = fw::TNotifyEvent([this](fw::TObject*) { log.push_back("OnMouseLeave"); });
  }
  bool Raised() const { return At(b, 1, 1) == Px(kRaise); }
  bool Pressed() const { return At(b, 1, 1) == Px(fw::clBlack) && At(b, 2, 2) == Px(b->Color()); }
  bool Smeared() const { return At(b, 1, 1) == Px(fw::clRed); }
  void Smear() {
    b->Canvas()->Brush()->SetColor(fw::clRed);
    b->Canvas()->FillRect(b->ClientRect());
  }

  TAOLButton* b = nullptr;
};

TEST_F(AOLInput, EnteringChangesNothingOnTheScreen) {
  Smear();
  MoveOnto(b);
  Settle();
  EXPECT_TRUE(Smeared());
  EXPECT_EQ(app->MouseControl(), b);
}

TEST_F(AOLInput, LeftClickPressesThenRaisesTwiceWithOnClickBeforeOnMouseUp) {
  MoveOnto(b);
  Settle();
  hp->Press();
  Settle();
  EXPECT_TRUE(Pressed());
  hp->Release();
  Settle();
  EXPECT_TRUE(Raised());
  EXPECT_EQ(log, (Strings{"down 3,3", "click while raised", "up 3,3"}));
}

struct Release {
  int x, y;
  bool clicks, repaints;
};

void PrintTo(const Release& r, std::ostream* os) { *os << "release at " << r.x << "," << r.y; }

class AOLRelease : public AOLInput, public ::testing::WithParamInterface<Release> {};

// Click uses the framework's rectangle; the release repaints for 0 < X <= W and 0 < Y <= H.
TEST_P(AOLRelease, ClickAndRepaintFollowTheirOwnRanges) {
  const Release r = GetParam();
  // What OnMouseUp leaves stays unless MouseUp repaints after it.
  b->OnMouseUp = fw::TMouseEvent([this](fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) {
    Smear();
  });
  MoveOnto(b, 5, 5);
  Settle();
  hp->Press();
  MoveOnto(b, r.x, r.y);
  hp->Release();
  app->ProcessMessages();
  EXPECT_EQ(std::count(log.begin(), log.end(), "click while raised"), r.clicks ? 1 : 0);
  EXPECT_EQ(Raised(), r.repaints);
  EXPECT_EQ(Smeared(), !r.repaints);
}

INSTANTIATE_TEST_SUITE_P(Edges, AOLRelease,
                         ::testing::Values(Release{5, 5, true, true}, Release{0, 5, true, false},
                                           Release{5, 0, true, false}, Release{88, 22, true, true},
                                           Release{89, 5, false, true}, Release{5, 23, false, true},
                                           Release{89, 23, false, true}, Release{90, 5, false, false},
                                           Release{5, 24, false, false}, Release{-1, 5, false, false}));

TEST_F(AOLInput, DraggingOffRaisesComingBackDrawsNothingReleasingOutsideOnlyCallsOnMouseUp) {
  MoveOnto(b);
  Settle();
  hp->Press();
  Settle();
  MoveOff();
  Settle();
  EXPECT_TRUE(Raised());
  Smear();
  MoveOnto(b, 6, 6);
  Settle();
  EXPECT_TRUE(Smeared());
  MoveOff();
  Settle();
  hp->Release();
  Settle();
  EXPECT_EQ(log, (Strings{"down 3,3", "up 275,95"}));
}

TEST_F(AOLInput, RightAndMiddleButtonsDrawNothingAndCallNoEvent) {
  MoveOnto(b);
  Settle();
  Smear();
  for (auto button : {pf::MouseButton::Right, pf::MouseButton::Middle}) {
    hp->Press(button);
    hp->Release(button);
  }
  app->ProcessMessages();
  EXPECT_TRUE(Smeared());
  EXPECT_TRUE(log.empty());
}

TEST_F(AOLInput, DisabledButtonCallsNoEventButItsClickAndLeaveRepaint) {
  b->Enabled = false;
  MoveOnto(b);
  Settle();
  Smear();
  hp->Press();
  app->ProcessMessages();
  EXPECT_TRUE(Smeared());
  hp->Release();
  app->ProcessMessages();
  EXPECT_TRUE(Raised());
  Smear();
  MoveOff();
  Settle();
  EXPECT_TRUE(Raised());
  EXPECT_TRUE(log.empty());
}

TEST_F(AOLInput, DoubleClickGivesOneClickAndASecondPressedLook) {
  MoveOnto(b);
  Settle();
  hp->Press();
  hp->Release();
  hp->Advance(100);
  hp->Press();
  app->ProcessMessages();
  EXPECT_TRUE(Pressed());
  hp->Release();
  app->ProcessMessages();
  EXPECT_EQ(log, (Strings{"down 3,3", "click while raised", "up 3,3", "down 3,3 dbl", "up 3,3"}));
}

TEST_F(AOLInput, ARepaintShowsTheRaisedLookEvenWhileHeld) {
  MoveOnto(b);
  Settle();
  hp->Press();
  Settle();
  b->Invalidate();
  Settle();
  EXPECT_TRUE(Raised());
}

}  // namespace
}  // namespace qf::test
