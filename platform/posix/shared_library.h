#pragma once
// A shared library opened when first needed (POSIX builds only): what a program uses only
// sometimes costs neither its pages nor its loading at start.
#include <dlfcn.h>

namespace pf {

class SharedLibrary {
 public:
  explicit SharedLibrary(const char* soname) : handle_(dlopen(soname, RTLD_NOW | RTLD_LOCAL)) {}
  // Never closed: pointers into it may be used until the program ends.
  bool IsOpen() const { return handle_ != nullptr; }
  // The function `name`, or null when the library or the function is missing.
  template <typename F>
  F Find(const char* name) const {
    return handle_ != nullptr ? reinterpret_cast<F>(dlsym(handle_, name)) : nullptr;
  }

 private:
  void* handle_;
};

}  // namespace pf
