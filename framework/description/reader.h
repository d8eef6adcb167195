#pragma once
// Reading form descriptions into components: the one semantics of both syntaxes (classes,
// properties and their types, events, the loading protocol, cleaning up after an error).
#include <string_view>

#include "framework/description/syntax.h"
#include "framework/objects/classes.h"

namespace fw {

// Reads a description into `root`, whose class must be the header's class or derive from it.
// Nested objects are created with `root` as their owner. Raises EReadError "Line N: ..."
// ("Offset N: ..." in binary) for a broken description; the objects it created are then
// destroyed again.
void ReadComponent(std::string_view data, TComponent& root);
// The same from a source of any syntax: a text with its file references read in, say
// (ResolveFiles(NewTextSource(text), folder), description_tools).
void ReadComponent(syntax::SyntaxSource& source, TComponent& root);

// Creates the top object through the class registry, owned by `owner`, and reads it.
TComponent* ReadNewComponent(std::string_view data, TComponent* owner);

// Sets one published property of a live component as a description would give it, with the
// reader's checks and words (types, named values, sets, ranges, events bound to methods of
// `root`), though not while loading: as the program's own code would. Raises EReadError naming no
// position; a refused value is refused before the property's setter runs (or by the setter).
void ReadProperty(TComponent& obj, TComponent& root, const String& property,
                  syntax::SyntaxValue value);

}  // namespace fw
