#include "framework/controls/edit_text.h"

#include <algorithm>

namespace fw {
namespace {

bool IsWordChar(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 0x80 || (u >= '0' && u <= '9') || ((u | 0x20) >= 'a' && (u | 0x20) <= 'z') ||
         u == '_';
}

}  // namespace

void EditText::SetText(String text) {
  text_ = std::move(text);
  caret_ = anchor_ = text_.size();
}

String EditText::SelectedText() const {
  return text_.substr(SelectionStart(), SelectionEnd() - SelectionStart());
}

void EditText::Insert(std::string_view text) {
  String clean;
  for (char c : text) {
    if (c == '\n') {
      clean += ' ';
    } else if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) {
      clean += c;
    }
  }
  const std::size_t at = SelectionStart();
  Erase(at, SelectionEnd());
  text_.insert(at, clean);
  caret_ = anchor_ = at + clean.size();
}

void EditText::Backspace() {
  if (HasSelection()) return Erase(SelectionStart(), SelectionEnd());
  if (caret_ > 0) Erase(caret_ - 1, caret_);
}

void EditText::Delete() {
  if (HasSelection()) return Erase(SelectionStart(), SelectionEnd());
  if (caret_ < text_.size()) Erase(caret_, caret_ + 1);
}

void EditText::Erase(std::size_t from, std::size_t to) {
  text_.erase(from, to - from);
  caret_ = anchor_ = from;
}

void EditText::Left(bool extend, bool by_word) {
  if (!extend && HasSelection() && !by_word) return Place(SelectionStart(), false);
  Place(by_word ? WordBefore(caret_) : (caret_ > 0 ? caret_ - 1 : 0), extend);
}

void EditText::Right(bool extend, bool by_word) {
  if (!extend && HasSelection() && !by_word) return Place(SelectionEnd(), false);
  Place(by_word ? WordAfter(caret_) : std::min(caret_ + 1, text_.size()), extend);
}

void EditText::Home(bool extend) { Place(0, extend); }
void EditText::End(bool extend) { Place(text_.size(), extend); }
void EditText::MoveTo(std::size_t position, bool extend) {
  Place(std::min(position, text_.size()), extend);
}

void EditText::SelectAll() {
  anchor_ = 0;
  caret_ = text_.size();
}

void EditText::Place(std::size_t position, bool extend) {
  caret_ = position;
  if (!extend) anchor_ = position;
}

// The start of the word before the caret, passing over what separates them.
std::size_t EditText::WordBefore(std::size_t p) const {
  while (p > 0 && !IsWordChar(text_[p - 1])) --p;
  while (p > 0 && IsWordChar(text_[p - 1])) --p;
  return p;
}

// The start of the next word: past this one and what follows it.
std::size_t EditText::WordAfter(std::size_t p) const {
  while (p < text_.size() && IsWordChar(text_[p])) ++p;
  while (p < text_.size() && !IsWordChar(text_[p])) ++p;
  return p;
}

}  // namespace fw
