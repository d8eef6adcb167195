#pragma once
// A question answered with a line of text, in a dialog of its own that keeps the other windows
// waiting until it is answered: Enter (or OK) gives the text, Esc (or Cancel, or the close)
// gives nothing.
#include <optional>

#include "framework/controls/application.h"

namespace designer {

std::optional<fw::String> AskText(fw::TApplication& application, const fw::String& caption,
                                  const fw::String& question, const fw::String& initial);

}  // namespace designer
