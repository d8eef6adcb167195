#pragma once
// How a Unix desktop names a program: as its executable is named, in lower case ("quenfor"), in
// the error stream and the windows' class hint; its own name ("Quenfor") is the class.
#include <string>
#include <string_view>

namespace pf::linux_x {

inline std::string UnixProgramName(std::string_view name) {
  std::string lower(name);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

}  // namespace pf::linux_x
