#pragma once
// A form's choices: the controls screen readers list (those with a role), in the order the form
// gives them, the current one that keys act on, the rule for pressing one, and the focus cue
// round the current one. The form owns one and tells it of the keyboard and the focus.
#include <optional>
#include <vector>

#include "framework/controls/control.h"

namespace fw {

class TFormChoices {
 public:
  // `order`: the names of choices in the order the keyboard visits them (the form's
  // KeyboardOrder); the others follow in the order they were made.
  TFormChoices(TWinControl& form, const std::vector<String>& order) : form_(form), order_(order) {}

  // Every choice, anywhere in the form, in the order they were made (the topmost of those under
  // a point is the last), and in the keyboard's order.
  std::vector<TControl*> InMadeOrder() const;
  std::vector<TControl*> InOrder() const;
  TControl* Current() const { return current_; }
  // Tells the choices that gain or lose the keyboard by it (KeyboardFocusChanged).
  void SetCurrent(TControl* choice);
  // Makes the first choice that can take the keyboard current, unless one is.
  void EnsureCurrent();
  // The choice that takes the keyboard `direction` (+1 or -1) steps from the current one, round
  // the order, passing over those that cannot; null when none can.
  TControl* Step(int direction) const;
  // Shown and taking input: what a dialog's Tab stops at.
  static bool CanTakeKeyboard(const TControl& choice);
  // Whether a press of it runs now, as a click of the mouse would: a push button that, and whose
  // form, is shown and takes input, on a form that is not designed.
  bool CanPress(const TControl& choice) const;
  // `control` leaves the form: if it is, or holds, the current choice, none is current.
  void ControlLeaving(const TControl& control);

  // Whether the form's window has the keyboard focus.
  bool Focused() const { return focused_; }
  void SetFocused(bool focused);

  // The focus cue: none until the keyboard is first used, then the system's focus rectangle one
  // pixel round the current choice, while the form has the focus and is not designed.
  void KeyboardUsed() {
    cue_wanted_ = true;
    cue_stale_ = true;
  }
  // Draws the cue where it is drawn, on a paint's fresh pixels (the device clipped to the update).
  void PaintCue(pf::Device& device) const;
  // Something the cue's place depends on may have changed since it was placed: a control moved,
  // was shown or hidden, the form was shown or hidden. (Its own changes say so themselves.)
  void CueMayHaveMoved() { cue_stale_ = true; }
  bool CueStale() const { return cue_stale_; }
  // Moves the cue where it should be now, if it is drawn elsewhere (the current choice moved or
  // was hidden, the form lost the focus, a key asked for it): off where it is and on where it
  // should be, each on a drawing device of the window's own, so that two rings far apart are put
  // as two, not as the band between them.
  void PlaceCue(pf::Window& window);
  // Where it is drawn now (form client coordinates), if anywhere.
  const std::optional<TRect>& DrawnCue() const { return drawn_cue_; }

 private:
  std::optional<TRect> WantedCue() const;
  void TakeCueOff(pf::Device& device);
  void PutCueOn(pf::Device& device);

  TWinControl& form_;
  const std::vector<String>& order_;
  TControl* current_ = nullptr;
  bool focused_ = false;
  bool cue_wanted_ = false;
  bool cue_stale_ = false;
  std::optional<TRect> drawn_cue_;
};

}  // namespace fw
