#include <new>
#include <string_view>
#include <typeinfo>

#include "platform/entry.h"

namespace pf {
namespace {

// The last name of a class from its mangled name: "N2fw10EReadErrorE" (fw::EReadError) and
// "St13runtime_error" (std::runtime_error) give "EReadError" and "runtime_error". Anything
// else (a template, a local class) is left mangled. The runtime's demangler would weigh more than
// the rest of the executable's exception support.
std::string ClassNameOf(const std::type_info& type) {
  const std::string_view mangled = type.name();
  std::string_view rest = mangled;
  if (rest.substr(0, 1) == "N") rest.remove_prefix(1);
  if (rest.substr(0, 2) == "St") rest.remove_prefix(2);
  std::string_view last;
  while (!rest.empty() && rest.front() >= '0' && rest.front() <= '9') {
    std::size_t length = 0;
    while (!rest.empty() && rest.front() >= '0' && rest.front() <= '9' && length < 1000) {
      length = length * 10 + static_cast<std::size_t>(rest.front() - '0');
      rest.remove_prefix(1);
    }
    if (length == 0 || length > rest.size()) return std::string(mangled);
    last = rest.substr(0, length);
    rest.remove_prefix(length);
  }
  const bool whole = rest.empty() || (rest == "E" && mangled.front() == 'N');
  return whole && !last.empty() ? std::string(last) : std::string(mangled);
}

}  // namespace

std::string DescribeException(const std::exception& e) {
  if (dynamic_cast<const std::bad_alloc*>(&e)) return "Out of memory";
  const char* what = e.what();
  if (what && *what) return what;
  return "An exception of class " + ClassNameOf(typeid(e)) + " was raised";
}

std::string CurrentExceptionText() {
  try {
    throw;
  } catch (const std::exception& e) {
    return DescribeException(e);
  } catch (...) {
    return "An exception of unknown class was raised";
  }
}

}  // namespace pf
