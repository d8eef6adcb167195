// The program: one copy at a time, the main form, the message loop, and the one place where
// exceptions are caught and shown. The exit code is 0 on every path; what escapes (a box that
// could not be shown) is the native entry's to report.
#include "app/quenfor.h"

#include <memory>

#include "app/form_classes.h"
#include "app/unit1.h"
#include "framework/controls/application.h"
#include "platform/entry.h"
#include "platform/platform.h"

namespace {

constexpr const char* kInstanceMarker = "TOLVANE-quenfor";

void RunApplication(fw::TApplication& application) {
  try {
    application.Initialize();
    app::RegisterFormClasses();
    application.CreateForm(app::Form_Main);
    application.Run();
  } catch (const fw::Exception& e) {
    application.ShowException(e);
  } catch (...) {
    // Not one of the framework's: its own words, or "Out of memory".
    application.ShowException(fw::Exception(pf::CurrentExceptionText()));
  }
}

}  // namespace

int Quenfor() {
  pf::MarkerResult marker = pf::Current().TakeInstanceMarker(kInstanceMarker);
  // Another copy runs: leave silently; the handle closes as `marker` goes.
  if (marker.already_exists) return 0;
  // Joined before the main form and the first shell request, left after the mute is cleared:
  // the shell, the screen readers and the endpoint share it.
  const std::unique_ptr<pf::Apartment> apartment = pf::Current().JoinApartment();
  {
    auto application = std::make_unique<fw::TApplication>(nullptr);
    RunApplication(*application);
  }  // the form goes here, clearing the speakers' mute on its way
  app::Form_Main = nullptr;
  if (marker.marker) marker.marker->Release();
  return 0;
}
