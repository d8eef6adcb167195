#pragma once
// Reading form descriptions into components: the one semantics of both syntaxes (classes,
// properties and their types, events, the loading protocol, cleaning up after an error).
#include <string_view>

#include "framework/objects/classes.h"

namespace fw {

// Reads a description into `root`, whose class must be the header's class or derive from it.
// Nested objects are created with `root` as their owner. Raises EReadError "Line N: ..."
// ("Offset N: ..." in binary) for a broken description; the objects it created are then
// destroyed again.
void ReadComponent(std::string_view data, TComponent& root);

// Creates the top object through the class registry, owned by `owner`, and reads it.
TComponent* ReadNewComponent(std::string_view data, TComponent* owner);

}  // namespace fw
