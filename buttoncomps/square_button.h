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

  fw::TAlignment Alignment() const { return alignment_.Get(); }
  void SetAlment(fw::TAlignment alignment) { alignment_.Write(alignment); }
  // The thickness of both strips; none for 0 or less.
  int BorderWidth() const { return border_width_.Get(); }
  void SetBWidth(int width) { border_width_.Write(width); }

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

  RepaintingValue<fw::TAlignment> alignment_{*this};
  RepaintingValue<int> border_width_{*this};
};

}  // namespace bc
