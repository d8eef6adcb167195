#pragma once
// A headless platform, an application object and a form per test, plus a control that logs what
// reaches it.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/controls/application.h"
#include "framework/controls/forms.h"
#include "framework/controls/graphic_control.h"
#include "platform/headless/headless_platform.h"

namespace qf::test {

class Probe : public fw::TGraphicControl {
 public:
  Probe(fw::TComponent* owner, std::vector<std::string>& log, fw::TColor fill = fw::clRed);
  void MouseDown(fw::TMouseButton b, fw::TShiftState s, int x, int y) override;
  void MouseUp(fw::TMouseButton b, fw::TShiftState s, int x, int y) override;
  void Click() override;
  void Dispatch(fw::TMessage& m) override;
  void Paint() override;
  std::function<void()> on_click;

 protected:
  std::vector<std::string>& log_;

 private:
  std::string Describe(const char* what, fw::TMouseButton b, fw::TShiftState s, int x, int y) const;
  fw::TColor fill_;
};

// A probe that is one of its form's choices (a push button): it logs the keys it is offered and
// takes those in `takes`, and logs the characters it gets.
class ChoiceProbe : public Probe {
 public:
  using Probe::Probe;
  std::optional<pf::AccessibleRole> AccessibleRole() const override {
    return pf::AccessibleRole::kPushButton;
  }
  bool KeyDown(unsigned key, fw::TShiftState shift) override;
  void KeyPress(char c) override;
  std::vector<unsigned> takes;
};

class UiTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Everything pending, then the idle processing once: one turn of the main loop.
  void Settle();
  // A visible form at screen (100, 50), 200 x 100, owned by the application.
  fw::TForm* NewForm();
  Probe* NewProbe(fw::TForm* form, const std::string& name, pf::Rect bounds,
                  fw::TColor fill = fw::clRed);
  ChoiceProbe* NewChoice(fw::TForm* form, const std::string& name, pf::Rect bounds);
  pf::Point Screen(const fw::TControl* c, int x, int y) const { return c->ClientToScreen({x, y}); }
  pf::headless::HeadlessWindow& WindowOf(const fw::TForm* form) const;

  pf::headless::HeadlessPlatform* hp = nullptr;
  fw::TApplication* app = nullptr;
  std::vector<std::string> log;
};

}  // namespace qf::test
