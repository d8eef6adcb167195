// A form and the keyboard, as a dialog has it: Tab and the arrows move the current choice round
// the form's order, Enter and Space press it as a click would, Esc closes the form as its
// window's close does; the focus cue appears once a key has moved the choice (placed once at the
// end of the event, form_paint.cpp), and screen readers hear where the focus is.
#include "framework/controls/forms.h"

namespace fw {

void TCustomForm::WindowKeyDown(const pf::KeyEvent& e) {
  if (!GetEnabled()) return;  // as during the launch pause: no key does anything
  switch (e.key) {
    case pf::kKeyTab: StepChoice((e.shift & pf::kShiftKey) ? -1 : 1); break;
    case pf::kKeyRight:
    case pf::kKeyDown: StepChoice(1); break;
    case pf::kKeyLeft:
    case pf::kKeyUp: StepChoice(-1); break;
    case pf::kKeyReturn:
    case pf::kKeySpace:
      if (!e.repeat) PressChoice();
      break;
    case pf::kKeyEscape:
      if (!e.repeat) Close();
      break;
    default: break;
  }
  PlaceFocusCue();
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
