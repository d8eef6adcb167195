#include "framework/controls/edit.h"

#include <utility>

#include "framework/controls/control_font.h"
#include "framework/controls/forms.h"
#include "platform/platform.h"

namespace fw {
namespace {

constexpr int kInset = 3;      // from the frame to the text
constexpr int kDefaultWidth = 121;
constexpr int kDefaultHeight = 21;

}  // namespace

const ClassInfo& TEdit::StaticClass() {
  static const ClassInfo info = [] {
    using T = TEdit;
    ClassInfo c = NewClass("TEdit", &TGraphicControl::StaticClass(),
                           [](TComponent* owner) -> TComponent* { return new TEdit(owner); });
    auto& p = c.own_properties;
    p.push_back(StringProp<T>("Text", &T::Text, &T::SetText, String()));
    p.push_back(BooleanProp<T>("Visible", &T::Visible, &T::SetVisible, true));
    p.push_back(BooleanProp<T>("Enabled", &T::GetEnabled, &T::SetEnabled, true));
    for (PropInfo& font : FontProperties()) p.push_back(std::move(font));
    p.push_back(EventProp<T>("OnAccept", &T::OnAccept));
    p.push_back(EventProp<T>("OnCancel", &T::OnCancel));
    p.push_back(EventProp<T>("OnChange", &T::OnChange));
    p.push_back(EventProp<T>("OnExit", &T::OnExit));
    return c;
  }();
  return info;
}

TEdit::TEdit(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, kDefaultWidth, kDefaultHeight);
  SetCursor(crIBeam);
}

void TEdit::SetText(const String& text) {
  if (text == Text() && held_ == text) return;
  edit_.SetText(text);
  held_ = text;
  scroll_ = 0;
  Invalidate();
}

std::optional<pf::AccessibleRole> TEdit::AccessibleRole() const {
  return pf::AccessibleRole::kEditableText;
}

// Where the keys go: the current choice of a form that has the keyboard.
bool TEdit::Current() const {
  const TCustomForm* form = ParentForm();
  return form && form->Choices().Current() == this && form->Choices().Focused();
}

// Becoming current, it holds what Esc goes back to and selects it all, as a dialog's field does
// when Tab reaches it; losing it, it shows no caret.
void TEdit::KeyboardFocusChanged() {
  const bool was = std::exchange(current_, Current());
  if (current_ && !was) {
    held_ = Text();
    edit_.SelectAll();
  }
  Invalidate();
  if (was && !current_ && OnExit) OnExit(this);
}

bool TEdit::KeyDown(unsigned key, TShiftState shift) {
  const bool shifted = shift.Contains(TShiftFlag::ssShift);
  const bool ctrl = shift.Contains(TShiftFlag::ssCtrl);
  if (ctrl && ClipboardKey(key)) return true;
  switch (key) {
    case pf::kKeyReturn:
      held_ = Text();
      if (OnAccept) OnAccept(this);
      return true;
    case pf::kKeyEscape:
      if (Text() == held_) return false;  // nothing to undo: the form's Esc
      SetText(held_);
      Changed();
      if (OnCancel) OnCancel(this);
      return true;
    case pf::kKeySpace: return true;  // a character, typed as one: it presses nothing
    default: return EditKey(key, shifted, ctrl);
  }
}

bool TEdit::EditKey(unsigned key, bool shifted, bool ctrl) {
  const String before = Text();
  switch (key) {
    case pf::kKeyLeft: edit_.Left(shifted, ctrl); break;
    case pf::kKeyRight: edit_.Right(shifted, ctrl); break;
    case pf::kKeyHome: edit_.Home(shifted); break;
    case pf::kKeyEnd: edit_.End(shifted); break;
    case pf::kKeyBack: edit_.Backspace(); break;
    case pf::kKeyDelete: edit_.Delete(); break;
    default: return false;
  }
  if (Text() != before) Changed();
  Invalidate();
  return true;
}

// Ctrl+A selects all, Ctrl+C copies, Ctrl+X cuts, Ctrl+V pastes, through the system's clipboard.
// A letter's key code is its capital.
bool TEdit::ClipboardKey(unsigned key) {
  switch (key) {
    case 'A': edit_.SelectAll(); break;
    case 'C':
      if (edit_.HasSelection()) pf::Current().SetClipboardText(edit_.SelectedText());
      break;
    case 'X':
      if (!edit_.HasSelection()) break;
      pf::Current().SetClipboardText(edit_.SelectedText());
      edit_.Delete();
      Changed();
      break;
    case 'V':
      if (const std::optional<std::string> pasted = pf::Current().ClipboardText()) {
        edit_.Insert(*pasted);
        Changed();
      }
      break;
    default: return false;
  }
  Invalidate();
  return true;
}

void TEdit::KeyPress(char c) {
  edit_.Insert(std::string_view(&c, 1));
  Changed();
  Invalidate();
}

void TEdit::Changed() {
  if (OnChange) OnChange(this);
}

// A press makes the field current (the mouse's way to it) and puts the caret there; a double
// click selects it all; a drag with the button held selects.
void TEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft) return;
  if (TCustomForm* form = ParentForm(); form && form->Choices().Current() != this) {
    form->SelectChoice(*this);
  }
  if (shift.Contains(TShiftFlag::ssDouble)) {
    edit_.SelectAll();
  } else {
    edit_.MoveTo(PositionAt(x), shift.Contains(TShiftFlag::ssShift));
  }
  Invalidate();
}

void TEdit::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (!shift.Contains(TShiftFlag::ssLeft)) return;
  edit_.MoveTo(PositionAt(x), true);
  Invalidate();
}

std::size_t TEdit::PositionAt(int x) {
  TCanvas& canvas = *Canvas();
  canvas.Font()->Assign(*Font());
  const int left = TextLeft(canvas);
  const String& text = Text();
  std::size_t best = 0;
  for (std::size_t i = 1; i <= text.size(); ++i) {
    const int edge = left + canvas.TextWidth(text.substr(0, i));
    const int before = left + canvas.TextWidth(text.substr(0, i - 1));
    if (x >= (before + edge) / 2) best = i;
  }
  return best;
}

// The text moves left under the field when the caret would lie beyond its inner edge, and back
// when there is room.
int TEdit::TextLeft(TCanvas& canvas) {
  if (!Current()) {  // a field the keys are not in shows its text's start
    scroll_ = 0;
    return kInset;
  }
  const int room = Width() - 2 * kInset;
  const int caret = canvas.TextWidth(Text().substr(0, edit_.Caret()));
  if (caret - scroll_ > room) scroll_ = caret - room;
  if (caret < scroll_) scroll_ = caret;
  if (canvas.TextWidth(Text()) - scroll_ < room) scroll_ = std::max(0, canvas.TextWidth(Text()) - room);
  return kInset - scroll_;
}

void TEdit::Paint() {
  TCanvas& canvas = *Canvas();
  const TRect r = ClientRect();
  canvas.Brush()->SetColor(GetEnabled() ? clWindow : clBtnFace);
  canvas.FillRect(r);
  canvas.Font()->Assign(*Font());
  const int left = TextLeft(canvas);
  const String& text = Text();
  const int top = (Height() - canvas.TextHeight("Wg")) / 2;
  canvas.TextOutTransparent(left, top, text);
  const bool current = Current();
  if (current && edit_.HasSelection()) {
    const int from = left + canvas.TextWidth(text.substr(0, edit_.SelectionStart()));
    const String selected = edit_.SelectedText();
    canvas.Brush()->SetColor(clHighlight);
    canvas.Font()->SetColor(clHighlightText);
    canvas.TextOut(from, top, selected);
  } else if (current) {
    const int x = left + canvas.TextWidth(text.substr(0, edit_.Caret()));
    canvas.Brush()->SetColor(clWindowText);
    canvas.FillRect({x, top, x + 1, top + canvas.TextHeight("Wg")});
  }
  // Last: a text wider than the field ends under its frame.
  canvas.Brush()->SetColor(clBtnShadow);
  canvas.FrameRect(r);
}

}  // namespace fw
