#pragma once
// What a one-line text field holds and does to it, apart from its pixels: the text, the caret and
// the selection (from an anchor to the caret), and what each editing key makes of them.
#include <cstddef>
#include <string_view>

#include "framework/objects/sysutils.h"

namespace fw {

class EditText {
 public:
  const String& Text() const { return text_; }
  // The caret goes to the end, nothing selected.
  void SetText(String text);

  std::size_t Caret() const { return caret_; }
  // The selection: [SelectionStart(), SelectionEnd()); empty when the anchor is at the caret.
  std::size_t SelectionStart() const { return anchor_ < caret_ ? anchor_ : caret_; }
  std::size_t SelectionEnd() const { return anchor_ < caret_ ? caret_ : anchor_; }
  bool HasSelection() const { return anchor_ != caret_; }
  String SelectedText() const;

  // Typing and pasting replace the selection. A line break pasted into one line becomes a space;
  // other control characters are left out.
  void Insert(std::string_view text);
  // Takes the selection out, or the character before (Backspace) or after (Delete) the caret.
  void Backspace();
  void Delete();
  // Moves the caret; `extend` (Shift held) keeps the anchor, so the selection grows or shrinks.
  // Without it, a move from a selection first goes to the selection's edge.
  void Left(bool extend, bool by_word = false);
  void Right(bool extend, bool by_word = false);
  void Home(bool extend);
  void End(bool extend);
  void MoveTo(std::size_t position, bool extend);
  void SelectAll();

 private:
  void Place(std::size_t position, bool extend);
  void Erase(std::size_t from, std::size_t to);
  std::size_t WordBefore(std::size_t position) const;
  std::size_t WordAfter(std::size_t position) const;

  String text_;
  std::size_t caret_ = 0;
  std::size_t anchor_ = 0;
};

}  // namespace fw
