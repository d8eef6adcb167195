#pragma once
// The launcher on the headless platform: its resources registered, an application object, and
// the main form built from its description on demand.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/unit1.h"
#include "framework/controls/application.h"
#include "platform/headless/headless_platform.h"

namespace qf::test {

class HeadlessTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  pf::headless::HeadlessPlatform* hp = nullptr;
};

class AppTest : public HeadlessTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  app::TForm_Main* NewMainForm();
  // Everything pending, then the idle processing once: one turn of the main loop.
  void Settle();
  // Runs the main loop until the virtual clock has moved on by `ms`.
  void RunFor(std::uint64_t ms);
  pf::Point CentreOf(const fw::TControl* c) const;
  // Moves onto the control, lets the loop notice, then a left click.
  void ClickOn(const fw::TControl* c);
  pf::headless::HeadlessWindow& MainWindow() const;
  // The recorded events from `from` on, without their time stamps unless asked.
  std::vector<std::string> Events(std::size_t from = 0) const;

  fw::TApplication* application = nullptr;
  app::TForm_Main* form = nullptr;
};

// "1200 enable 65537 0" -> 1200.
std::uint64_t EventTime(const std::string& event);

}  // namespace qf::test
