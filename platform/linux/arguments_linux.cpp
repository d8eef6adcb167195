// The program's arguments (platform/native_entry.h): the file system's bytes, UTF-8.
#include "platform/native_entry.h"

namespace pf {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

}  // namespace pf
