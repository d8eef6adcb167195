// A program with two forms on the X platform, the second made first: a document shown before the
// main form, as a designer opens one. Closing the document hides it; closing the main form ends
// the program. It prints each form's close as it happens.
#include <cstdio>

#include "framework/controls/application.h"
#include "platform/native_entry.h"

namespace {

class TReportingForm : public fw::TForm {
 public:
  TReportingForm(fw::TComponent* owner, const char* caption, int left) : fw::TForm(owner) {
    SetCaption(caption);
    SetBounds(left, 100, 200, 120);
    OnClose = [this] { std::printf("%s closes\n", Caption().c_str()), std::fflush(stdout); };
  }
  void WindowCloseRequest() override {
    if (OnClose) OnClose();
    fw::TForm::WindowCloseRequest();
  }
  std::function<void()> OnClose;
};

class TMainForm : public TReportingForm {
 public:
  explicit TMainForm(fw::TComponent* owner) : TReportingForm(owner, "Main", 400) {}
};

int TwoForms() {
  fw::TApplication application(nullptr);
  application.Initialize();
  auto* document = new TReportingForm(&application, "Document", 100);
  document->Show();
  TMainForm* main_form = nullptr;
  application.CreateForm(main_form);
  application.Run();
  std::printf("ended, the document %s\n", document->Visible() ? "shown" : "hidden");
  return 0;
}

}  // namespace

int main() { return pf::RunNativeProgram("QfTwoForms", TwoForms); }
