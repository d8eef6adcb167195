// The program's arguments from the wide command line (platform/native_entry.h): the ANSI one has
// lost what the code page lacks. Linked only into programs that read their arguments.
#include <memory>

#include "platform/native_entry.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win.h"

namespace pf {

std::vector<std::string> ProgramArguments(int, char**) {
  int count = 0;
  wchar_t** words = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  const std::unique_ptr<wchar_t*, decltype(&::LocalFree)> owned(words, &::LocalFree);
  std::vector<std::string> arguments;
  for (int i = 1; words != nullptr && i < count; ++i) {
    arguments.push_back(win32::Utf8FromWide(words[i]));
  }
  return arguments;
}

}  // namespace pf
