#pragma once
// A flat text button: a fill, a caption placed left, right or in the middle, and a frame of one
// or more one-pixel outlines; a hover and a pressed look with colours of their own. Each mouse
// notification draws its look at once; every repaint draws the normal look.
#include "framework/controls.h"

namespace bc {

class TSelButton : public fw::TGraphicControl {
  QF_PUBLISHED_CLASS()

 public:
  explicit TSelButton(fw::TComponent* owner);

  const fw::String& Caption() const { return caption_; }
  void SetCap(const fw::String& caption);
  fw::TColor Color() const { return color_; }
  void SetCol(fw::TColor color);
  fw::TColor ColorBorder() const { return color_border_; }
  void SetBorder(fw::TColor color);
  fw::TAlignment Alignment() const { return alignment_; }
  void SetAlment(fw::TAlignment alignment);
  // The number of outlines, from the edge inwards; none for 0 or less.
  int BorderWidth() const { return border_width_; }
  void SetBWidth(int width);

  // Plain values, used from the next drawing of the look concerned.
  fw::TColor ColorOverCaption = fw::clBlack;
  fw::TColor ColorOver = fw::clBlack;
  fw::TColor ColorDown = fw::clBlack;
  // The button's own switch; the framework's enabled state stays true so input keeps coming.
  bool Enabled = true;

  fw::TMouseEvent OnMouseDown;
  fw::TMouseEvent OnMouseUp;
  // Kept for form descriptions; the button never calls them.
  fw::TNotifyEvent OnMouseEnter;
  fw::TNotifyEvent OnMouseLeave;
  fw::TNotifyEvent OnClick;

  void SetParent(fw::TWinControl* parent) override;
  void Paint() override;
  void MouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;
  void MouseUp(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;
  void Click() override;
  void Dispatch(fw::TMessage& message) override;

 private:
  enum class Look { Normal, Hover, Pressed };

  void MouseEnter(fw::TMessage& message);
  void MouseLeave(fw::TMessage& message);
  void DrawLook(Look look);
  pf::Point CaptionOrigin(Look look, pf::Size text) const;
  void DrawFrame();

  fw::String caption_;
  fw::TColor color_ = fw::clBtnFace;
  fw::TColor color_border_ = fw::clGray;
  fw::TAlignment alignment_ = fw::TAlignment::taLeftJustify;
  int border_width_ = 1;
};

}  // namespace bc
