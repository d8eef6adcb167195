#pragma once
// Reading the text syntax into live components with the pictures its file references name, read
// relative to a folder (file_references.h): a whole description, as a form designer opens one,
// and one property's value, as its property list sets it.
#include <string>
#include <string_view>

#include "framework/objects/classes.h"

namespace fw {

// ReadComponent (reader.h) of a text description whose `file "..."` values are read relative to
// `folder`. Raises EReadError "Line N: ..." for a broken description, an unknown class, a file
// that cannot be read.
void ReadTextComponent(std::string_view text, const std::string& folder, TComponent& root);

// Sets `property` of `obj` from a value written in the text syntax (`393`, `clRed`, `[fsBold]`,
// `"User's Manual"`, `file "art/x.bmp"` read relative to `folder`), with the reader's checks and
// words (ReadProperty, reader.h): events bind to methods of `root`. Raises EReadError naming no
// line, and leaves the property as it was.
void SetPropertyText(TComponent& obj, TComponent& root, const String& property,
                     std::string_view text, const std::string& folder);

}  // namespace fw
