#pragma once
// A flat push button: one background colour, a one-line caption and border strips along its
// left and bottom edges. Its three looks differ only in the caption's and the strips' colours;
// each mouse notification draws its look at once, every repaint draws the normal look.
#include "framework/controls.h"

namespace bc {

class TSquareButton : public fw::TGraphicControl {
  QF_PUBLISHED_CLASS()

 public:
  explicit TSquareButton(fw::TComponent* owner);

  const fw::String& Caption() const { return caption_; }
  void SetCap(const fw::String& caption);
  fw::TColor Color() const { return color_; }
  void SetCol(fw::TColor color);
  fw::TColor ColorBorder() const { return color_border_; }
  void SetBorder(fw::TColor color);
  fw::TAlignment Alignment() const { return alignment_; }
  void SetAlment(fw::TAlignment alignment);
  // The thickness of both strips; none for 0 or less.
  int BorderWidth() const { return border_width_; }
  void SetBWidth(int width);

  // Plain values, used from the next drawing of the look concerned.
  fw::TColor ColorOverCaption = fw::clBlack;
  fw::TColor ColorOverBorder = fw::clBlack;
  fw::TColor DownBorderColor = fw::clBlack;
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
  pf::Point CaptionOrigin(pf::Size text) const;
  void DrawStrips(fw::TColor color);

  fw::String caption_;
  fw::TColor color_ = fw::clBtnFace;
  fw::TColor color_border_ = fw::clBlack;
  fw::TAlignment alignment_ = fw::TAlignment::taLeftJustify;
  int border_width_ = 2;
};

}  // namespace bc
