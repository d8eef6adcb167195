#pragma once
// The live form a designer shows, kept to its text: from what one text describes to what another
// does, changing only what differs between them (a value, a control made or gone, the order they
// lie in), so that the form's window stays where it is and what did not change is not touched.
#include <string>

#include "framework/description_tools/text_document.h"
#include "tools/designer/design_root.h"

namespace designer {

// Reads `text` into a new root owned by `owner`. Raises EReadError "Line N: ..." as the reader
// does (an unknown class named, a missing picture named).
TDesignRoot* ReadLiveForm(const fw::TextDocument& text, const std::string& folder,
                          fw::TComponent* owner,
                          std::function<void(const fw::String& method)> on_method);

// Whether `from` and `to` describe the same form class with the same name: then the live form
// can follow from one to the other; else it is read anew.
bool CanFollow(const fw::TextDocument& from, const fw::TextDocument& to);

// Brings `root`, which shows what `from` describes, to what `to` describes. Raises EReadError for
// a value or an object that does not read; `root` may then be part way and must be read anew.
void FollowText(const fw::TextDocument& from, const fw::TextDocument& to,
                const std::string& folder, TDesignRoot& root);

// The live component the text's object `index` stands for: the root for 0, else the component of
// that name; null for an unnamed one.
fw::TComponent* LiveComponent(const fw::TextDocument& text, std::size_t index, TDesignRoot& root);

}  // namespace designer
