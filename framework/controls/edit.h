#pragma once
// A one-line text field: a choice of its form that takes the editing keys and the characters
// typed while it is current, shows a caret and a selection, and copies and pastes through the
// system clipboard. Enter accepts what it holds (OnAccept), Esc puts back what it held when it
// became current (OnCancel). Screen readers read it as editable text, named by its Hint, its
// value the text.
#include "framework/controls/edit_text.h"
#include "framework/controls/graphic_control.h"

namespace fw {

class TEdit : public TGraphicControl {
  QF_PUBLISHED_CLASS()

 public:
  explicit TEdit(TComponent* owner);

  const String& Text() const { return edit_.Text(); }
  // Also what Esc goes back to.
  void SetText(const String& text);
  const EditText& Editing() const { return edit_; }

  TNotifyEvent OnAccept;
  TNotifyEvent OnCancel;
  TNotifyEvent OnChange;
  // It stopped being where the keys go (Tab, a click elsewhere, its window lost the focus).
  TNotifyEvent OnExit;

  std::optional<pf::AccessibleRole> AccessibleRole() const override;
  String AccessibleValue() const override { return Text(); }
  int AccessibleCaret() const override { return static_cast<int>(edit_.Caret()); }
  bool ShowsFocusCue() const override { return false; }  // the caret says where the keys go
  void KeyboardFocusChanged() override;
  bool KeyDown(unsigned key, TShiftState shift) override;
  void KeyPress(char c) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void Paint() override;

 private:
  bool Current() const;
  bool EditKey(unsigned key, bool shifted, bool ctrl);
  bool ClipboardKey(unsigned key);
  void Changed();
  // The caret's position nearest to `x` (client coordinates).
  std::size_t PositionAt(int x);
  // The text's first pixel, left of the field's inner edge when the caret lies beyond its width.
  int TextLeft(TCanvas& canvas);

  EditText edit_;
  String held_;  // what Esc puts back
  int scroll_ = 0;
  bool current_ = false;  // as KeyboardFocusChanged last found it
};

}  // namespace fw
