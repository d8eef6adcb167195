#pragma once
// Reading the binary syntax (binary_format.h), packed or not, as items, with a byte offset in
// every error.
#include <memory>
#include <string_view>

#include "framework/description/syntax.h"

namespace fw::syntax {

// Whether `data` starts as the binary signatures do (the text syntax never does).
bool IsBinaryDescription(std::string_view data);
std::unique_ptr<SyntaxSource> NewBinarySource(std::string_view data);

}  // namespace fw::syntax
