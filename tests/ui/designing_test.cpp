// A form with a designer attached: the designer gets the window's events, the form keeps still
// and opaque with the designer's marks over it, and runs again once the designer lets go; a
// designer's stand-in for a form class reads descriptions whose events name methods it lacks.
#include <gtest/gtest.h>

#include "framework/controls/timer.h"
#include "framework/description_tools/writer.h"
#include "tests/ui/ui_fixture.h"

namespace qf::test {
namespace {

using Strings = std::vector<std::string>;

std::string At(pf::Point p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

class RecordingDesigner : public fw::TFormDesigner {
 public:
  explicit RecordingDesigner(Strings& log) : log_(log) {}
  void FormMouseDown(const pf::MouseEvent& e) override {
    log_.push_back("designer down " + At(e.pos));
  }
  void FormMouseUp(const pf::MouseEvent& e) override { log_.push_back("designer up " + At(e.pos)); }
  void FormMouseMove(unsigned, pf::Point) override { ++moves; }
  void FormKeyDown(const pf::KeyEvent& e) override {
    log_.push_back("designer key " + std::to_string(e.key));
  }
  void FormKeyPress(char c) override { log_.push_back(std::string("designer char ") + c); }
  void FormCloseRequest() override { log_.push_back("designer close"); }
  // A blue frame round `mark`.
  void PaintOver(pf::Device& device, const pf::Rect& clip) override {
    if (!clip.Intersect(mark).IsEmpty()) device.FrameRect(mark, fw::ColorToRGB(fw::clBlue));
  }
  int moves = 0;
  pf::Rect mark{5, 5, 70, 45};

 private:
  Strings& log_;
};

// A designer's stand-in for a form class it does not link: each method its description names
// runs as a note of its name.
class StandIn : public fw::TForm {
 public:
  StandIn(fw::TComponent* owner, Strings& log) : fw::TForm(owner), log_(log) {
    PublishMethod("Linked", &StandIn::Linked);
  }
  using fw::TForm::ReadDescription;
  std::function<void()> UnboundMethod(const fw::String& name) const override {
    return [&log = log_, name] { log.push_back(name + " stands in"); };
  }
  void Linked(fw::TObject*) { log_.push_back("Linked runs"); }

 private:
  Strings& log_;
};

class Designing : public UiTest {
 protected:
  std::uint32_t PixelAt(const fw::TForm* form, int x, int y) const {
    return WindowOf(form).Pixels().At(x, y);
  }
  static std::uint32_t Pixel(fw::TColor c) { return pf::ColorRefToPixel(fw::ColorToRGB(c)); }
  RecordingDesigner designer{log};
};

// Under the pointer before, the control stops lighting when the designer comes and lights again
// when it goes; in between, the designer has every event and the control none, nor its handler.
TEST_F(Designing, TheDesignerTakesTheWindowsEventsAndTheControlsHearNone) {
  fw::TForm* form = NewForm();
  ChoiceProbe* a = NewChoice(form, "A", {10, 10, 60, 40});
  a->on_click = [&] { log.push_back("handler"); };
  hp->MoveTo(Screen(a, 5, 6));
  Settle();
  form->SetDesigner(&designer);
  Settle();
  hp->Press();
  hp->MoveTo(Screen(a, 7, 6));
  hp->Release();
  hp->Key(pf::kKeyReturn);
  Settle();
  form->WindowChar('x');
  WindowOf(form).Handler()->WindowCloseRequest();
  EXPECT_EQ(log, (Strings{"A enter", "A leave", "designer down 15,16", "designer up 17,16",
                          "designer key 13", "designer char x", "designer close"}));
  EXPECT_EQ(designer.moves, 1);
  EXPECT_TRUE(form->Visible());
  EXPECT_FALSE(hp->RequestDefaultAction(WindowOf(form), a->AccessibleId()));

  log.clear();
  form->SetDesigner(nullptr);
  Settle();
  hp->Advance(1000);  // not a double click
  hp->Press();
  hp->Release();
  Settle();
  EXPECT_EQ(log, (Strings{"A enter", "A down L 7,6", "A click", "handler", "A up L 7,6"}));
}

// The launcher's way: a form that fades in from nothing, its timer read from the description.
constexpr const char* kFadingForm = R"(TForm Designed {
  Left = 100
  Top = 50
  ClientWidth = 200
  ClientHeight = 100
  Color = clWhite
  AlphaBlend = True
  AlphaBlendValue = 0
  Visible = True
  OnCreate = Linked
  TTimer Fade {
    Interval = 50
    OnTimer = Timer2Timer
  }
}
)";

TEST_F(Designing, ADesignedFormShowsOpaqueAndStillWithTheDesignersMarksOverIt) {
  auto* form = new StandIn(app, log);
  form->SetDesigner(&designer);
  form->ReadDescription(kFadingForm);
  auto* fade = static_cast<fw::TTimer*>(form->FindComponent("Fade"));
  EXPECT_TRUE(fade->HasState(fw::ComponentState::Designing));
  hp->Key(pf::kKeyTab);  // no cue on a designed form
  hp->Advance(200);
  Settle();
  EXPECT_EQ(log, (Strings{"Linked runs", "designer key 9"}));
  EXPECT_FALSE(WindowOf(form).Layered());
  EXPECT_EQ(form->AlphaBlendValue(), 0);
  EXPECT_EQ(PixelAt(form, 5, 5), Pixel(fw::clBlue));
  EXPECT_EQ(PixelAt(form, 6, 6), Pixel(fw::clWhite));

  form->SetDesigner(nullptr);
  EXPECT_FALSE(fade->HasState(fw::ComponentState::Designing));
  hp->Advance(50);
  Settle();
  EXPECT_EQ(log.back(), "Timer2Timer stands in");
  EXPECT_TRUE(WindowOf(form).Layered());
  EXPECT_EQ(WindowOf(form).Alpha(), 0);
  EXPECT_EQ(PixelAt(form, 5, 5), Pixel(fw::clWhite));
}

// The event keeps the method's name: the writer writes it back as it was read.
TEST_F(Designing, AStandInsEventsKeepTheNamesOfMethodsItLacks) {
  auto* form = new StandIn(app, log);
  form->ReadDescription(kFadingForm);
  const fw::TComponent& fade = *form->FindComponent("Fade");
  EXPECT_EQ(fw::PropertyValueText(fade, "OnTimer"), "Timer2Timer");
  EXPECT_EQ(fw::PropertyValueText(*form, "OnCreate"), "Linked");
  EXPECT_EQ(log, Strings{"Linked runs"}) << "a method it has runs itself";
}

}  // namespace
}  // namespace qf::test
