// The form-description reader, fed raw bytes through its one entry point (either syntax it
// knows), into a form whose methods the description may name and whose classes are the five
// buttons, TImage and TTimer (the seeds hold one of each). It publishes no fields: a field
// demands its component, and every input without all of them would end before the form is shown.
// A description that reads is shown, painted, driven over with the pointer (onto, press and
// release on each control, then off) and its timers run, then written back: what the writer
// writes must read back and write the same again.
// Anything but the framework's own exceptions is a finding.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "buttoncomps/buttoncomps.h"
#include "framework/controls/application.h"
#include "framework/description/reader.h"
#include "framework/description_tools/text_parser.h"
#include "framework/description_tools/writer.h"
#include "fuzz/fuzz_check.h"
#include "platform/headless/headless_platform.h"

namespace {

class TFuzzForm : public fw::TForm {
 public:
  explicit TFuzzForm(fw::TComponent* owner) : fw::TForm(owner) {
    PublishMethod("FormCreate", &TFuzzForm::Notify);
    PublishMethod("ButtonClick", &TFuzzForm::Notify);
    PublishMethod("TimerTick", &TFuzzForm::Notify);
    PublishMethod("ButtonDown", &TFuzzForm::Mouse);
    PublishMethod("ButtonUp", &TFuzzForm::Mouse);
    PublishMethod("ButtonMove", &TFuzzForm::PointerMove);
  }
  // Reads with the reader's own entry point, as a program's form does.
  void Read(std::string_view bytes) { ReadDescription(bytes); }

 private:
  void Notify(fw::TObject*) { ++calls_; }
  void Mouse(fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) { ++calls_; }
  void PointerMove(fw::TObject*, fw::TShiftState, int, int) { ++calls_; }
  int calls_ = 0;
};

// Everything pending, then the idle processing: one turn of the loop.
void Settle(pf::headless::HeadlessPlatform& hp, fw::TApplication& app) {
  app.ProcessMessages();
  for (pf::headless::HeadlessWindow* w : hp.Windows()) w->Update();
  app.Idle();
}

void DriveThePointer(pf::headless::HeadlessPlatform& hp, fw::TApplication& app, TFuzzForm& form) {
  std::vector<fw::TControl*> controls;
  for (int i = 0; i < form.ControlCount(); ++i) controls.push_back(form.Controls(i));
  for (fw::TControl* c : controls) {
    const pf::Point centre = c->ClientToScreen({c->Width() / 2, c->Height() / 2});
    hp.MoveTo(centre);
    Settle(hp, app);
    hp.Press();
    Settle(hp, app);
    hp.Release();
    Settle(hp, app);
  }
  hp.MoveTo({-1, -1});
  Settle(hp, app);
  hp.Advance(300);  // timers tick, a pressed look times out
  Settle(hp, app);
}

std::string WriteAndReadBack(const TFuzzForm& form) {
  const std::string text = fw::WriteComponent(form);
  auto again = std::make_unique<TFuzzForm>(nullptr);  // its name may equal the first one's
  fw::ReadComponent(text, *again);
  return fw::WriteComponent(*again);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  pf::Install(std::make_unique<pf::headless::HeadlessPlatform>());
  auto& hp = static_cast<pf::headless::HeadlessPlatform&>(pf::Current());
  {
    fw::TApplication app(nullptr);
    app.Initialize();              // the framework's classes, as the program's start registers them
    bc::RegisterClasses();         // and the buttons'
    fw::AcceptTextDescriptions();  // both syntaxes, as the converter and the tools read them
    auto* form = new TFuzzForm(&app);
    bool read = false;
    try {
      form->Read({reinterpret_cast<const char*>(data), size});
      read = true;
    } catch (const fw::Exception&) {
    }
    if (read) {
      try {
        form->Show();
        Settle(hp, app);
        DriveThePointer(hp, app, *form);
      } catch (const fw::Exception&) {
        // A control may refuse what the pointer asks of it; the round trip below still holds.
      }
      const std::string written = fw::WriteComponent(*form);
      std::string again;
      try {
        again = WriteAndReadBack(*form);
      } catch (const fw::Exception& e) {
        std::fprintf(stderr, "what the writer wrote does not read back: %s\n%s\n", e.what(),
                     written.c_str());
        QF_FUZZ_CHECK(false);
      }
      if (again != written) {
        std::fprintf(stderr, "first:\n%s\nagain:\n%s\n", written.c_str(), again.c_str());
      }
      QF_FUZZ_CHECK(again == written);
    }
  }
  pf::Uninstall();
  return 0;
}
