#pragma once
// A flat button: a one-pixel outline, an optional picture and caption centred together, a raised
// bevel while the mouse is over it and a sunken one while it is held. Each mouse notification
// draws its look at once; every repaint draws the normal look.
#include <memory>

#include "buttoncomps/hover_button.h"

namespace bc {

class TEncartaButton : public THoverButton {
  QF_PUBLISHED_CLASS()

 public:
  static constexpr fw::TColor kLightEdge = 0x00EDF4F8;
  static constexpr fw::TColor kDarkEdge = 0x004F4F4F;

  explicit TEncartaButton(fw::TComponent* owner);
  ~TEncartaButton() override;

  // The button's own picture; writing copies `bitmap` into it and asks for a repaint.
  fw::TBitmap* Glyph() const { return glyph_.get(); }
  void SetBmp(const fw::TBitmap* bitmap);
  bool ShowCaption() const { return show_caption_.Get(); }
  void SetSCap(bool show) { show_caption_.Write(show); }

  // Plain values, used from the next drawing of the look concerned.
  fw::TColor ColorOverCaption = fw::clBlack;
  fw::TColor ColorOver = fw::clBlack;
  fw::TColor ColorDown = fw::clBlack;

  void Paint() override;

  // The stored form of Glyph: empty for an empty picture.
  std::string GlyphData() const;
  // Decodes first, so that broken bytes leave the picture as it was.
  void SetGlyphData(const std::string& data);

 private:
  void DrawLook(Look look) override;
  // d: how far the pressed look moves the content right and down.
  void DrawContent(int d, pf::Size text);
  void DrawGlyph(const pf::Rect& dest);
  void DrawBevel(Look look);

  std::unique_ptr<fw::TBitmap> glyph_;
  RepaintingValue<bool> show_caption_{*this};
};

}  // namespace bc
