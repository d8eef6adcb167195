// The launcher's form as a screen reader meets it on the headless platform: what it is told, the
// buttons' "press", and objects that outlive their controls.
#include <gtest/gtest.h>

#include "tests/app/app_fixture.h"

namespace qf::test {
namespace {

using Strings = std::vector<std::string>;

class Accessibility : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    NewMainForm();
    RunFor(2600);  // the fade-in is over
  }
  pf::AccessibleTree& Tree() const { return *MainWindow().Accessible(); }
  pf::AccessibleObject Object(pf::AccessibleId id) const { return *Tree().Describe(id); }
  // The child a screen reader lists under `name`.
  pf::AccessibleId Named(const std::string& name) const {
    for (pf::AccessibleId id : Tree().Children()) {
      if (Object(id).name == name) return id;
    }
    ADD_FAILURE() << "no child named " << name;
    return pf::kAccessibleWindow;
  }
  const fw::TControl* Button(const char* name) const {
    return static_cast<const fw::TControl*>(form->FindComponent(name));
  }
  pf::Rect ScreenRect(const fw::TControl* c) const {
    const pf::Point o = c->ClientToScreen({0, 0});
    return {o.x, o.y, o.x + c->Width(), o.y + c->Height()};
  }
};

// The form is a window named by the application's title; its four buttons are push buttons named
// as the artwork captions them, where their pixels are, each one the form's keyboard can stop at
// (the first in its order current, and focused with the form); the background picture is not
// listed.
TEST_F(Accessibility, TheFormAndItsFourChoicesAreDescribedAsTheyAreDrawn) {
  const pf::AccessibleObject window = Object(pf::kAccessibleWindow);
  EXPECT_EQ(window.role, pf::AccessibleRole::kWindow);
  EXPECT_EQ(window.name, "Quenfor");
  EXPECT_EQ(window.bounds, (pf::Rect{212, 184, 812, 584}));
  EXPECT_EQ(window.states, 0u);

  const struct {
    const char* button;
    const char* name;
  } kButtons[] = {{"ImageButton2", "User's Manual"},
                  {"ImageButton3", "Install Driver & Utility"},
                  {"ImageButton5", "Exit"},
                  {"ImageButton1", "Install PDF Reader"}};
  ASSERT_EQ(Tree().Children().size(), 4u);
  for (const auto& b : kButtons) {
    const pf::AccessibleObject o = Object(Named(b.name));
    EXPECT_EQ(o.role, pf::AccessibleRole::kPushButton) << b.name;
    EXPECT_EQ(o.bounds, ScreenRect(Button(b.button))) << b.name;
    const bool current = std::string(b.button) == "ImageButton3";
    EXPECT_EQ(o.states, pf::kAccessibleFocusable | (current ? pf::kAccessibleFocused : 0u))
        << b.name;
    EXPECT_EQ(o.default_action, "press") << b.name;
    const pf::Point centre = CentreOf(Button(b.button));
    EXPECT_EQ(Tree().ObjectAt(centre), Named(b.name)) << b.name;
  }
  EXPECT_EQ(Tree().ObjectAt({212 + 10, 184 + 10}), pf::kAccessibleWindow);
  EXPECT_EQ(Tree().ObjectAt({10, 10}), std::nullopt);
}

// Lit under the pointer, a button is hot; screen readers hear of it, and of the way back.
TEST_F(Accessibility, ALitButtonIsHotAndScreenReadersHearOfIt) {
  const pf::AccessibleId driver = Named("Install Driver & Utility");
  const std::string told = std::to_string(MainWindow().Handle()) + " " + std::to_string(driver);
  hp->accessible_events.clear();
  const unsigned current = pf::kAccessibleFocusable | pf::kAccessibleFocused;
  hp->MoveTo(CentreOf(Button("ImageButton3")));
  Settle();
  EXPECT_EQ(Object(driver).states, pf::kAccessibleHot | current);
  hp->MoveTo({212 + 300, 184 + 40});
  Settle();
  EXPECT_EQ(Object(driver).states, current);
  EXPECT_EQ(hp->accessible_events, (Strings{told + " state", told + " state"}));
}

// "press" runs what a click runs, from the loop; during the launch pause the form takes no input,
// every button is unavailable and a press is refused, as a click would be.
TEST_F(Accessibility, PressRunsTheClickAndIsRefusedDuringTheLaunchPause) {
  const pf::AccessibleId manual = Named("User's Manual");
  const pf::AccessibleId driver = Named("Install Driver & Utility");
  Strings states_during;
  bool refused_during = false;
  hp->shell_accepts = [&](const pf::ShellRequest&) {
    states_during.push_back(std::to_string(Object(driver).states));
    refused_during = !hp->RequestDefaultAction(MainWindow(), driver);
    return true;
  };
  ASSERT_TRUE(hp->RequestDefaultAction(MainWindow(), manual));
  EXPECT_TRUE(hp->shell_requests.empty()) << "ran inside the request";
  RunFor(2000);
  ASSERT_EQ(hp->shell_requests.size(), 1u);
  EXPECT_EQ(hp->shell_requests[0].file, "D:\\\\USER MANUAL\\QRV512LD3T8.pdf");
  EXPECT_EQ(hp->debug_output.size(), 5u);  // the banner and the target, as for a click
  // Minimised, the form has no focus: its current choice is not focused.
  EXPECT_EQ(states_during,
            Strings{std::to_string(pf::kAccessibleUnavailable | pf::kAccessibleFocusable)});
  EXPECT_TRUE(refused_during);
  EXPECT_EQ(Object(driver).states, unsigned{pf::kAccessibleFocusable})
      << "available again after the pause";
}

// A control that goes while a screen reader holds its object: the object answers no more, and a
// press on it is refused.
TEST_F(Accessibility, ObjectsOfControlsThatAreGoneAnswerNothing) {
  const pf::AccessibleId reader = Named("Install PDF Reader");
  hp->accessible_events.clear();
  delete form->FindComponent("ImageButton1");
  EXPECT_EQ(Tree().Describe(reader), std::nullopt);
  EXPECT_FALSE(hp->RequestDefaultAction(MainWindow(), reader));
  EXPECT_EQ(Tree().Children().size(), 3u);
  Settle();
  EXPECT_EQ(hp->accessible_events, Strings{std::to_string(MainWindow().Handle()) + " " +
                                           std::to_string(reader) + " destroyed"});
}

}  // namespace
}  // namespace qf::test
