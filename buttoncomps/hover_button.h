#pragma once
// What the three flat buttons with a hover look share: their own Caption, Color, ColorBorder,
// Enabled and events in place of the framework's, and the mouse handling that draws a look
// straight onto the canvas when a notification arrives instead of asking for a repaint.
#include <vector>

#include "buttoncomps/repainting_value.h"
#include "framework/controls/graphic_control.h"

namespace bc {

class THoverButton : public fw::TGraphicControl {
 public:
  explicit THoverButton(fw::TComponent* owner) : fw::TGraphicControl(owner) {}

  // The writers draw the normal look at once.
  const fw::String& Caption() const { return caption_.Get(); }
  void SetCap(const fw::String& caption) { caption_.Write(caption); }
  fw::TColor Color() const { return color_.Get(); }
  void SetCol(fw::TColor color) { color_.Write(color); }
  fw::TColor ColorBorder() const { return color_border_.Get(); }
  void SetBorder(fw::TColor color) { color_border_.Write(color); }

  // The button's own switch; the framework's enabled state stays true so input keeps coming.
  bool Enabled = true;

  fw::TMouseEvent OnMouseDown;
  fw::TMouseEvent OnMouseUp;
  // Kept for form descriptions; the button never calls them.
  fw::TNotifyEvent OnMouseEnter;
  fw::TNotifyEvent OnMouseLeave;
  fw::TNotifyEvent OnClick;

  // Giving the button a parent, any parent, makes its caption its name.
  void SetParent(fw::TWinControl* parent) override;
  void MouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;
  void MouseUp(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;
  void Click() override;
  // A push button to screen readers, named by its Hint, else its caption; its own Enabled says
  // whether it takes input.
  std::optional<pf::AccessibleRole> AccessibleRole() const override {
    return pf::AccessibleRole::kPushButton;
  }
  fw::String AccessibleName() const override { return Hint().empty() ? Caption() : Hint(); }
  bool AccessibleAvailable() const override { return Enabled; }

  // Caption, Color, ColorBorder, Enabled and the five events, in the order all three publish them.
  static void AppendCommonProperties(std::vector<fw::PropInfo>& props);

 protected:
  enum class Look { Normal, Hover, Pressed };
  virtual void DrawLook(Look look) = 0;
  // Leaving draws the normal look, whatever Enabled holds, in the font the latest Paint gave the
  // canvas; only the caption colour is set again.
  void MouseLeave(fw::TMessage& message) override;

  // Each class's constructor stores its own starting colours.
  RepaintingValue<fw::TColor> color_{*this};
  RepaintingValue<fw::TColor> color_border_{*this};

 private:
  // Entering draws the hover look while enabled. Neither handler tells the parent or runs an event.
  void MouseEnter(fw::TMessage& message) override;

  RepaintingValue<fw::String> caption_{*this};
};

}  // namespace bc
