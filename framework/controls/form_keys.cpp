// A form and the keyboard, as a dialog has it: the form's OnKeyDown and its current choice take
// the keys they want, in Windows' order; of the rest, Tab and the arrows move the current choice
// round the form's order, Enter and Space press it as a click would, Esc closes the form as its
// window's close does. The focus cue appears once a key has moved the choice (placed once at the
// end of the event, form_paint.cpp), and screen readers hear where the focus is. A designed
// form's keys and characters go to its designer.
#include "framework/controls/forms.h"

namespace fw {

// The form first when it previews keys, then the current choice, then the form's handler, then
// the dialog's keys: each may take the key (0), and any handler may destroy the form.
void TCustomForm::WindowKeyDown(const pf::KeyEvent& e) {
  if (designer_) {
    designer_->FormKeyDown(e);
    return;
  }
  if (!GetEnabled()) return;  // as during the launch pause: no key does anything
  const auto self = WeakRefTo(this);
  const TShiftState shift(e.shift);
  unsigned key = e.key;
  if (key_preview_) RunOnKeyDown(key, shift);
  if (key != 0 && self.Alive()) key = OfferToChoice(key, shift);
  if (key != 0 && self.Alive() && !key_preview_) RunOnKeyDown(key, shift);
  if (!self.Alive()) return;
  DialogKey(key, e.repeat, (e.shift & pf::kShiftKey) != 0);
  if (self.Alive()) PlaceFocusCue();
}

// A copy runs: the handler may destroy the form, and the event with it.
void TCustomForm::RunOnKeyDown(unsigned& key, TShiftState shift) {
  if (!OnKeyDown) return;
  const TKeyEvent handler = OnKeyDown;
  handler(this, key, shift);
}

// Tab is never a choice's: it always moves the choice.
unsigned TCustomForm::OfferToChoice(unsigned key, TShiftState shift) {
  TControl* choice = choices_.Current();
  if (key == pf::kKeyTab || !choice || !TFormChoices::CanTakeKeyboard(*choice)) return key;
  return choice->KeyDown(key, shift) ? 0 : key;
}

void TCustomForm::DialogKey(unsigned key, bool repeat, bool shifted) {
  switch (key) {
    case pf::kKeyTab: StepChoice(shifted ? -1 : 1); break;
    case pf::kKeyRight:
    case pf::kKeyDown: StepChoice(1); break;
    case pf::kKeyLeft:
    case pf::kKeyUp: StepChoice(-1); break;
    case pf::kKeyReturn:
    case pf::kKeySpace:
      if (!repeat) PressChoice();
      break;
    case pf::kKeyEscape:
      if (!repeat) Close();
      break;
    default: break;
  }
}

void TCustomForm::WindowChar(char c) {
  if (designer_) {
    designer_->FormKeyPress(c);
    return;
  }
  TControl* choice = choices_.Current();
  if (GetEnabled() && choice && TFormChoices::CanTakeKeyboard(*choice)) choice->KeyPress(c);
}

// A navigation key shows the cue, Windows' rule, also where the choice cannot move.
void TCustomForm::StepChoice(int direction) {
  choices_.KeyboardUsed();
  MoveChoice(choices_.Step(direction));
}

void TCustomForm::PressChoice() {
  TControl* choice = choices_.Current();
  if (choice && choices_.CanPress(*choice)) choice->Click();
}

void TCustomForm::SelectChoice(TControl& choice) {
  MoveChoice(&choice);
  PlaceFocusCue();
}

void TCustomForm::MoveChoice(TControl* choice) {
  if (!choice || choice == choices_.Current()) return;
  choices_.SetCurrent(choice);
  AnnounceFocus();
}

void TCustomForm::WindowFocusChanged(bool focused) {
  choices_.SetFocused(focused);
  if (focused) {
    choices_.EnsureCurrent();
    AnnounceFocus();
  }
  PlaceFocusCue();
}

void TCustomForm::AnnounceFocus() {
  if (!choices_.Focused()) return;
  const TControl* current = choices_.Current();
  window_->AccessibleChanged(current ? current->AccessibleId() : pf::kAccessibleWindow,
                             pf::AccessibleChange::kFocus);
}

}  // namespace fw
