#pragma once
// A headless platform, an application object and a form per test, plus a control that logs what
// reaches it.
#include <memory>
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

 private:
  std::string Describe(const char* what, fw::TMouseButton b, fw::TShiftState s, int x, int y) const;
  std::vector<std::string>& log_;
  fw::TColor fill_;
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
  pf::Point Screen(const fw::TControl* c, int x, int y) const { return c->ClientToScreen({x, y}); }
  pf::headless::HeadlessWindow& WindowOf(const fw::TForm* form) const;

  pf::headless::HeadlessPlatform* hp = nullptr;
  fw::TApplication* app = nullptr;
  std::vector<std::string> log;
};

}  // namespace qf::test
