#pragma once
// The form's KeyboardOrder names its controls: it follows them when one is renamed or deleted,
// or the form would not read again.
#include <optional>
#include <vector>

#include "framework/description_tools/text_document.h"

namespace designer {

// `name` in the top object's KeyboardOrder becomes `with`, or leaves it (and the property with
// it, when no name is left); a text without it is left as it is.
void RenameInKeyboardOrder(fw::TextDocument& text, const fw::String& name,
                           const std::optional<fw::String>& with);

// The names of the object `index` and of everything nested in it.
std::vector<fw::String> NamesWithin(const fw::TextDocument& text, std::size_t index);

}  // namespace designer
