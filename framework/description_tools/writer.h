#pragma once
// Writing components as form descriptions; what the writer writes, the reader reads back unchanged.
#include <string>

#include "framework/objects/classes.h"

namespace fw {

// The root's stored properties in declared order, then the components it owns, each nested in
// its parent component (GetParentComponent(), null meaning the root), in creation order.
// Raises EWriteError for what could not be read back.
String WriteComponent(const TComponent& root);

// The same in the binary syntax.
std::string WriteComponentBinary(const TComponent& root);

}  // namespace fw
