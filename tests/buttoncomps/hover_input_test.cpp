// The buttons with a hover look, driven through the scripted pointer and the framework's dispatch:
// which look each mouse event leaves on the screen and which events run.
#include "tests/buttoncomps/button_kinds.h"

namespace qf::test {
namespace {

const char* const kLookNames[] = {"normal", "hover", "pressed", "other"};

template <class K>
class HoverInput : public ButtonTest {
 protected:
  using B = typename K::Button;

  void SetUp() override {
    ButtonTest::SetUp();
    b = this->template Place<B>("Button1", 20, 20);
    K::Distinguish(*b);
    Hook();
    Settle();
    log.clear();
  }

  void Hook() {
    auto mouse = [this](const char* what) {
      return fw::TMouseEvent([this, what](fw::TObject* sender, fw::TMouseButton button,
                                          fw::TShiftState shift, int x, int y) {
        std::string line = std::string(what) + (button == fw::TMouseButton::mbLeft ? " L " : " ?") +
                           std::to_string(x) + "," + std::to_string(y);
        if (shift.Contains(fw::TShiftFlag::ssDouble)) line += " dbl";
        if (sender != b) line += " from another sender";
        log.push_back(line);
      });
    };
    b->OnMouseDown = mouse("down");
    b->OnMouseUp = mouse("up");
    b->OnClick = fw::TNotifyEvent([this](fw::TObject* sender) {
      log.push_back(std::string("click while ") + kLookNames[static_cast<int>(Shown())] +
                    (sender == b ? "" : " from another sender"));
    });
    b->OnMouseEnter = fw::TNotifyEvent([this](fw::TObject*) { log.push_back("OnMouseEnter"); });
    b->OnMouseLeave = fw::TNotifyEvent([this](fw::TObject*) { log.push_back("OnMouseLeave"); });
  }

  Look Shown() const {
    const pf::Point p = K::MarkPixel(*b);
    return LookOfMark(At(b, p.x, p.y));
  }
  // Paints over the whole button, so that what draws next shows.
  void Smear() {
    b->Canvas()->Brush()->SetColor(fw::clRed);
    b->Canvas()->FillRect(b->ClientRect());
  }
  void Hover() {
    MoveOnto(b);
    Settle();
  }

  B* b = nullptr;
};

using Kinds = ::testing::Types<EncartaKind, SelKind, SquareKind>;
TYPED_TEST_SUITE(HoverInput, Kinds);

using Strings = std::vector<std::string>;

TYPED_TEST(HoverInput, EnterDrawsTheHoverLookAndLeaveTheNormalLookWithoutEvents) {
  this->Hover();
  EXPECT_EQ(this->Shown(), Look::Hover);
  this->MoveOff();
  this->Settle();
  EXPECT_EQ(this->Shown(), Look::Normal);
  EXPECT_TRUE(this->log.empty());
}

TYPED_TEST(HoverInput, LeftClickPressesThenClicksInTheNormalLookThenHovers) {
  this->Hover();
  this->hp->Press();
  this->Settle();
  EXPECT_EQ(this->Shown(), Look::Pressed);
  this->hp->Release();
  this->Settle();
  EXPECT_EQ(this->Shown(), Look::Hover);
  EXPECT_EQ(this->log, (Strings{"down L 3,3", "click while normal", "up L 3,3"}));
}

TYPED_TEST(HoverInput, DraggingOffShowsNormalAndComingBackShowsHoverNotPressed) {
  this->Hover();
  this->hp->Press();
  this->Settle();
  this->MoveOff();
  this->Settle();
  EXPECT_EQ(this->Shown(), Look::Normal);
  this->MoveOnto(this->b, 5, 4);
  this->Settle();
  EXPECT_EQ(this->Shown(), Look::Hover);
  this->hp->Release();
  this->Settle();
  EXPECT_EQ(this->log, (Strings{"down L 3,3", "click while normal", "up L 5,4"}));
}

TYPED_TEST(HoverInput, ReleaseOutsideCallsOnMouseUpAndDrawsNothing) {
  this->Hover();
  this->hp->Press();
  this->Settle();
  // No idle turn between moving off and releasing: no leave notification repaints.
  this->hp->MoveTo(this->Screen(this->form, 250, 100));
  this->hp->Release();
  this->app->ProcessMessages();
  EXPECT_EQ(this->Shown(), Look::Pressed);
  EXPECT_EQ(this->log, (Strings{"down L 3,3", "up L 230,80"}));
}

TYPED_TEST(HoverInput, ReleaseLooksAtWhereTheCursorIsNowNotWhereItWasReleased) {
  this->Hover();
  this->hp->Press();
  this->Settle();
  this->hp->Release();
  this->MoveOff();
  this->app->ProcessMessages();
  EXPECT_EQ(this->Shown(), Look::Normal);
  this->Hover();
  this->hp->Advance(1000);
  this->hp->Press();
  this->MoveOff();
  this->hp->Release();
  this->MoveOnto(this->b, 4, 4);
  this->app->ProcessMessages();
  EXPECT_EQ(this->Shown(), Look::Hover);
  EXPECT_EQ(this->log, (Strings{"down L 3,3", "click while normal", "up L 3,3", "down L 3,3",
                                "up L 275,95"}));
}

TYPED_TEST(HoverInput, AControlOverTheButtonUnderTheCursorStopsTheHoverEvenWhenDisabled) {
  for (bool enabled : {true, false}) {
    SCOPED_TRACE(enabled);
    Probe* cover = this->NewProbe(this->form, "Cover", {30, 20, 40, 30});
    cover->SetEnabled(enabled);
    this->Hover();
    this->hp->Press();
    this->MoveOnto(this->b, 12, 2);
    this->hp->Release();
    // No idle turn: only the release draws.
    this->app->ProcessMessages();
    EXPECT_EQ(this->Shown(), Look::Normal);
    delete cover;
    this->MoveOff();
    this->Settle();
    this->hp->Advance(1000);
  }
}

TYPED_TEST(HoverInput, RightAndMiddleButtonsDrawNothingAndCallNoEvent) {
  this->Hover();
  for (auto button : {pf::MouseButton::Right, pf::MouseButton::Middle}) {
    this->hp->Press(button);
    this->Settle();
    this->hp->Release(button);
    this->Settle();
  }
  EXPECT_EQ(this->Shown(), Look::Hover);
  EXPECT_TRUE(this->log.empty());
}

TYPED_TEST(HoverInput, DoubleClickGivesOneClickAndASecondPressedLook) {
  this->Hover();
  this->hp->Press();
  this->hp->Release();
  this->hp->Advance(100);
  this->hp->Press();
  this->Settle();
  EXPECT_EQ(this->Shown(), Look::Pressed);
  this->hp->Release();
  this->Settle();
  EXPECT_EQ(this->log, (Strings{"down L 3,3", "click while normal", "up L 3,3", "down L 3,3 dbl",
                                "up L 3,3"}));
}

TYPED_TEST(HoverInput, DisabledButtonShowsOnlyTheNormalLookAndCallsNoEvent) {
  this->b->Enabled = false;
  this->Hover();
  EXPECT_EQ(this->Shown(), Look::Normal);
  this->Smear();
  this->hp->Press();
  this->Settle();
  EXPECT_EQ(this->Shown(), Look::Other);
  // The click still repaints.
  this->hp->Release();
  this->Settle();
  EXPECT_EQ(this->Shown(), Look::Normal);
  this->Smear();
  this->MoveOff();
  this->Settle();
  EXPECT_EQ(this->Shown(), Look::Normal);
  EXPECT_TRUE(this->log.empty());
  EXPECT_TRUE(this->b->GetEnabled());
}

TYPED_TEST(HoverInput, PressedCaptionTakesItsColourFromTheLookBefore) {
  this->Hover();
  this->hp->Press();
  this->Settle();
  EXPECT_GT(this->Count(this->b, kHoverInk), 0);
  EXPECT_EQ(this->Count(this->b, kFontInk), 0);
  this->hp->Release();
  // A repaint while the pointer rests on the button: the normal look, no new enter.
  this->b->Invalidate();
  this->Settle();
  this->hp->Press();
  this->Settle();
  EXPECT_EQ(this->Shown(), Look::Pressed);
  EXPECT_GT(this->Count(this->b, kFontInk), 0);
  EXPECT_EQ(this->Count(this->b, kHoverInk), 0);
}

TYPED_TEST(HoverInput, ARepaintReplacesTheHoverLookWithTheNormalLook) {
  this->Hover();
  this->b->Invalidate();
  this->Settle();
  EXPECT_EQ(this->Shown(), Look::Normal);
}

TYPED_TEST(HoverInput, HandlersThatFreeTheButtonEndItsDrawing) {
  auto free_button = [this](fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) {
    delete this->b;
    this->b = nullptr;
  };
  this->b->OnMouseDown = fw::TMouseEvent(free_button);
  this->Hover();
  this->hp->Press();
  this->hp->Release();
  this->Settle();
  EXPECT_EQ(this->b, nullptr);
  this->b = this->template Place<typename TestFixture::B>("Button2", 20, 20);
  this->b->OnMouseUp = fw::TMouseEvent(free_button);
  this->hp->Press();
  this->hp->Release();
  this->Settle();
  EXPECT_EQ(this->b, nullptr);
  EXPECT_EQ(this->app->CaptureControl(), nullptr);
}

}  // namespace
}  // namespace qf::test
