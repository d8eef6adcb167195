#pragma once
// The designed form's window while it is designed: a click selects the topmost control under it
// (the form where there is none) or places the palette's chosen class there; a drag moves the
// selection or, by a handle, sizes it; the keys go through the controls (Tab), move and size the
// selection (the arrows, with Shift to size and Ctrl by 8), select the form (Esc), delete (Del),
// and the designer's commands (Ctrl+S, Ctrl+Z, ...). The selection's marks are drawn over the form.
#include <functional>
#include <optional>

#include "framework/controls/form_designer.h"
#include "tools/designer/design_session.h"
#include "tools/designer/selection_marks.h"

namespace designer {

class DesignSurface : public fw::TFormDesigner {
 public:
  // What the surface asks of the designer: to place the chosen class (false when none is
  // chosen), to run a command key (true when it was one), to close, and that the selection or
  // the form changed.
  struct Commands {
    std::function<bool(int x, int y)> place;
    std::function<bool(const pf::KeyEvent&)> command_key;
    std::function<void()> close;
    std::function<void()> changed;
  };

  DesignSurface(DesignSession& session, Commands commands);

  // Draws the marks again where they are now (after an undo, a value set in the list).
  void MarksMoved();
  // A change failed: what the designer says about it.
  std::function<void(const fw::Exception&)> on_error;

  void FormMouseDown(const pf::MouseEvent& e) override;
  void FormMouseUp(const pf::MouseEvent& e) override;
  void FormMouseMove(unsigned shift, pf::Point pos) override;
  void FormKeyDown(const pf::KeyEvent& e) override;
  void FormCloseRequest() override;
  void FormCaptureLost() override;
  void PaintOver(pf::Device& device, const pf::Rect& clip) override;

 private:
  // The selected control's rectangle in form client coordinates; none for the form itself or a
  // component that is not a control.
  std::optional<pf::Rect> SelectedRect() const;
  void Select(const fw::String& name);
  void SelectNext(int direction);
  void Nudge(const pf::KeyEvent& e);
  void EndDrag();
  // Runs a change of the session, telling the designer what failed.
  template <class F>
  void Try(F&& change);

  DesignSession& session_;
  Commands commands_;
  std::optional<pf::Rect> marked_;  // where the marks are drawn now
  struct Drag {
    Grip grip = Grip::kNone;
    pf::Point from;
    Bounds start;
  };
  std::optional<Drag> drag_;
};

}  // namespace designer
