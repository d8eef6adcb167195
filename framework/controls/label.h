#pragma once
// A line of static text: part of the picture, so screen readers do not list it (the control it
// names says the same).
#include "framework/controls/graphic_control.h"

namespace fw {

class TLabel : public TGraphicControl {
  QF_PUBLISHED_CLASS()

 public:
  explicit TLabel(TComponent* owner);

  const String& Caption() const { return caption_; }
  void SetCaption(const String& caption);
  // Where the caption lies across the label when the label is wider than it.
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  // The background, unless the label is transparent: then what lies beneath shows round the text.
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  // The label takes the size of its caption in its font, as the caption or the font change.
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool auto_size);

  void Paint() override;

 protected:
  void FontChanged() override;
  void Loaded() override;

 private:
  void AdjustSize();
  pf::Size CaptionSize() const;

  String caption_;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  TColor color_ = clBtnFace;
  bool transparent_ = false;
  bool auto_size_ = true;
};

}  // namespace fw
