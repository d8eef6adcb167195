#pragma once
#include <vector>

#include "framework/controls/control.h"

namespace fw {

// A control that holds others. Children lie in creation order; later ones lie above.
class TWinControl : public TControl {
  QF_PUBLISHED_CLASS()

 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_.at(static_cast<std::size_t>(index)); }

  // The topmost visible child under a client point; disabled ones only when allowed.
  TControl* ControlAtPos(TPoint client, bool allow_disabled) const;
  // The deepest control under a client point: a child, a child's child, or this control.
  TControl* FindControlAt(TPoint client, bool allow_disabled);

  // Paints the children that meet `form_clip` (form client coordinates).
  void PaintControls(pf::Device& device, const TRect& form_clip);

 protected:
  void FontChanged() override;
  virtual void ChildBoundsChanged(TControl* child) { (void)child; }

 private:
  friend class TControl;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);

  std::vector<TControl*> controls_;
};

}  // namespace fw
