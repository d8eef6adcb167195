// A stand-in for the programs a demo disc would start: the driver installer, the two PDF reader
// installers and a PDF viewer. It says which program it stands in for; with QF_STANDIN_LOG set it
// says nothing and appends one line to that file instead: its own path, then each argument, all
// separated by '|'. The end-to-end test reads that line.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/platform.h"

namespace {


std::string Record(int argc, char** argv) {
  std::string line = pf::Current().ExecutablePath();
  for (int i = 1; i < argc; ++i) line += std::string("|") + argv[i];
  return line;
}

bool Append(const char* path, const std::string& line) {
  std::FILE* f = std::fopen(path, "ab");
  if (!f) return false;
  const bool ok = std::fprintf(f, "%s\n", line.c_str()) > 0;
  return std::fclose(f) == 0 && ok;
}

std::string Explain(int argc, char** argv) {
  std::string text = "This demo disc carries no real installers.\n\nStarted: " + pf::Current().ExecutablePath();
  if (argc > 1) text += std::string("\nDocument: ") + argv[1];
  return text + "\n\nThe real program would start here.";
}

}  // namespace

int main(int argc, char** argv) {
  pf::Install(pf::CreateNativePlatform());
  int code = 0;
  if (const char* log = std::getenv("QF_STANDIN_LOG")) {
    code = Append(log, Record(argc, argv)) ? 0 : 1;
  } else {
    pf::Current().MessageBox(0, Explain(argc, argv), "Orvandel demo disc", pf::kBoxIconInformation);
  }
  pf::Uninstall();
  return code;
}
