// A form read from a form description, for the X-driven test (xdotool_test.sh): borderless,
// centred, transparent until the pointer first moves over it, then fading in through its timer;
// a click on its button closes it and the program ends with code 0. So the whole road from the X
// server through Win32 and the framework's click rule to a control's handler is exercised.
#include <cstdio>

#include "buttoncomps/buttoncomps.h"
#include "framework/controls/application.h"
#include "framework/controls/timer.h"
#include "framework/description_tools/text_parser.h"
#include "platform/platform.h"

namespace {

constexpr const char* kDescription = R"(TProbeForm ProbeForm {
  BorderStyle = bsNone
  Position = poScreenCenter
  ClientWidth = 300
  ClientHeight = 200
  AlphaBlend = True
  AlphaBlendValue = 0
  Color = $00A56934
  Visible = True
  Caption = "Quenfor probe"
  TSelButton Target {
    Left = 100
    Top = 60
    Width = 100
    Height = 40
    Caption = "Close"
    OnMouseUp = TargetMouseUp
    OnClick = TargetClick
  }
  TTimer Fade {
    Enabled = False
    Interval = 150
    OnTimer = FadeTimer
  }
}
)";

class TProbeForm : public fw::TForm {
  QF_PUBLISHED_CLASS()

 public:
  explicit TProbeForm(fw::TComponent* owner) : fw::TForm(owner) {
    PublishMethod("TargetClick", &TProbeForm::TargetClick);
    PublishMethod("TargetMouseUp", &TProbeForm::TargetMouseUp);
    PublishMethod("FadeTimer", &TProbeForm::FadeTimer);
    PublishField("Target", &Target);
    PublishField("Fade", &Fade);
    OnMouseMove = fw::TMouseMoveEvent([this](fw::TObject*, fw::TShiftState, int, int) {
      Fade->SetEnabled(true);
    });
    ReadDescription(kDescription);
  }

  void TargetClick(fw::TObject*) {
    pf::Current().DebugOutput("probe: click\n");
    clicked = true;
    Close();
  }
  void TargetMouseUp(fw::TObject*, fw::TMouseButton, fw::TShiftState, int x, int y) {
    char line[64];
    std::snprintf(line, sizeof(line), "probe: release at %d,%d\n", x, y);
    pf::Current().DebugOutput(line);
  }
  void FadeTimer(fw::TObject*) {
    SetAlphaBlendValue(AlphaBlendValue() + 51);
    if (AlphaBlendValue() == 255) Fade->SetEnabled(false);
  }

  bc::TSelButton* Target = nullptr;
  fw::TTimer* Fade = nullptr;
  bool clicked = false;
};

const fw::ClassInfo& TProbeForm::StaticClass() {
  static const fw::ClassInfo info = fw::NewClass("TProbeForm", &fw::TForm::StaticClass());
  static const bool registered = (fw::RegisterClass(info), true);
  (void)registered;
  return info;
}

}  // namespace

int main() {
  pf::Install(pf::CreateNativePlatform("QfProbe"));
  int code = 3;
  {
    fw::TApplication application(nullptr);
    application.Initialize();
    bc::RegisterClasses();
    fw::AcceptTextDescriptions();
    TProbeForm* form = nullptr;
    application.CreateForm(form);
    const auto give_up = pf::Current().StartTimer(20000, [&] { application.Terminate(); });
    application.Run();
    pf::Current().StopTimer(give_up);
    if (form->clicked) code = 0;
  }
  pf::Uninstall();
  return code;
}
