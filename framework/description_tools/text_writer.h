#pragma once
// Writing items as the text syntax (text_parser.h), the form people read and diff.
#include <memory>

#include "framework/description/syntax.h"

namespace fw::syntax {

std::unique_ptr<SyntaxSink> NewTextSink();

}  // namespace fw::syntax
