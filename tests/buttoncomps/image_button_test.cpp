// TImageButton's pictures through the framework's real input path: what each event draws and
// resizes, and what reaches the handlers.
#include <gtest/gtest.h>

#include "tests/buttoncomps/image_button_fixture.h"

namespace qf::test {
namespace {

using Strings = std::vector<std::string>;
using bc::TImageButton;

// ---- a new button, setters ------------------------------------------------------------

TEST_F(ImageButtonTest, NewButtonIsASolidFaceThatStillClicks) {
  NewButton(false, false, false, false, false);
  Hook();
  EXPECT_EQ(button->Width(), 50);
  EXPECT_EQ(button->Height(), 50);
  EXPECT_TRUE(button->ShowHint());
  EXPECT_FALSE(button->ParentShowHint());
  EXPECT_EQ(button->Cursor(), fw::crDefault);
  const PixelImage face = Scene({{{20, 20, 70, 70}, kFace}});
  EXPECT_TRUE(Looks(face));
  hp->MoveTo(At(5, 5));
  Loop();
  hp->Press();
  hp->Release();
  hp->MoveTo({10, 10});
  Loop();
  EXPECT_EQ(log, (Strings{"down L 5,5", "click", "up L 5,5"}));
  EXPECT_EQ(button->BoundsRect(), (pf::Rect{20, 20, 70, 70}));
  EXPECT_TRUE(Looks(face));
}

TEST_F(ImageButtonTest, SetBmpShowsAtOnceAndTakesTheSize) {
  NewButton(false, false, false, false, false);
  const fw::TBitmap n = Solid(30, 20, kNormal);
  button->SetBmp(&n);
  // Drawn straight away; the uncovered rest waits for the repaint.
  EXPECT_TRUE(Looks(Scene({{{20, 20, 70, 70}, kFace}, {{20, 20, 50, 40}, kNormal}})));
  app->ProcessMessages();
  EXPECT_TRUE(Looks(Shows(kNormal, 30, 20)));
}

TEST_F(ImageButtonTest, SettersCopyAndOnlySetBmpResizes) {
  NewButton(true, false, false, false, false);
  fw::TBitmap over = Solid(34, 22, kOver);
  button->SetMOver(&over);
  over.SetPixel(0, 0, 0);
  EXPECT_EQ(button->BitmapOver()->Pixel(0, 0), 0x00C000u);  // the copy does not follow
  EXPECT_EQ(button->Width(), 30);
  button->SetMOver(nullptr);
  EXPECT_EQ(button->BitmapOver()->Width(), 0);
  button->SetBmp(nullptr);
  EXPECT_EQ(button->Width(), 0);
  EXPECT_EQ(button->Height(), 0);
}

TEST_F(ImageButtonTest, ChangingAPictureThroughItsPropertyNeitherRedrawsNorResizes) {
  NewButton(true, false, false, false, false);
  button->Bitmap()->SetSize(60, 60);
  EXPECT_TRUE(WindowOf(form).InvalidRect().IsEmpty());
  EXPECT_EQ(button->Width(), 30);
}

TEST_F(ImageButtonTest, SettingAPictureWithoutParentRaisesAfterCopying) {
  TImageButton orphan(app);
  orphan.SetName("ImageButton9");
  const fw::TBitmap n = Solid(30, 20, kNormal);
  try {
    orphan.SetBmp(&n);
    FAIL() << "no exception";
  } catch (const fw::EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), "Control 'ImageButton9' has no parent window");
  }
  EXPECT_EQ(orphan.Bitmap()->Width(), 30);
  EXPECT_EQ(orphan.Width(), 30);
  EXPECT_THROW(orphan.SetMOver(&n), fw::EInvalidOperation);
  EXPECT_EQ(orphan.BitmapOver()->Width(), 30);
}

// ---- the transitions ------------------------------------------------------------------

TEST_F(ImageButtonTest, EnterPressReleaseLeaveWithEveryPicture) {
  NewButton(true, true, true, true, false);
  Hook();
  hp->MoveTo(At(3, 3));
  Loop();
  EXPECT_TRUE(Looks(Shows(kOver, 34, 22)));
  hp->Press();
  Loop();
  EXPECT_TRUE(Looks(Shows(kDown, 26, 18)));
  hp->Release();
  hp->PumpOne();  // the release alone: BitmapUp drawn directly at its size
  EXPECT_TRUE(Looks(Shows(kUp, 36, 24)));
  app->ProcessMessages();  // the repaint of the size change shows BitmapCurrent over it
  EXPECT_TRUE(Looks(Shows(kDown, 26, 18, 36, 24)));
  hp->MoveTo({5, 5});
  Loop();
  EXPECT_TRUE(Looks(Shows(kNormal, 30, 20)));
  EXPECT_EQ(log, (Strings{"down L 3,3", "click", "up L 3,3"}));
}

TEST_F(ImageButtonTest, ReleaseElsewhereDrawsBitmapWithoutClick) {
  NewButton(true, true, true, true, false);
  Hook();
  hp->MoveTo(At(3, 3));
  Loop();
  hp->Press();
  Loop();
  hp->MoveTo(At(120, 3));
  Loop();  // the pressed button hears that the pointer left
  EXPECT_TRUE(Looks(Shows(kNormal, 30, 20)));
  hp->Release();
  Loop();
  EXPECT_TRUE(Looks(Shows(kNormal, 30, 20)));
  EXPECT_EQ(log, (Strings{"down L 3,3", "up L 120,3"}));
}

TEST_F(ImageButtonTest, DragOffAndBackWithTheLaunchersPictures) {
  NewButton(true, true, false, true, false);
  Hook();
  hp->MoveTo(At(3, 3));
  Loop();
  hp->Press();
  Loop();
  EXPECT_TRUE(Looks(Shows(kOver, 34, 22)));  // no BitmapDown: the hover picture stays
  hp->MoveTo(At(100, 60));
  Loop();
  EXPECT_TRUE(Looks(Shows(kNormal, 30, 20)));
  hp->MoveTo(At(4, 4));
  Loop();
  EXPECT_TRUE(Looks(Shows(kOver, 34, 22)));
  hp->Release();
  Loop();
  EXPECT_EQ(log, (Strings{"down L 3,3", "click", "up L 4,4"}));
  EXPECT_EQ(button->BoundsRect(), (pf::Rect{20, 20, 56, 44}));
  EXPECT_TRUE(Looks(Shows(kOver, 34, 22, 36, 24)));
}

TEST_F(ImageButtonTest, DoubleClickGivesOneClickAndShowsDownAgain) {
  NewButton(true, true, true, true, false);
  Hook();
  hp->MoveTo(At(3, 3));
  Loop();
  hp->Press();
  hp->Release();
  hp->Advance(100);
  hp->Press();
  Loop();
  EXPECT_TRUE(Looks(Shows(kDown, 26, 18)));
  hp->Release();
  Loop();
  EXPECT_EQ(log, (Strings{"down L 3,3", "click", "up L 3,3", "down L 3,3 dbl", "up L 3,3"}));
}

TEST_F(ImageButtonTest, RightAndMiddleButtonsChangeNothing) {
  NewButton(true, true, true, true, false);
  Hook();
  hp->MoveTo(At(3, 3));
  Loop();
  for (pf::MouseButton b : {pf::MouseButton::Right, pf::MouseButton::Middle}) {
    hp->Press(b);
    hp->Release(b);
    Loop();
  }
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(Looks(Shows(kOver, 34, 22)));
}

TEST_F(ImageButtonTest, ReleaseLooksWhereThePointerIsAfterTheClickHandler) {
  NewButton(true, true, false, true, false);
  button->OnClick = fw::TNotifyEvent([this](fw::TObject*) { hp->MoveTo({5, 5}); });
  hp->MoveTo(At(3, 3));
  Loop();
  hp->Press();
  hp->Release();
  hp->PumpOne();
  hp->PumpOne();
  EXPECT_EQ(button->BoundsRect(), (pf::Rect{20, 20, 50, 40}));
  EXPECT_EQ(WindowOf(form).Pixels().At(20, 20), kNormal);
}

TEST_F(ImageButtonTest, ReleaseOverAControlLyingOnTopClicksThenDrawsBitmap) {
  NewButton(true, true, false, true, false);
  NewProbe(form, "Lid", {40, 20, 60, 40}, fw::clBlue);
  Hook();
  hp->MoveTo(At(3, 3));
  Loop();
  hp->Press();
  hp->MoveTo(At(25, 5));  // inside the button's rectangle, over the lid
  hp->Release();
  hp->PumpOne();
  hp->PumpOne();
  hp->PumpOne();
  EXPECT_EQ(log, (Strings{"down L 3,3", "click", "up L 25,5"}));
  EXPECT_EQ(button->BoundsRect(), (pf::Rect{20, 20, 50, 40}));
  EXPECT_EQ(WindowOf(form).Pixels().At(21, 21), kNormal);
}

TEST_F(ImageButtonTest, LeavingWithoutBitmapKeepsTheHoverPicture) {
  NewButton(false, true, false, false, false);
  hp->MoveTo(At(3, 3));
  Loop();
  hp->MoveTo({5, 5});
  Loop();
  EXPECT_TRUE(Looks(Shows(kOver, 34, 22)));
}

TEST_F(ImageButtonTest, WithoutBitmapUpTheReleaseShowsWhatThePointerSees) {
  NewButton(true, true, false, false, false);
  hp->MoveTo(At(3, 3));
  Loop();
  hp->Press();
  hp->Release();
  hp->PumpOne();
  hp->PumpOne();
  EXPECT_TRUE(Looks(Shows(kOver, 34, 22)));
}

TEST_F(ImageButtonTest, EnterAndLeaveStayWithTheButtonAndCallNoHandler) {
  // A container that logs what its children pass up to it.
  struct Panel : fw::TWinControl {
    Panel(fw::TComponent* owner, Strings& log) : fw::TWinControl(owner), log(log) {}
    void Dispatch(fw::TMessage& m) override {
      if (m.Msg == fw::CM_MOUSEENTER || m.Msg == fw::CM_MOUSELEAVE) log.push_back("panel heard");
    }
    Strings& log;
  };
  auto* panel = new Panel(form, log);
  panel->SetParent(form);
  panel->SetBounds(0, 0, 200, 100);
  NewButton(true, true, false, false, false);
  button->SetParent(panel);
  auto* plain = new fw::TGraphicControl(form);
  plain->SetParent(panel);
  plain->SetBounds(150, 20, 20, 20);
  Hook();
  hp->MoveTo(At(3, 3));
  Loop();
  hp->MoveTo(Screen(plain, 3, 3));
  Loop();
  hp->MoveTo(At(3, 3));
  Loop();
  // A plain control passes its enter and leave up; the image button keeps its own and calls
  // no handler for them.
  EXPECT_EQ(log, (Strings{"panel heard", "panel heard"}));
  EXPECT_EQ(button->BitmapCurrent()->Pixel(0, 0), 0x00C000u);
}

TEST_F(ImageButtonTest, DisabledButtonShowsItsPictureAndIgnoresTheMouse) {
  NewButton(true, true, true, true, true);
  Hook();
  button->SetEnabled(false);
  app->ProcessMessages();
  EXPECT_EQ(button->BoundsRect(), (pf::Rect{20, 20, 44, 36}));
  const PixelImage disabled = Shows(kOff, 24, 16);
  EXPECT_TRUE(Looks(disabled));
  hp->MoveTo(At(3, 3));
  Loop();
  hp->Press();
  hp->Release();
  hp->MoveTo({5, 5});
  Loop();
  button->Click();
  EXPECT_EQ(log, Strings{});
  EXPECT_TRUE(Looks(disabled));
  button->SetEnabled(true);
  app->ProcessMessages();
  // BitmapCurrent again, at the size the disabled picture left.
  EXPECT_TRUE(Looks(Shows(kNormal, 24, 16)));
}

TEST_F(ImageButtonTest, DisabledWithoutItsPictureShowsTheCurrentOne) {
  NewButton(true, true, false, false, false);
  button->SetEnabled(false);
  hp->MoveTo(At(3, 3));
  Loop();
  EXPECT_TRUE(Looks(Shows(kNormal, 30, 20)));
}

}  // namespace
}  // namespace qf::test
