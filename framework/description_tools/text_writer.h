#pragma once
// Writing items as the text syntax (text_parser.h), the form people read and diff.
#include <memory>

#include "framework/description/syntax.h"

namespace fw::syntax {

std::unique_ptr<SyntaxSink> NewTextSink();

// A value as the text sink writes it after `Name = `, a byte block laid out for a property line
// indented by `indent`: its lines of digits two spaces deeper, its '>' at `indent`.
String ValueText(const SyntaxValue& value, const String& indent);

}  // namespace fw::syntax
