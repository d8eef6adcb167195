#pragma once
// A raised, bevelled text button: a light bevel top and left, a black shadow right and bottom, a
// black frame. Pressing it flattens it and moves the caption two pixels over; it has no hover
// look, and every repaint draws the raised look.
#include "buttoncomps/repainting_value.h"
#include "framework/controls/graphic_control.h"

namespace bc {

class TAOLButton : public fw::TGraphicControl {
  QF_PUBLISHED_CLASS()

 public:
  explicit TAOLButton(fw::TComponent* owner);

  // The writers draw the raised look at once.
  const fw::String& Caption() const { return caption_.Get(); }
  void SetCap(const fw::String& caption) { caption_.Write(caption); }
  fw::TColor Color() const { return color_.Get(); }
  void SetCol(fw::TColor color) { color_.Write(color); }
  fw::TColor RaiseColor() const { return raise_color_.Get(); }
  void SetRaiseCol(fw::TColor color) { raise_color_.Write(color); }

  // The button's own switch; the framework's enabled state stays true so input keeps coming.
  bool Enabled = true;
  fw::TMouseEvent OnMouseDown;
  fw::TMouseEvent OnMouseUp;
  // Kept for form descriptions; the button never calls it.
  fw::TNotifyEvent OnMouseLeave;
  fw::TNotifyEvent OnClick;

  void SetParent(fw::TWinControl* parent) override;
  // The raised look.
  void Paint() override;
  void MouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;
  void MouseUp(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;
  void Click() override;
  // A push button to screen readers, named by its Hint, else its caption; its own Enabled says
  // whether it takes input; it has no pointer-over look.
  std::optional<pf::AccessibleRole> AccessibleRole() const override {
    return pf::AccessibleRole::kPushButton;
  }
  fw::String AccessibleName() const override { return Hint().empty() ? Caption() : Hint(); }
  bool AccessibleAvailable() const override { return Enabled; }
  bool AccessibleHot() const override { return false; }

 private:
  void MouseLeave(fw::TMessage& message) override;
  void DrawPressedLook();
  void DrawCaption(int shift);
  // Brush `color`, then the canvas fill (reversed corners fill as the device treats them).
  void Fill(fw::TColor color, const pf::Rect& rect);

  RepaintingValue<fw::String> caption_{*this};
  RepaintingValue<fw::TColor> color_{*this};
  RepaintingValue<fw::TColor> raise_color_{*this};
};

}  // namespace bc
