#pragma once
// Strings and the exception classes of the framework.
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace fw {

// 8-bit characters in the Windows ANSI code page.
using String = std::string;

// The framework's exception class: everything the framework raises derives from it.
class Exception : public std::exception {
 public:
  explicit Exception(String message) : message_(std::move(message)) {}
  const String& Message() const { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  String message_;
};

#define QF_EXCEPTION_CLASS(Name, Base) \
  class Name : public Base {           \
   public:                             \
    using Base::Base;                  \
  };

QF_EXCEPTION_CLASS(EInvalidOperation, Exception)
QF_EXCEPTION_CLASS(EInvalidGraphic, Exception)
QF_EXCEPTION_CLASS(EInvalidGraphicOperation, Exception)
QF_EXCEPTION_CLASS(EJPEG, Exception)
QF_EXCEPTION_CLASS(EComponentError, Exception)
QF_EXCEPTION_CLASS(EReadError, Exception)
QF_EXCEPTION_CLASS(EWriteError, Exception)
QF_EXCEPTION_CLASS(EClassNotFound, EReadError)
QF_EXCEPTION_CLASS(EResNotFound, Exception)
QF_EXCEPTION_CLASS(EOutOfResources, Exception)

#undef QF_EXCEPTION_CLASS

// printf-style formatting into a String.
String Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Whole files through <cstdio> (the iostreams would bring their locale machinery into the
// program). Reading gives nothing when the file cannot be read; writing replaces the file and
// removes what it wrote when it could not write everything.
std::optional<std::string> ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, std::string_view bytes);

}  // namespace fw
