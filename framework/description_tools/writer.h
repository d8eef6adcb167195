#pragma once
// Writing components as form descriptions; what the writer writes, the reader reads back unchanged.
#include <optional>
#include <string>

#include "framework/objects/classes.h"

namespace fw {

// The root's stored properties in declared order, then the components it owns, each nested in
// its parent component (GetParentComponent(), null meaning the root), in creation order.
// Raises EWriteError for what could not be read back.
String WriteComponent(const TComponent& root);

// The same in the binary syntax.
std::string WriteComponentBinary(const TComponent& root);

// The text the text syntax writes for one property's present value, stored or not (what a
// property list shows), byte blocks laid out for a line indented by `indent`; nothing when it has
// no value (an event not set). Raises EWriteError as WriteComponent does, EInvalidOperation for a
// property the class does not publish.
std::optional<String> PropertyValueText(const TComponent& obj, const String& property,
                                        const String& indent = {});

}  // namespace fw
