#pragma once
// A flat text button: a fill, a caption placed left, right or in the middle, and a frame of one
// or more one-pixel outlines; a hover and a pressed look with colours of their own. Each mouse
// notification draws its look at once; every repaint draws the normal look.
#include "buttoncomps/hover_button.h"

namespace bc {

class TSelButton : public THoverButton {
  QF_PUBLISHED_CLASS()

 public:
  explicit TSelButton(fw::TComponent* owner);

  fw::TAlignment Alignment() const { return alignment_.Get(); }
  void SetAlment(fw::TAlignment alignment) { alignment_.Write(alignment); }
  // The number of outlines, from the edge inwards; none for 0 or less.
  int BorderWidth() const { return border_width_.Get(); }
  void SetBWidth(int width) { border_width_.Write(width); }

  // Plain values, used from the next drawing of the look concerned.
  fw::TColor ColorOverCaption = fw::clBlack;
  fw::TColor ColorOver = fw::clBlack;
  fw::TColor ColorDown = fw::clBlack;

  void Paint() override;

 private:
  void DrawLook(Look look) override;
  pf::Point CaptionOrigin(Look look, pf::Size text) const;
  void DrawFrame();

  RepaintingValue<fw::TAlignment> alignment_{*this};
  RepaintingValue<int> border_width_{*this};
};

}  // namespace bc
