// The three launch actions through a real click: the banner and target on the debugger output,
// the shell request, and the pause with the window minimised and the form disabled.
#include <gtest/gtest.h>

#include "app/run_file.h"
#include "tests/app/app_fixture.h"

namespace qf::test {
namespace {

using Strings = std::vector<std::string>;

Strings Banner(const std::string& function, int first) {
  const char* messages[] = {
      "Orvandel - This is a program for the modem driver install",
      "Copyright (C) Tolvane Corporation. All rights reserved.",
      "Program name        : Orvandel.exe",
      "Version             : V1.0",
  };
  Strings lines;
  for (int i = 0; i < 4; ++i) {
    char number[8];
    std::snprintf(number, sizeof number, "%4d", first + i);
    lines.push_back(function + "(" + number + ") : " + messages[i] + "\n");
  }
  return lines;
}

struct Action {
  const char* button;
  const char* function;
  int first_number;
  const char* target;  // from D:\ on Windows XP
};

const Action kActions[] = {
    {"ImageButton3", "TForm_Main::ImageButton3Click", 109, "D:\\DRIVER\\SETUP.EXE"},
    {"ImageButton2", "TForm_Main::ImageButton2Click", 89, "D:\\\\USER MANUAL\\QRV512LD3T8.pdf"},
    {"ImageButton1", "TForm_Main::ImageButton1Click", 174, "D:\\ACROBAT READER\\Setup8.exe"},
};

class Launch : public AppTest, public ::testing::WithParamInterface<Action> {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    NewMainForm();
    RunFor(100);  // two fade-in ticks; the fade goes on through the action
    hp->debug_output.clear();
    first_event = hp->events.size();
  }
  const fw::TControl* Button() const {
    return static_cast<const fw::TControl*>(form->FindComponent(GetParam().button));
  }
  std::size_t first_event = 0;
};

TEST_P(Launch, WritesTheBannerThenTheTarget) {
  ClickOn(Button());
  Strings expected = Banner(GetParam().function, GetParam().first_number);
  expected.push_back(GetParam().target);
  EXPECT_EQ(hp->debug_output, expected);
}

TEST_P(Launch, AsksTheShellToOpenTheTargetForTheApplication) {
  ClickOn(Button());
  ASSERT_EQ(hp->shell_requests.size(), 1u);
  const pf::ShellRequest& r = hp->shell_requests[0];
  EXPECT_EQ(r.verb, "open");
  EXPECT_EQ(r.file, GetParam().target);
  EXPECT_EQ(r.parameters, "");
  EXPECT_FALSE(r.directory.has_value());
  EXPECT_EQ(r.show, 5);
  EXPECT_EQ(r.mask, 0x8040u);
  EXPECT_EQ(r.owner, pf::headless::HeadlessPlatform::kApplicationHandle);
  // The process handle is closed at once, not kept.
  EXPECT_EQ(hp->open_processes, 0);
}

// The focus waits for the user to bring the window back: the started program keeps the screen.
TEST_P(Launch, MinimisesAndDisablesForTwelvePassesThenEnablesAndFocusesOnRestore) {
  const std::string handle = std::to_string(MainWindow().Handle());
  ClickOn(Button());
  const Strings events = Events(first_event);
  EXPECT_EQ(events, (Strings{"minimize", "enable " + handle + " 0",
                             std::string("shell open ") + GetParam().target,
                             "enable " + handle + " 1"}));
  const std::uint64_t start = EventTime(hp->events[first_event]);
  EXPECT_EQ(EventTime(hp->events[first_event + 1]), start);
  EXPECT_EQ(EventTime(hp->events[first_event + 3]) - start, 1200u);
  EXPECT_EQ(hp->slept_ms, 1200u);
  EXPECT_TRUE(hp->application_minimized);
  EXPECT_TRUE(form->GetEnabled());
  hp->RestoreApplication();
  Settle();
  EXPECT_EQ(Events(first_event + events.size()), (Strings{"restore", "focus " + handle}));
}

TEST_P(Launch, GoesOnTheSameWayWhenTheShellRefuses) {
  hp->shell_accepts = [](const pf::ShellRequest&) { return false; };
  const std::string handle = std::to_string(MainWindow().Handle());
  ClickOn(Button());
  EXPECT_EQ(Events(first_event).back(), "enable " + handle + " 1");
  EXPECT_EQ(hp->slept_ms, 1200u);
  EXPECT_TRUE(form->GetEnabled());
}

TEST_P(Launch, PaintsAndFadesDuringThePauseButTakesNoInput) {
  const std::uint64_t start = hp->Now() + 1;  // scripted times fall inside the pause
  int paints_before = 0;
  int paints_after = 0;
  bool disabled_midway = false;
  hp->At(start + 500, [&] {
    paints_before = MainWindow().paint_count;
    disabled_midway = !MainWindow().Enabled();
    form->Invalidate();
    hp->Click(CentreOf(form->ImageButton3));  // the disabled, minimised window ignores it
  });
  hp->At(start + 800, [&] { paints_after = MainWindow().paint_count; });
  const std::size_t steps = hp->opacity_steps.size();
  ClickOn(Button());
  EXPECT_TRUE(disabled_midway);
  EXPECT_GT(paints_after, paints_before);
  EXPECT_EQ(hp->shell_requests.size(), 1u);
  // The fade-in timer ticks once per pass while the queue is pumped.
  ASSERT_GT(hp->opacity_steps.size(), steps + 10);
  EXPECT_LT(hp->opacity_steps[steps + 10].time_ms, start + 1200);
}

INSTANTIATE_TEST_SUITE_P(EachAction, Launch, ::testing::ValuesIn(kActions),
                         [](const auto& info) { return std::string(info.param.button); });

// ---- targets from other folders and Windows versions ----------------------------------

struct ReaderCase {
  std::uint32_t major;
  std::uint32_t minor;
  const char* exe;
  const char* target;
};

class ReaderTarget : public AppTest, public ::testing::WithParamInterface<ReaderCase> {};

TEST_P(ReaderTarget, DependsOnTheWindowsVersionAndTheFolder) {
  hp->os_version.major = GetParam().major;
  hp->os_version.minor = GetParam().minor;
  hp->executable_path = GetParam().exe;
  NewMainForm();
  ClickOn(form->ImageButton1);
  ASSERT_EQ(hp->shell_requests.size(), 1u);
  EXPECT_EQ(hp->shell_requests[0].file, GetParam().target);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, ReaderTarget,
    ::testing::Values(ReaderCase{6, 0, "D:\\Quenfor.exe", "D:\\ACROBAT READER\\Setup8.exe"},
                      ReaderCase{6, 1, "D:\\Quenfor.exe", "D:\\ACROBAT READER\\Setup8.exe"},
                      ReaderCase{6, 2, "D:\\Quenfor.exe", "D:\\ACROBAT READER\\Setup8.exe"},
                      ReaderCase{6, 3, "D:\\Quenfor.exe", "D:\\ACROBAT READER\\Setup8.exe"},
                      ReaderCase{5, 1, "D:\\Quenfor.exe", "D:\\ACROBAT READER\\Setup8.exe"},
                      ReaderCase{5, 2, "D:\\Quenfor.exe", "D:\\ACROBAT READER\\Setup8.exe"},
                      ReaderCase{5, 0, "D:\\Quenfor.exe", "D:\\ACROBAT READER\\SETUP.EXE"},
                      ReaderCase{4, 0, "D:\\Quenfor.exe", "D:\\ACROBAT READER\\SETUP.EXE"},
                      ReaderCase{4, 90, "D:\\Quenfor.exe", "D:\\ACROBAT READER\\SETUP.EXE"},
                      ReaderCase{10, 0, "D:\\Quenfor.exe", "D:\\ACROBAT READER\\SETUP.EXE"},
                      ReaderCase{5, 0, "D:\\Disc\\Quenfor.exe", "D:\\Disc\\\\ACROBAT READER\\SETUP.EXE"},
                      ReaderCase{5, 1, "D:\\Disc\\Quenfor.exe", "D:\\Disc\\\\ACROBAT READER\\Setup8.exe"}));

TEST_F(AppTest, DriverAndManualTargetsFromAFolder) {
  hp->executable_path = "D:\\Disc\\Quenfor.exe";
  NewMainForm();
  ClickOn(form->ImageButton3);
  hp->RestoreApplication();  // the user brings the window back from the taskbar
  ClickOn(form->ImageButton2);
  ASSERT_EQ(hp->shell_requests.size(), 2u);
  EXPECT_EQ(hp->shell_requests[0].file, "D:\\Disc\\DRIVER\\SETUP.EXE");
  EXPECT_EQ(hp->shell_requests[1].file, "D:\\Disc\\\\USER MANUAL\\QRV512LD3T8.pdf");
}

// A copy in a folder named outside the texts' code page (C:\Заг\Café\): the shell gets the
// path whole; the trace line shows it as the system writes paths in its texts.
TEST_F(AppTest, AFolderNamedInAnyScriptReachesTheShellWhole) {
  hp->executable_path = "C:\\\xD0\x97\xD0\xB0\xD0\xB3\\Caf\xC3\xA9\\Quenfor.exe";
  NewMainForm();
  ClickOn(form->ImageButton3);
  ASSERT_EQ(hp->shell_requests.size(), 1u);
  EXPECT_EQ(hp->shell_requests[0].file,
            "C:\\\xD0\x97\xD0\xB0\xD0\xB3\\Caf\xC3\xA9\\DRIVER\\SETUP.EXE");
  EXPECT_EQ(hp->debug_output.back(), "C:\\???\\Caf\xE9\\DRIVER\\SETUP.EXE");
}

TEST_F(AppTest, ReaderWithAShortPathShowsPathErrorAndStops) {
  hp->executable_path = "Quenfor.exe";
  NewMainForm();
  const std::size_t first = hp->events.size();
  ClickOn(form->ImageButton1);
  ASSERT_EQ(hp->message_boxes.size(), 1u);
  const pf::headless::MessageBoxCall& box = hp->message_boxes[0];
  EXPECT_EQ(box.text, "Path Error");
  EXPECT_EQ(box.caption, "Information");
  EXPECT_EQ(box.flags, 0x40040u);
  EXPECT_EQ(box.owner, pf::headless::HeadlessPlatform::kApplicationHandle);
  // No launch sequence for an empty target: not minimised, never disabled, nothing opened.
  EXPECT_EQ(Events(first), Strings{"messagebox Path Error"});
  EXPECT_TRUE(hp->shell_requests.empty());
  EXPECT_EQ(hp->debug_output.size(), 4u);
  EXPECT_EQ(hp->slept_ms, 0u);
}

// ---- the pieces ------------------------------------------------------------------------

TEST(DebugTrace, FormatsFunctionNumberAndMessage) {
  EXPECT_EQ(app::TraceLine("F", 7, "m"), "F(   7) : m\n");
  EXPECT_EQ(app::TraceLine("TForm_Main::X", 12345, ""), "TForm_Main::X(12345) : \n");
}

TEST(DebugTrace, CutsAnyLineAt511Characters) {
  const std::string message(2000, 'x');
  const std::string line = app::TraceLine("TForm_Main::ImageButton3Click", 109, message.c_str());
  ASSERT_EQ(line.size(), 511u);
  EXPECT_EQ(line.substr(0, 38), "TForm_Main::ImageButton3Click( 109) : ");
  EXPECT_EQ(line.back(), 'x');
  const std::string function(1000, 'f');
  EXPECT_EQ(app::TraceLine(function.c_str(), 1, "m").size(), 511u);
  // One character short of the limit keeps its line feed.
  const std::string fits(511 - 1 - 10, 'y');
  EXPECT_EQ(app::TraceLine("F", 1, fits.c_str()).back(), '\n');
  EXPECT_EQ(app::TraceLine("F", 1, fits.c_str()).size(), 511u);
}

TEST(PausePasses, SinglePrecisionOnePointOneGivesTwelve) {
  EXPECT_EQ(app::PausePasses(app::kLaunchDelay), 12);
  EXPECT_EQ(app::PausePasses(1.0f), 10);
  EXPECT_EQ(app::PausePasses(0.0f), 0);
}

TEST_F(AppTest, ShellRunReportsTheShellsAnswerAndKeepsNoHandle) {
  EXPECT_TRUE(app::ShellRun("D:\\A.EXE", "", true));
  EXPECT_TRUE(app::ShellRun("D:\\B.EXE", "-q", false));
  hp->shell_accepts = [](const pf::ShellRequest&) { return false; };
  EXPECT_FALSE(app::ShellRun("", "", false));
  EXPECT_EQ(hp->open_processes, 0);
  EXPECT_EQ(hp->debug_output, (Strings{"D:\\A.EXE", "D:\\B.EXE", ""}));
  ASSERT_EQ(hp->shell_requests.size(), 3u);
  EXPECT_EQ(hp->shell_requests[1].parameters, "-q");
}

}  // namespace
}  // namespace qf::test
