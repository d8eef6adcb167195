// qf_designer [FILE]: a form designer. FILE is a form description in the text syntax; without
// it, a new empty form. A file that does not read opens nothing: the reader's words, with the
// line, go to a message box and to the error stream, and the exit code is 2.
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "buttoncomps/buttoncomps.h"
#include "framework/controls/application.h"
#include "platform/entry.h"
#include "platform/native_entry.h"
#include "platform/platform.h"
#include "tools/designer/designer.h"

namespace {

constexpr int kExitCannotOpen = 2;
std::vector<std::string> arguments;

int Refuse(fw::TApplication& application, const std::string& why) {
  std::fprintf(stderr, "qf_designer: %s\n", why.c_str());
  application.MessageBox(why, "qf_designer", pf::kBoxIconError);
  return kExitCannotOpen;
}

int RunDesigner() {
  // The thread's apartment, for the screen readers' server (COM's on Windows), while it runs.
  const std::unique_ptr<pf::Apartment> apartment = pf::Current().JoinApartment();
  fw::TApplication application(nullptr);
  application.Initialize();
  bc::RegisterClasses();
  if (arguments.size() > 1) return Refuse(application, "usage: qf_designer [FILE]");
  designer::DiskFiles files;
  std::optional<designer::Designer> designer;
  try {
    designer.emplace(application, files,
                     arguments.empty() ? std::nullopt : std::optional<std::string>(arguments[0]));
  } catch (const fw::Exception& e) {
    return Refuse(application, (arguments.empty() ? "" : arguments[0] + ": ") + e.Message());
  }
  try {
    application.Run();
  } catch (const fw::Exception& e) {
    application.ShowException(e);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  arguments = pf::ProgramArguments(argc, argv);
  return pf::RunNativeProgram("QfDesigner", RunDesigner);
}
