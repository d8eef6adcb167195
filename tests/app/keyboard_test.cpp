// The launcher used by the keyboard alone, on the headless platform: the order of its choices,
// Enter and Space as a click, Esc as the window's close, the focus rectangle's pixels, and what
// screen readers hear of the focus.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "app/quenfor.h"
#include "framework/graphics/jpeg.h"
#include "tests/app/app_fixture.h"
#include "tests/support/image_compare.h"
#include "tests/support/pixel_image.h"

namespace qf::test {
namespace {

using Strings = std::vector<std::string>;

class Keyboard : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    NewMainForm();
    RunFor(2600);  // the fade-in is over
  }
  std::string Current() const {
    const fw::TControl* c = form->Choices().Current();
    return c ? c->Name() : "";
  }
  void Key(unsigned key, unsigned shift = 0) {
    hp->Key(key, shift);
    Settle();
  }
  // The names screen readers were told took the focus, since `from`.
  Strings FocusTold(std::size_t from = 0) const {
    Strings names;
    for (std::size_t i = from; i < hp->accessible_events.size(); ++i) {
      std::istringstream event(hp->accessible_events[i]);
      std::string window, id, change;
      event >> window >> id >> change;
      if (change == "focus") {
        names.push_back(MainWindow().Accessible()->Describe(std::stoul(id))->name);
      }
    }
    return names;
  }
  // What an activation left: the debugger lines, the files asked of the shell, the events.
  struct Trail {
    Strings debug, files, events;
    friend bool operator==(const Trail&, const Trail&) = default;
  };
  Trail TrailOf(const std::function<void()>& activate) {
    hp->debug_output.clear();
    hp->shell_requests.clear();
    const std::size_t first = hp->events.size();
    activate();
    Trail trail{hp->debug_output, {}, Events(first)};
    for (const pf::ShellRequest& r : hp->shell_requests) trail.files.push_back(r.file);
    hp->RestoreApplication();
    Settle();
    return trail;
  }
  const fw::TBitmap& Background() const {
    return static_cast<const fw::TJPEGImage*>(form->Image1->Picture()->Graphic())->Decoded();
  }
  // The window as it should look: the background, `over` at `lit`'s place if asked, and the
  // system's focus rectangle one pixel round `focused` if asked.
  PixelImage Expected(const fw::TControl* focused, const bc::TImageButton* lit = nullptr) const {
    std::unique_ptr<pf::Surface> surface = pf::CreateSurface(600, 400);
    std::unique_ptr<pf::Device> device = surface->NewDevice();
    device->DrawImage({0, 0}, Background().View());
    if (lit) device->DrawImage({lit->Left(), lit->Top()}, lit->BitmapOver()->View());
    if (focused) device->DrawFocusRect(Ring(focused));
    return PixelImage::CopyOf(surface->Pixels());
  }
  static pf::Rect Ring(const fw::TControl* c) {
    return {c->Left() - 1, c->Top() - 1, c->Left() + c->Width() + 1, c->Top() + c->Height() + 1};
  }
  ::testing::AssertionResult Shows(const PixelImage& expected) const {
    return ImagesEqual(expected.View(), MainWindow().Pixels());
  }
};

// The driver is current as the form shows, as a dialog's first control is, and a screen reader
// hears of it with the window; Tab goes down the right-hand column, then to Exit, and round;
// Shift+Tab, Up and Left go back, Down and Right on. Each move is told.
TEST_F(Keyboard, KeysVisitTheChoicesInTheFormsOrderRoundAndBackAndScreenReadersHearEach) {
  EXPECT_EQ(Current(), "ImageButton3");
  EXPECT_EQ(FocusTold(), Strings{"Install Driver & Utility"});
  const std::size_t told = hp->accessible_events.size();
  const struct {
    unsigned key, shift;
    const char* then;
  } kSteps[] = {{pf::kKeyTab, 0, "ImageButton2"},   {pf::kKeyTab, 0, "ImageButton1"},
                {pf::kKeyTab, 0, "ImageButton5"},   {pf::kKeyTab, 0, "ImageButton3"},
                {pf::kKeyTab, pf::kShiftKey, "ImageButton5"}, {pf::kKeyUp, 0, "ImageButton1"},
                {pf::kKeyLeft, 0, "ImageButton2"},  {pf::kKeyDown, 0, "ImageButton1"},
                {pf::kKeyRight, 0, "ImageButton5"}};
  for (const auto& step : kSteps) {
    Key(step.key, step.shift);
    EXPECT_EQ(Current(), step.then) << "after key " << step.key;
  }
  EXPECT_EQ(FocusTold(told), (Strings{"User's Manual", "Install PDF Reader", "Exit",
                                      "Install Driver & Utility", "Exit", "Install PDF Reader",
                                      "User's Manual", "Install PDF Reader", "Exit"}));
  EXPECT_EQ(*MainWindow().Accessible()->Focus(), form->ImageButton5->AccessibleId());
}

TEST_F(Keyboard, EnterAndSpacePressTheCurrentChoiceExactlyAsAClickDoes) {
  const Trail click = TrailOf([&] { ClickOn(form->ImageButton2); });
  ASSERT_EQ(click.files, Strings{"D:\\\\USER MANUAL\\QRV512LD3T8.pdf"});
  Key(pf::kKeyTab);  // from the driver to the manual
  EXPECT_EQ(TrailOf([&] { Key(pf::kKeyReturn); }), click);
  EXPECT_EQ(TrailOf([&] { Key(pf::kKeySpace); }), click);
  EXPECT_EQ(Current(), "ImageButton2") << "where it was, once the window is back";
}

// The form is disabled for the pause: a key that still reached it would do nothing.
TEST_F(Keyboard, KeysDuringTheLaunchPauseDoNothing) {
  hp->shell_accepts = [&](const pf::ShellRequest&) {
    for (unsigned key : {pf::kKeyTab, pf::kKeyReturn, pf::kKeyEscape}) form->WindowKeyDown({key});
    return true;
  };
  Key(pf::kKeyReturn);
  EXPECT_EQ(hp->shell_requests.size(), 1u);
  EXPECT_EQ(Current(), "ImageButton3");
  EXPECT_FALSE(application->Terminated());
}

// The first frame and a hover look as before the keyboard came; a navigation key brings the
// focus rectangle round the current choice only, a move takes it away without a trace, a hover
// and a repaint keep it, the lost focus takes it off; a key puts the two rings, no more.
TEST_F(Keyboard, TheFocusRectangleAppearsWithTheKeyboardAndGoesWithoutATrace) {
  EXPECT_TRUE(Shows(Expected(nullptr)));
  hp->MoveTo(CentreOf(form->ImageButton3));
  Settle();
  EXPECT_TRUE(Shows(Expected(nullptr, form->ImageButton3))) << "lit, current, no cue";
  hp->MoveTo({220, 190});
  Settle();
  application->ProcessMessages();  // the driver's plain picture goes out

  MainWindow().puts.clear();
  Key(pf::kKeyTab);
  EXPECT_TRUE(Shows(Expected(form->ImageButton2)));
  EXPECT_EQ(MainWindow().puts, std::vector<pf::Rect>{Ring(form->ImageButton2)});
  MainWindow().puts.clear();
  Key(pf::kKeyTab);
  EXPECT_TRUE(Shows(Expected(form->ImageButton1)));
  EXPECT_EQ(MainWindow().puts,
            (std::vector<pf::Rect>{Ring(form->ImageButton2), Ring(form->ImageButton1)}));

  hp->MoveTo(CentreOf(form->ImageButton1));
  Settle();
  EXPECT_TRUE(Shows(Expected(form->ImageButton1, form->ImageButton1))) << "hovered";
  hp->MoveTo({220, 190});
  Settle();
  form->Invalidate();
  Settle();
  EXPECT_TRUE(Shows(Expected(form->ImageButton1))) << "repainted";
  hp->MinimizeApplication();
  Settle();
  EXPECT_TRUE(Shows(Expected(nullptr))) << "without the focus";
}

TEST(KeyboardEntry, EscEndsTheLauncherAsItsWindowsCloseDoes) {
  const Strings kMuteCleared{"count", "open 0", "line 4", "control 0x20010002",
                             "get 7 1", "set 7 1 0", "close"};
  auto platform = std::make_unique<pf::headless::HeadlessPlatform>();
  pf::headless::HeadlessPlatform& hp = *platform;
  pf::Install(std::move(platform));
  hp.At(3000, [&] { hp.Key(pf::kKeyEscape); });
  EXPECT_EQ(Quenfor(), 0);
  EXPECT_EQ(hp.mixer.calls, kMuteCleared);
  EXPECT_TRUE(hp.Windows().empty());
  pf::Uninstall();
}

}  // namespace
}  // namespace qf::test
