// A stand-in for the programs a demo disc would start: the driver installer, the two PDF reader
// installers and a PDF viewer. It says which program it stands in for; with QF_STANDIN_LOG set it
// says nothing and appends one line to that file instead: its own path, then each argument, all
// separated by '|'. The end-to-end test reads that line.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/native_entry.h"
#include "platform/platform.h"

namespace {


using Arguments = std::vector<std::string>;

// Its own path and the arguments as given, whatever script names them (UTF-8).
std::string Record(const Arguments& arguments) {
  std::string line = pf::Current().ExecutablePath();
  for (const std::string& argument : arguments) line += "|" + argument;
  return line;
}

bool Append(const char* path, const std::string& line) {
  std::FILE* f = std::fopen(path, "ab");
  if (!f) return false;
  const bool ok = std::fprintf(f, "%s\n", line.c_str()) > 0;
  return std::fclose(f) == 0 && ok;
}

std::string Explain(const Arguments& arguments) {
  pf::Platform& platform = pf::Current();
  std::string text = "This demo disc carries no real installers.\n\nStarted: " +
                     platform.PathText(platform.ExecutablePath());
  if (!arguments.empty()) text += "\nDocument: " + platform.PathText(arguments[0]);
  return text + "\n\nThe real program would start here.";
}

}  // namespace

int main(int argc, char** argv) {
  pf::Install(pf::CreateNativePlatform("QfStandin"));
  const Arguments arguments = pf::ProgramArguments(argc, argv);
  int code = 0;
  if (const char* log = std::getenv("QF_STANDIN_LOG")) {
    code = Append(log, Record(arguments)) ? 0 : 1;
  } else {
    pf::Current().MessageBox(0, Explain(arguments), "Orvandel demo disc", pf::kBoxIconInformation);
  }
  pf::Uninstall();
  return code;
}
