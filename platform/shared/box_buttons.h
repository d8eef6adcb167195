#pragma once
// The buttons of a message box, for the realisations that show or record boxes of their own
// (linux/ draws one, headless/ answers for it): what Windows' box of the same style would show.
#include <vector>

#include "platform/platform.h"

namespace pf {

// In the box's order, the default first.
inline std::vector<int> BoxButtons(unsigned style) {
  switch (style & kBoxButtons) {
    case kBoxYesNoCancel: return {kBoxResultYes, kBoxResultNo, kBoxResultCancel};
    case kBoxYesNo: return {kBoxResultYes, kBoxResultNo};
    default: return {kBoxResultOk};
  }
}

// What Esc and the box's close answer: Cancel where the box has it, else its last button (the
// one button's OK, a Yes/No box's No).
inline int BoxEscapeAnswer(unsigned style) { return BoxButtons(style).back(); }

}  // namespace pf
