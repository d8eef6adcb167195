#pragma once
// A flat push button: one background colour, a one-line caption and border strips along its
// left and bottom edges. Its three looks differ only in the caption's and the strips' colours;
// each mouse notification draws its look at once, every repaint draws the normal look.
#include "buttoncomps/hover_button.h"

namespace bc {

class TSquareButton : public THoverButton {
  QF_PUBLISHED_CLASS()

 public:
  explicit TSquareButton(fw::TComponent* owner);

  fw::TAlignment Alignment() const { return alignment_; }
  void SetAlment(fw::TAlignment alignment);
  // The thickness of both strips; none for 0 or less.
  int BorderWidth() const { return border_width_; }
  void SetBWidth(int width);

  // Plain values, used from the next drawing of the look concerned.
  fw::TColor ColorOverCaption = fw::clBlack;
  fw::TColor ColorOverBorder = fw::clBlack;
  fw::TColor DownBorderColor = fw::clBlack;

  void Paint() override;

 private:
  void MouseLeave(fw::TMessage& message) override;
  void DrawLook(Look look) override;
  pf::Point CaptionOrigin(pf::Size text) const;
  void DrawStrips(fw::TColor color);

  fw::TAlignment alignment_ = fw::TAlignment::taLeftJustify;
  int border_width_ = 2;
};

}  // namespace bc
