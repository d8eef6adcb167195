#pragma once
// TImageButton: a windowless push button drawn entirely from pictures. It switches pictures on
// the framework's mouse notifications, takes the size of the picture it switches to, and draws
// at once on its parent's window instead of waiting for a repaint.
#include <memory>

#include "framework/controls/graphic_control.h"
#include "framework/graphics/bitmap.h"

namespace bc {

class TImageButton : public fw::TGraphicControl {
  QF_PUBLISHED_CLASS()

 public:
  explicit TImageButton(fw::TComponent* owner);
  ~TImageButton() override;

  // The control's own pictures; changing one through the pointer neither redraws nor resizes.
  fw::TBitmap* BitmapOver() const { return over_.get(); }
  fw::TBitmap* BitmapDown() const { return down_.get(); }
  fw::TBitmap* BitmapUp() const { return up_.get(); }
  fw::TBitmap* Bitmap() const { return normal_.get(); }
  fw::TBitmap* BitmapDisabled() const { return disabled_.get(); }
  // What Paint shows while the control is enabled.
  const fw::TBitmap* BitmapCurrent() const { return current_.get(); }

  // Each copies `value` (null empties the picture) and redraws; SetBmp also shows it and takes
  // its size.
  void SetMOver(const fw::TBitmap* value);
  void SetMDown(const fw::TBitmap* value);
  void SetMUp(const fw::TBitmap* value);
  void SetBmp(const fw::TBitmap* value);
  void SetBmpDAble(const fw::TBitmap* value);

  void Paint() override;
  void Click() override;
  // A push button to screen readers, named by its Hint; hot while it shows BitmapOver.
  std::optional<pf::AccessibleRole> AccessibleRole() const override {
    return pf::AccessibleRole::kPushButton;
  }
  bool AccessibleHot() const override;
  void MouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;
  void MouseUp(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;

  // These hide the base control's events of the same names, which stay unpublished.
  fw::TNotifyEvent OnClick;
  fw::TMouseEvent OnMouseDown;
  fw::TMouseEvent OnMouseUp;
  // Stored and streamed; entering and leaving do not call them.
  fw::TNotifyEvent OnMouseEnter;
  fw::TNotifyEvent OnMouseLeave;

 protected:
  void MouseEnter(fw::TMessage& message) override;
  void MouseLeave(fw::TMessage& message) override;

 private:
  static bool IsSet(const fw::TBitmap& picture) { return picture.Width() > 0; }
  void ResizeTo(const fw::TBitmap& picture);
  // Fill with the brush at the present size, then the picture at (0,0).
  void DrawPicture(const fw::TBitmap& picture);
  // Makes `picture` the current one, takes its size and paints.
  void ShowPicture(const fw::TBitmap& picture);
  const fw::TBitmap* ReleasePicture() const;

  // Declaration order is construction order: Over, Down, Up, Bitmap, Disabled, Current.
  std::unique_ptr<fw::TBitmap> over_;
  std::unique_ptr<fw::TBitmap> down_;
  std::unique_ptr<fw::TBitmap> up_;
  std::unique_ptr<fw::TBitmap> normal_;
  std::unique_ptr<fw::TBitmap> disabled_;
  std::unique_ptr<fw::TBitmap> current_;
};

}  // namespace bc
