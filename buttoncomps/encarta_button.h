#pragma once
// A flat button: a one-pixel outline, an optional picture and caption centred together, a raised
// bevel while the mouse is over it and a sunken one while it is held. Each mouse notification
// draws its look at once; every repaint draws the normal look.
#include <memory>

#include "framework/controls.h"

namespace bc {

class TEncartaButton : public fw::TGraphicControl {
  QF_PUBLISHED_CLASS()

 public:
  static constexpr fw::TColor kLightEdge = 0x00EDF4F8;
  static constexpr fw::TColor kDarkEdge = 0x004F4F4F;

  explicit TEncartaButton(fw::TComponent* owner);
  ~TEncartaButton() override;

  const fw::String& Caption() const { return caption_; }
  void SetCap(const fw::String& caption);
  fw::TColor Color() const { return color_; }
  void SetCol(fw::TColor color);
  fw::TColor ColorBorder() const { return color_border_; }
  void SetBorder(fw::TColor color);
  // The button's own picture; writing copies `bitmap` into it and asks for a repaint.
  fw::TBitmap* Glyph() const { return glyph_.get(); }
  void SetBmp(const fw::TBitmap* bitmap);
  bool ShowCaption() const { return show_caption_; }
  void SetSCap(bool show);

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

  // The stored form of Glyph: empty for an empty picture.
  std::string GlyphData() const;
  // Decodes first, so that broken bytes leave the picture as it was.
  void SetGlyphData(const std::string& data);

 private:
  enum class Look { Normal, Hover, Pressed };

  void MouseEnter(fw::TMessage& message);
  void MouseLeave(fw::TMessage& message);
  void DrawLook(Look look);
  // d: how far the pressed look moves the content right and down.
  void DrawContent(int d, pf::Size text);
  void DrawGlyph(const pf::Rect& dest);
  void DrawBevel(Look look);

  fw::String caption_;
  fw::TColor color_ = fw::clBtnFace;
  fw::TColor color_border_ = fw::clBlack;
  std::unique_ptr<fw::TBitmap> glyph_;
  bool show_caption_ = true;
};

}  // namespace bc
