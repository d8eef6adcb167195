#pragma once
// Writing items as the binary syntax (binary_format.h), and packing it as the executables embed
// it: what the converter and the tests need and a program that only reads does not (it never
// links the deflate code).
#include <memory>
#include <string>
#include <string_view>

#include "framework/description/syntax.h"

namespace fw::syntax {

std::unique_ptr<SyntaxSink> NewBinarySink();
std::string Pack(std::string_view records);

}  // namespace fw::syntax
