#pragma once
// Forms: top-level windows that hold controls and paint them.
#include <cstdint>
#include <memory>

#include "framework/controls/control.h"
#include "framework/controls/form_accessibility.h"
#include "framework/controls/form_choices.h"
#include "framework/controls/form_designer.h"
#include "framework/graphics/icon.h"
#include "platform/platform.h"

namespace fw {

enum class TFormBorderStyle : std::uint8_t {
  bsNone,
  bsSingle,
  bsSizeable,
  bsDialog,
  bsToolWindow,
  bsSizeToolWin
};
enum class TPosition : std::uint8_t {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};

// A form: a top-level window, the host of the controls on it, and what screen readers read of
// both. It reaches the application through FormsApplication().
class TCustomForm : public TWinControl,
                    public pf::WindowHandler,
                    public TControlHost,
                    public TDescribedForm {
  QF_PUBLISHED_CLASS()

 public:
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;
  // Runs OnDestroy while the whole form still exists.
  void BeforeDestruction() override;

  void SetBounds(int left, int top, int width, int height) override;
  int ClientWidth() const override { return Width(); }
  int ClientHeight() const override { return Height(); }
  void SetClientWidth(int w) { SetBounds(Left(), Top(), w, Height()); }
  void SetClientHeight(int h) { SetBounds(Left(), Top(), Width(), h); }

  TFormBorderStyle BorderStyle() const { return border_style_; }
  // bsNone: a window without caption or frame; the others a frame with a title bar showing the
  // Caption, which the user moves and does not resize. The window takes it when the form shows.
  void SetBorderStyle(TFormBorderStyle style);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool auto_size);
  bool AlphaBlend() const { return alpha_blend_; }
  void SetAlphaBlend(bool on);
  std::uint8_t AlphaBlendValue() const { return alpha_blend_value_; }
  void SetAlphaBlendValue(int value);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool Scaled() const { return scaled_; }
  void SetScaled(bool scaled) { scaled_ = scaled; }
  const String& Caption() const { return caption_; }
  void SetCaption(const String& caption);
  // The names of its choices (the controls screen readers list) in the order Tab visits them;
  // those it does not name follow in the order they were made. A form description names only
  // choices of the form, each once.
  const std::vector<String>& KeyboardOrder() const { return keyboard_order_; }
  void SetKeyboardOrder(std::vector<String> names) { keyboard_order_ = std::move(names); }
  // Whether the form sees keys before its current choice (OnKeyDown), and may take them there.
  bool KeyPreview() const { return key_preview_; }
  void SetKeyPreview(bool preview) { key_preview_ = preview; }
  TIcon* Icon() const { return icon_.get(); }
  std::string IconData() const { return icon_->Data(); }
  void SetIconData(const std::string& data);

  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override;
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Asks the form to close; closing the main form ends the application's loop.
  void Close();
  // A minimised form is not brought back for it: it takes the focus when it is restored.
  void SetFocus();
  void Invalidate() override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  // Keys going down on the form: first of all with KeyPreview, else those its current choice did
  // not take. A handler that sets the key to 0 takes it: the form does nothing more with it. Set
  // in code (a program's shortcuts); descriptions do not name it.
  TKeyEvent OnKeyDown;

  // The design environment attached to the form, or null: the form runs.
  TFormDesigner* Designer() const { return designer_; }
  // Attaches `designer`, or detaches with null. While attached, the form and every component it
  // owns are Designing; the window's events go to the designer, so the controls take no mouse or
  // key input and run no handlers, and none lights under the pointer; the window is opaque
  // whatever AlphaBlend says; the form draws no focus cue, and the designer paints over it.
  void SetDesigner(TFormDesigner* designer);

  pf::Window& Window() const override { return *window_; }
  // The form as screen readers see it.
  TFormAccessibility& Accessibility() { return accessibility_; }
  String AccessibleTitle() const override;
  void SelectChoice(TControl& choice) override;
  // Its choices: the current one, which keys act on, and the focus cue round it.
  const TFormChoices& Choices() const { return choices_; }
  // Draws the focus cue where it should be now, if it is not: once at the end of each event that
  // moves it (a key, the focus, a screen reader), and by the idle when the choices say something
  // else may have (a choice hidden or moved, the form shown).
  void PlaceFocusCue();

  // What its controls ask of it.
  TCustomForm& HostForm() override { return *this; }
  void InvalidateArea(const TRect& area) override;
  void PaintInvalid() override { window_->Update(); }
  TPoint ClientOrigin() const override;
  pf::Device* PaintDevice() const override { return paint_device_; }
  const TRect& PaintClip() const override { return paint_clip_; }
  std::unique_ptr<pf::Device> DrawingDevice(const TRect& area) override;
  TControl* HoveredControl() const override;
  TControl* ControlUnderPointer() const override;
  void ControlLeaving(TControl& control) override;
  void HitAreasChanged() override {
    ++hit_areas_;
    choices_.CueMayHaveMoved();
  }
  // Counts HitAreasChanged: a hit test made while it had a value holds while it has it.
  std::uint64_t HitAreas() const { return hit_areas_; }

  // Events from the window.
  void WindowMouseDown(const pf::MouseEvent& e) override;
  void WindowMouseUp(const pf::MouseEvent& e) override;
  void WindowMouseMove(unsigned shift, pf::Point pos) override;
  void WindowPaint(pf::Device& device, const pf::Rect& update) override;
  void WindowCloseRequest() override;
  void WindowCaptureLost() override;
  void WindowRestored() override;
  void WindowPointerLeft() override;
  void WindowKeyDown(const pf::KeyEvent& e) override;
  void WindowFocusChanged(bool focused) override;
  // A character typed on the window: to the designer, else to the current choice. For the
  // window's character report, when the seam's WindowHandler has one.
  void WindowChar(char c) override;

 protected:
  TControlHost* AsHost() override { return this; }
  // Reads a form description into this form, binds its fields, then shows it if Visible was read
  // and calls OnCreate. The description is in any syntax the program reads: binary (packed or
  // not), or text in a program that accepts text descriptions (AcceptTextDescriptions).
  void ReadDescription(std::string_view description);
  void Loaded() override;
  void ChildBoundsChanged(TControl* child) override;
  virtual void Paint() {}

 private:
  // Raises EInvalidOperation for a bound outside [min, max].
  void CheckBound(const char* property, int value, int min, int max) const;
  void AdjustSize();
  // Raises EReadError for a name in KeyboardOrder that is not one of the form's choices.
  void CheckKeyboardOrder() const;
  void PlaceOnFirstShow();
  void ApplyBorderStyle();
  void ApplyOpacity();
  // Gives the window the bounds held back while a description was read.
  void ReleaseWindowBounds();
  // A mouse event at `pos`: one hit test, whose control the application records with the pointer
  // there; the control the event goes to (the one holding the mouse, else the one under it that
  // takes input), with `pos` in its coordinates.
  TControl* MouseEventTarget(pf::Point pos, TPoint* local);
  // Whether a mouse event at `pos` goes to the designer: the application still hears where the
  // pointer is, over no control.
  bool ForDesigner(pf::Point pos);
  // The control holding the mouse, if it is this form's, lets go of it without a click.
  void ReleaseMouseControl();
  // The keyboard: to the choice `direction` steps on; the current choice's press.
  void StepChoice(int direction);
  void PressChoice();
  void RunOnKeyDown(unsigned& key, TShiftState shift);
  // Offers `key` to the current choice: 0 when it took it.
  unsigned OfferToChoice(unsigned key, TShiftState shift);
  // What the form itself does with a key nothing took: the dialog's keys.
  void DialogKey(unsigned key, bool repeat, bool shifted);
  void MoveChoice(TControl* choice);
  // Tells screen readers which object has the focus now.
  void AnnounceFocus();
  void UpdateCursor(TControl* control);

  std::unique_ptr<pf::Window> window_;
  TFormBorderStyle border_style_ = TFormBorderStyle::bsSizeable;
  TPosition position_ = TPosition::poDesigned;
  bool auto_size_ = false;
  bool alpha_blend_ = false;
  std::uint8_t alpha_blend_value_ = 255;
  TColor color_ = clBtnFace;
  bool scaled_ = true;
  String caption_;
  std::unique_ptr<TIcon> icon_;
  std::vector<String> keyboard_order_;
  bool key_preview_ = false;
  TFormDesigner* designer_ = nullptr;
  TFormChoices choices_{*this, keyboard_order_};
  TFormAccessibility accessibility_{*this, *this, choices_};
  bool shown_once_ = false;
  bool hold_window_bounds_ = false;
  bool window_bounds_pending_ = false;
  bool destroy_called_ = false;
  bool focus_on_restore_ = false;
  pf::Device* paint_device_ = nullptr;
  TRect paint_clip_;
  std::uint64_t hit_areas_ = 0;
};

class TForm : public TCustomForm {
  QF_PUBLISHED_CLASS()

 public:
  explicit TForm(TComponent* owner);
};

extern const EnumInfo kBorderStyleNames;
extern const EnumInfo kPositionNames;

}  // namespace fw
