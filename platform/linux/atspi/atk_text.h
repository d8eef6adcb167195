#pragma once
// What screen readers were last told of an editable text, and how a change is told: the
// characters removed and inserted (AtkText's text-remove and text-insert, which the bridge says
// as object:text-changed:delete and :insert), then the caret's move (text-caret-moved).
#include <atk/atk.h>

#include <string>

namespace pf::atspi {

class TextTold {
 public:
  // Takes the text (Windows-1252) and caret as known, without telling.
  void Remember(std::string text, int caret);
  // Tells `object`'s readers how the text and caret became these.
  void Tell(AtkObject* object, std::string text, int caret);

 private:
  std::string text_;
  int caret_ = 0;
};

}  // namespace pf::atspi
