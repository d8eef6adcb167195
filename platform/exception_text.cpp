#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <new>
#include <typeinfo>

#include "platform/entry.h"

namespace pf {
namespace {

// "fw::EReadError" -> "EReadError"; the mangled name when it cannot be demangled.
std::string ClassNameOf(const std::type_info& type) {
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> name(
      abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
  std::string text = status == 0 && name ? name.get() : type.name();
  const auto colons = text.rfind("::");
  return colons == std::string::npos ? text : text.substr(colons + 2);
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
