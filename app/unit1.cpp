#include "app/unit1.h"

#include "app/halvo_mixer.h"
#include "app/run_file.h"
#include "framework/controls/application.h"
#include "framework/controls/program_resources.h"
#include "platform/platform.h"

namespace app {

TForm_Main* Form_Main = nullptr;

namespace {

constexpr int kFadeStep = 5;
constexpr int kFadeLast = 244;  // above this the window goes straight to full opacity

const char* const kBanner[] = {
    "Orvandel - This is a program for the modem driver install",
    "Copyright (C) Tolvane Corporation. All rights reserved.",
    "Program name        : Orvandel.exe",
    "Version             : V1.0",
};

void WriteBanner(const char* function, int first_number) {
  for (int i = 0; i < 4; ++i) DebugTrace(function, first_number + i, kBanner[i]);
}

}  // namespace

const fw::ClassInfo& TForm_Main::StaticClass() {
  static const fw::ClassInfo info = fw::NewClass("TForm_Main", &fw::TForm::StaticClass());
  return info;
}

TForm_Main::TForm_Main(fw::TComponent* owner) : fw::TForm(owner) {
  PublishMembers();
  ReadDescription(fw::ProgramResource("Form_Main"));
  AppPath = ExtractFilePath(fw::Application->ExeName());
}

TForm_Main::~TForm_Main() = default;

void TForm_Main::PublishMembers() {
  PublishField("Image1", &Image1);
  PublishField("ImageButton3", &ImageButton3);
  PublishField("ImageButton2", &ImageButton2);
  PublishField("ImageButton1", &ImageButton1);
  PublishField("ImageButton5", &ImageButton5);
  PublishField("Timer2", &Timer2);
  PublishMethod("Timer2Timer", &TForm_Main::Timer2Timer);
  PublishMethod("ImageButton5Click", &TForm_Main::ImageButton5Click);
  PublishMethod("ImageButton3Click", &TForm_Main::ImageButton3Click);
  PublishMethod("ImageButton2Click", &TForm_Main::ImageButton2Click);
  PublishMethod("ImageButton1Click", &TForm_Main::ImageButton1Click);
  PublishMethod("FormDestroy", &TForm_Main::FormDestroy);
}

void TForm_Main::Timer2Timer(fw::TObject*) {
  SetAlphaBlendValue(static_cast<std::uint8_t>(AlphaBlendValue() + kFadeStep));
  if (AlphaBlendValue() > kFadeLast) {
    SetAlphaBlendValue(255);
    Timer2->SetEnabled(false);
  }
}

void TForm_Main::ImageButton5Click(fw::TObject*) { Close(); }

void TForm_Main::FormDestroy(fw::TObject*) { ClearSpeakerMute(); }

// ---- the launch actions ---------------------------------------------------------------

void TForm_Main::ImageButton3Click(fw::TObject*) {
  WriteBanner("TForm_Main::ImageButton3Click", 109);
  LaunchTarget(DriverTarget(AppPath));
}

void TForm_Main::ImageButton2Click(fw::TObject*) {
  WriteBanner("TForm_Main::ImageButton2Click", 89);
  LaunchTarget(ManualTarget(AppPath));
}

void TForm_Main::ImageButton1Click(fw::TObject*) {
  WriteBanner("TForm_Main::ImageButton1Click", 174);
  const fw::String target = ReaderTarget(AppPath, pf::Current().GetOsVersion());
  if (target.empty()) {
    // Nothing to open: the action ends here, with the window left as it is.
    fw::Application->MessageBox("Path Error", "Information", pf::kBoxIconInformation | pf::kBoxTopmost);
    return;
  }
  LaunchTarget(target);
}

void TForm_Main::LaunchTarget(const fw::String& target) {
  fw::Application->Minimize();
  TRunFile guard(target, *this, kLaunchDelay);
  guard.Run();  // a refused request goes on exactly like an accepted one
}

// ---- paths ----------------------------------------------------------------------------

fw::String ExtractFilePath(const fw::String& exe_name) {
  const auto delimiter = exe_name.find_last_of("\\/:");
  return delimiter == fw::String::npos ? fw::String() : exe_name.substr(0, delimiter + 1);
}

fw::String DriverTarget(const fw::String& app_path) { return app_path + "DRIVER\\SETUP.EXE"; }

fw::String ManualTarget(const fw::String& app_path) {
  return app_path + "\\USER MANUAL\\QRV512LD3T8.pdf";
}

bool WantsNewerReader(const pf::OsVersion& version) {
  return version.major == 6 || (version.major == 5 && version.minor >= 1);
}

fw::String ReaderTarget(const fw::String& app_path, const pf::OsVersion& version) {
  const char* installer = WantsNewerReader(version) ? "Setup8.exe" : "SETUP.EXE";
  if (app_path.size() == 3) return app_path + "ACROBAT READER\\" + installer;
  if (app_path.size() > 3) return app_path + "\\ACROBAT READER\\" + installer;
  return {};
}

}  // namespace app
