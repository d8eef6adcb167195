// Forms, the application object, timers and ownership on the headless platform.
#include <gtest/gtest.h>

#include "framework/controls/image.h"
#include "framework/controls/timer.h"
#include "framework/description/reader.h"
#include "framework/description_tools/writer.h"
#include "tests/ui/ui_fixture.h"

namespace qf::test {
namespace {

using Strings = std::vector<std::string>;

class FormApp : public UiTest {};

TEST_F(FormApp, ScreenCentredFormsAreCentredWhenFirstShown) {
  auto* form = new fw::TForm(app);
  form->SetPosition(fw::TPosition::poScreenCenter);
  form->SetBounds(407, 256, 600, 400);
  form->Show();
  EXPECT_EQ(WindowOf(form).Bounds(), (pf::Rect{212, 184, 812, 584}));
  EXPECT_TRUE(WindowOf(form).IsVisible());
}

// The window takes its frame as the form shows, and at once when the style changes on screen.
TEST_F(FormApp, FormsAreFramedUnlessTheirBorderStyleIsNone) {
  fw::TForm* framed = NewForm();
  auto* bare = new fw::TForm(app);
  bare->SetBorderStyle(fw::TFormBorderStyle::bsNone);
  bare->Show();
  auto* hidden = new fw::TForm(app);
  hidden->SetBorderStyle(fw::TFormBorderStyle::bsDialog);
  EXPECT_FALSE(WindowOf(framed).Borderless());
  EXPECT_TRUE(WindowOf(bare).Borderless());
  EXPECT_TRUE(WindowOf(hidden).Borderless()) << "until it shows";
  framed->SetBorderStyle(fw::TFormBorderStyle::bsNone);
  EXPECT_TRUE(WindowOf(framed).Borderless());
  hidden->Show();
  EXPECT_FALSE(WindowOf(hidden).Borderless());
}

TEST_F(FormApp, AutoSizeFitsTheFormToItsControls) {
  fw::TForm* form = NewForm();
  NewProbe(form, "P", {0, 0, 60, 40});
  form->SetAutoSize(true);
  EXPECT_EQ(form->ClientWidth(), 60);
  EXPECT_EQ(form->ClientHeight(), 40);
  NewProbe(form, "Q", {50, 30, 70, 45});
  EXPECT_EQ(form->ClientWidth(), 70);
  EXPECT_EQ(form->ClientHeight(), 45);
}

TEST_F(FormApp, AlphaBlendReachesTheWindowAsLayeredOpacity) {
  fw::TForm* form = NewForm();
  form->SetAlphaBlend(true);
  form->SetAlphaBlendValue(0);
  form->SetAlphaBlendValue(250);
  form->SetAlphaBlendValue(form->AlphaBlendValue() + 10);  // an 8-bit value wraps
  EXPECT_EQ(form->AlphaBlendValue(), 4);
  ASSERT_EQ(hp->opacity_steps.size(), 4u);
  EXPECT_TRUE(hp->opacity_steps[0].layered);
  EXPECT_EQ(hp->opacity_steps[0].alpha, 255);
  EXPECT_EQ(hp->opacity_steps[1].alpha, 0);
  EXPECT_EQ(hp->opacity_steps[3].alpha, 4);
}

TEST_F(FormApp, TimersTickOnTheVirtualClockAndStopWhenDisabled) {
  auto* timer = new fw::TTimer(app);
  timer->SetInterval(50);
  std::vector<std::uint64_t> ticks;
  timer->OnTimer = fw::TNotifyEvent([&](fw::TObject*) {
    ticks.push_back(hp->Now());
    if (ticks.size() == 3) timer->SetEnabled(false);
  });
  for (int i = 0; i < 5; ++i) {
    app->ProcessMessages();
    hp->Advance(50);
  }
  app->ProcessMessages();
  EXPECT_EQ(ticks, (std::vector<std::uint64_t>{50, 100, 150}));
}

// A form made before the main one (a designer's document) is not main for being first: the
// taskbar entry's close reaches the main form, and only its close ends the loop.
TEST_F(FormApp, RunEndsWhenTheMainFormClosesAndOnlyThen) {
  fw::TForm* first = NewForm();
  fw::TForm* main_form = nullptr;
  app->CreateForm(main_form);
  fw::TForm* other = nullptr;
  app->CreateForm(other);
  other->Show();
  EXPECT_EQ(app->MainForm(), main_form);
  EXPECT_EQ(hp->main_window, WindowOf(main_form).Handle());
  hp->At(300, [&] { other->Close(); });
  hp->At(400, [&] { first->Close(); });
  hp->At(700, [&] { hp->CloseApplication(); });
  app->Run();
  EXPECT_TRUE(app->Terminated());
  EXPECT_FALSE(WindowOf(other).IsVisible());
  EXPECT_FALSE(WindowOf(first).IsVisible());
  EXPECT_EQ(hp->Now(), 700u);
  fw::Free(main_form);
  EXPECT_EQ(hp->main_window, 0u) << "a main form gone is no window's";
}

TEST_F(FormApp, FocusingAMinimisedFormWaitsForTheRestore) {
  fw::TForm* form = NewForm();
  const pf::NativeHandle handle = WindowOf(form).Handle();
  form->SetFocus();
  EXPECT_EQ(hp->focused, handle);
  hp->focused = 0;
  hp->MinimizeApplication();
  form->SetFocus();
  form->SetFocus();
  app->ProcessMessages();
  EXPECT_EQ(hp->focused, 0u);
  hp->RestoreApplication();
  app->ProcessMessages();
  EXPECT_EQ(hp->focused, handle);
  // Once: a later restore brings no focus that nobody asked for.
  hp->focused = 0;
  hp->MinimizeApplication();
  hp->RestoreApplication();
  app->ProcessMessages();
  EXPECT_EQ(hp->focused, 0u);
}

TEST_F(FormApp, ExceptionsAreShownWithTheTitleAndTheFullStopRule) {
  hp->executable_path = "D:\\Disc\\Quenfor.exe";
  const Strings messages{"Disk full", "Done.", "Ends in comma,", "Ends in space ", "", "Why?"};
  for (const auto& m : messages) app->ShowException(fw::Exception(m));
  ASSERT_EQ(hp->message_boxes.size(), messages.size());
  // An empty message shows the exception's class instead of an empty box.
  const Strings expected{"Disk full.", "Done.",
                         "Ends in comma,", "Ends in space ",
                         "An exception of class Exception was raised.", "Why?."};
  for (std::size_t i = 0; i < messages.size(); ++i) {
    EXPECT_EQ(hp->message_boxes[i].text, expected[i]);
    EXPECT_EQ(hp->message_boxes[i].caption, "Quenfor");
    EXPECT_EQ(hp->message_boxes[i].flags, 0x10u);
    EXPECT_EQ(hp->message_boxes[i].owner, pf::headless::HeadlessPlatform::kApplicationHandle);
  }
}

TEST_F(FormApp, OwnersDestroyWhatTheyOwnLastFirst) {
  std::vector<std::string> gone;
  struct Tracked : fw::TComponent {
    Tracked(fw::TComponent* o, std::string n, std::vector<std::string>& g)
        : fw::TComponent(o), name(std::move(n)), log(g) {}
    ~Tracked() override { log.push_back(name); }
    std::string name;
    std::vector<std::string>& log;
  };
  auto* root = new fw::TComponent(nullptr);
  new Tracked(root, "first", gone);
  auto* second = new Tracked(root, "second", gone);
  new Tracked(second, "grandchild", gone);
  new Tracked(root, "third", gone);
  EXPECT_EQ(root->ComponentCount(), 3);
  delete root;
  // A component's own destructor runs before it frees what it owns.
  EXPECT_EQ(gone, (Strings{"third", "second", "grandchild", "first"}));
}

TEST_F(FormApp, NamesMustBeIdentifiersAndUniqueInTheOwner) {
  fw::TForm* form = NewForm();
  auto* p = NewProbe(form, "Button1", {0, 0, 5, 5});
  EXPECT_THROW(NewProbe(form, "button1", {0, 0, 5, 5}), fw::EComponentError);
  EXPECT_THROW(p->SetName("1st"), fw::EComponentError);
  EXPECT_EQ(form->FindComponent("BUTTON1"), p);
}

TEST_F(FormApp, ShowHintClearsParentShowHintAndFontsFollowTheParentUntilChanged) {
  fw::TForm* form = NewForm();
  auto* p = NewProbe(form, "P", {0, 0, 5, 5});
  EXPECT_TRUE(p->ParentShowHint());
  p->SetShowHint(false);
  EXPECT_FALSE(p->ParentShowHint());
  form->Font()->SetSize(12);
  EXPECT_EQ(p->Font()->Size(), 12);
  p->Font()->SetName("Courier New");
  EXPECT_FALSE(p->ParentFont());
  form->Font()->SetSize(14);
  EXPECT_EQ(p->Font()->Size(), 12);
}

TEST_F(FormApp, FormDestroyRunsOnceWhileTheFormIsWhole) {
  struct Owned : fw::TForm {
    explicit Owned(fw::TComponent* o, Strings& l) : fw::TForm(o), log(l) {
      OnDestroy = fw::TNotifyEvent([this](fw::TObject*) { log.push_back("destroy " + tag); });
    }
    std::string tag = "whole";
    Strings& log;
  };
  Strings destroyed;
  new Owned(app, destroyed);
  delete app;
  app = nullptr;
  EXPECT_EQ(destroyed, (Strings{"destroy whole"}));
}

TEST_F(FormApp, AFormDescriptionBuildsTheFormAndItsControls) {
  const char* text = R"(TForm Form1 {
  Left = 10
  Top = 20
  BorderStyle = bsNone
  Position = poScreenCenter
  ClientWidth = 300
  ClientHeight = 200
  AlphaBlend = True
  AlphaBlendValue = 0
  Visible = True
  Caption = "Form_Main"
  TImage Image1 {
    Left = 0
    Top = 0
    Width = 10
    Height = 10
    Cursor = crHandPoint
  }
  TTimer Timer2 {
    Interval = 50
  }
}
)";
  auto* form = static_cast<fw::TForm*>(fw::ReadNewComponent(text, app));
  EXPECT_EQ(form->Name(), "Form1");
  ASSERT_EQ(form->ControlCount(), 1);
  EXPECT_EQ(form->Controls(0)->Name(), "Image1");
  EXPECT_EQ(form->Controls(0)->Cursor(), fw::crHandPoint);
  auto* timer = dynamic_cast<fw::TTimer*>(form->FindComponent("Timer2"));
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(timer->Interval(), 50u);
  EXPECT_EQ(fw::WriteComponent(*form), text);
  // A timer read from a description runs once the reading is done.
  int ticks = 0;
  timer->OnTimer = fw::TNotifyEvent([&](fw::TObject*) { ++ticks; });
  hp->Advance(50);
  app->ProcessMessages();
  EXPECT_EQ(ticks, 1);
}

}  // namespace
}  // namespace qf::test
