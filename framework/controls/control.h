#pragma once
// TControl, the base of every control, and TWinControl, the control that holds others (each
// needs the other); the mouse and message types controls take.
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "framework/controls/control_host.h"
#include "framework/controls/cursors.h"
#include "framework/graphics/graphics_objects.h"
#include "framework/objects/classes.h"
#include "framework/objects/props.h"
#include "platform/accessibility.h"
#include "platform/device.h"
#include "platform/platform.h"

namespace fw {

class TWinControl;
class TCustomForm;

enum class TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

// The platform's shift flags, as controls name them.
enum class TShiftFlag : unsigned {
  ssShift = pf::kShiftKey,
  ssAlt = pf::kAltKey,
  ssCtrl = pf::kCtrlKey,
  ssLeft = pf::kLeftButton,
  ssRight = pf::kRightButton,
  ssMiddle = pf::kMiddleButton,
  ssDouble = pf::kDoubleClick,
};

// A set of TShiftFlag, the platform's shift bits.
class TShiftState {
 public:
  TShiftState() = default;
  explicit TShiftState(unsigned bits) : bits_(bits) {}
  TShiftState(std::initializer_list<TShiftFlag> flags) {
    for (auto f : flags) bits_ |= static_cast<unsigned>(f);
  }
  bool Contains(TShiftFlag f) const { return (bits_ & static_cast<unsigned>(f)) != 0; }
  unsigned Bits() const { return bits_; }
  friend bool operator==(const TShiftState&, const TShiftState&) = default;

 private:
  unsigned bits_ = 0;
};

using TMouseEvent = TEvent<TObject*, TMouseButton, TShiftState, int, int>;
using TMouseMoveEvent = TEvent<TObject*, TShiftState, int, int>;
// A key going down (a pf::KeyCode, Windows' virtual-key code); a handler that takes it sets it to
// 0, and nothing else acts on it.
using TKeyEvent = TEvent<TObject*, unsigned&, TShiftState>;

// A component message, as controls dispatch them to their handlers.
struct TMessage {
  unsigned Msg = 0;
  std::intptr_t WParam = 0;
  std::intptr_t LParam = 0;
  std::intptr_t Result = 0;
};

inline constexpr unsigned CM_MOUSEENTER = 0xB013;
inline constexpr unsigned CM_MOUSELEAVE = 0xB014;

enum class THelpType : std::uint8_t { htKeyword, htContext };

// Horizontal placement of a caption.
enum class TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

using TRect = pf::Rect;
using TPoint = pf::Point;

// The bounds a form description may give. Both platforms report window and mouse positions as
// 16-bit signed numbers (X11's window geometry, Windows' mouse messages), so nothing beyond them
// can be shown or pointed at.
inline constexpr int kMinCoordinate = -32768;
inline constexpr int kMaxCoordinate = 32767;
// A form's client width and height, in code too: its window holds a 32-bit pixel buffer that a
// 32-bit process must find room for (8192 x 8192 x 4 bytes = 256 MiB), and 8192 is wider than
// the largest single display.
inline constexpr int kMaxFormSide = 8192;

class TControl : public TComponent {
  QF_PUBLISHED_CLASS()

 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  // Bounds, in the parent's client coordinates.
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  // Invalidates the old and the new area when anything really changes.
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const {
    return {left_, top_, pf::AddSat(left_, width_), pf::AddSat(top_, height_)};
  }
  TRect ClientRect() const { return {0, 0, width_, height_}; }
  virtual int ClientWidth() const { return width_; }
  virtual int ClientHeight() const { return height_; }

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  // The framework's enabled state, through virtual accessors.
  virtual bool GetEnabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;
  // The form that holds this control (this one, for a form), as the control talks to it; null
  // without one.
  TControlHost* Host() const;
  // The same form, by name.
  TCustomForm* ParentForm() const;
  // Whether `other` is this control or lies inside it.
  bool Holds(const TControl* other) const;

  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor) { cursor_ = cursor; }
  const String& Hint() const { return hint_; }
  void SetHint(const String& hint) { hint_ = hint; }

  bool ShowHint() const { return show_hint_; }
  // Also clears ParentShowHint.
  void SetShowHint(bool show);
  bool ParentShowHint() const { return parent_show_hint_; }
  void SetParentShowHint(bool parent_show);
  THelpType HelpType() const { return help_type_; }
  void SetHelpType(THelpType t) { help_type_ = t; }
  const String& HelpKeyword() const { return help_keyword_; }
  void SetHelpKeyword(const String& k) { help_keyword_ = k; }
  int HelpContext() const { return help_context_; }
  void SetHelpContext(int c) { help_context_ = c; }

  TFont* Font() const { return font_.get(); }
  bool ParentFont() const { return parent_font_; }
  void SetParentFont(bool parent_font);

  // Asks for a later repaint of the control's area.
  virtual void Invalidate();
  // Repaints now.
  void Repaint();

  // This control's client point in the coordinates of its form's client area, and on screen.
  TPoint ClientToForm(TPoint p) const;
  TPoint ClientToScreen(TPoint p) const;
  TPoint ScreenToClient(TPoint p) const;

  // Component messages go to Dispatch; a class handles the ones it wants and passes on the rest.
  std::intptr_t Perform(unsigned msg, std::intptr_t wparam = 0, std::intptr_t lparam = 0);
  virtual void Dispatch(TMessage& message);

  TMouseMoveEvent OnMouseMove;

  // Mouse input from the framework's dispatch.
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void Click();

  // Keys, while the control is its form's current choice: a key going down, offered before the
  // form acts on it (Tab excepted), and whether the control took it; a character typed.
  virtual bool KeyDown(unsigned key, TShiftState shift) {
    (void)key;
    (void)shift;
    return false;
  }
  virtual void KeyPress(char c) { (void)c; }

  // What screen readers are told of the control (its form describes it to them). A control that
  // is only part of the picture has no role and is not listed: the default.
  virtual std::optional<pf::AccessibleRole> AccessibleRole() const { return std::nullopt; }
  // The Hint, the framework's descriptive text of a control; a class with a caption falls back
  // on it.
  virtual String AccessibleName() const { return Hint(); }
  // What it holds, for a control with a value (a text field's text); empty for none.
  virtual String AccessibleValue() const { return {}; }
  // Where its caret is in that value: the characters before it.
  virtual int AccessibleCaret() const { return 0; }
  // Whether the form draws the focus cue round it while it is current: a control that shows the
  // keyboard's place itself (a text field's caret) does not want it.
  virtual bool ShowsFocusCue() const { return true; }
  // It became, or stopped being, the current choice of a form that has the keyboard (the form
  // got or lost the focus, or the choice moved).
  virtual void KeyboardFocusChanged() {}
  // Whether it takes input: the framework's Enabled, or the control's own where it keeps one.
  virtual bool AccessibleAvailable() const { return GetEnabled(); }
  // Whether it shows its pointer-over look: by default, while the pointer is over it (as the
  // enter and leave notifications say) and it takes input.
  virtual bool AccessibleHot() const;
  // Whether it is the topmost control under the pointer now (where the pointer is now, not where
  // the event being handled found it).
  bool UnderPointer() const;
  // Its identity to screen readers, never given to another control of the program.
  pf::AccessibleId AccessibleId() const { return accessible_id_; }

  // Set by a plain left press, consumed by its release.
  bool Clicked() const { return clicked_; }
  void SetClicked(bool clicked) { clicked_ = clicked; }

  // Draws the control on a device set up by the paint cycle; graphic controls paint themselves.
  virtual void PaintOn(pf::Device& device, const TRect& form_clip) {
    (void)device;
    (void)form_clip;
  }

 protected:
  // The base's own events, which descendants do not publish.
  TNotifyEvent OnClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;

  // The handlers Dispatch gives CM_MOUSEENTER and CM_MOUSELEAVE to. The base ones tell the
  // parent; a class that replaces them handles the notification itself and passes nothing on.
  virtual void MouseEnter(TMessage& message) { NotifyParent(message); }
  virtual void MouseLeave(TMessage& message) { NotifyParent(message); }

  virtual void FontChanged();
  virtual void BoundsChanged() {}
  // Stores the flag only; forms decide for themselves when their window shows.
  void StoreVisible(bool visible) { visible_ = visible; }
  // The host a control at the top of its parents stands for: a form is its own.
  virtual TControlHost* AsHost() { return nullptr; }
  // The parent's font, taken while ParentFont is set.
  void TakeParentFont();
  friend class TWinControl;

 private:
  void InvalidateRect(const TRect& rect_in_parent);
  void TellHitAreasChanged();
  // Passes an enter or leave notification up, with this control as its subject.
  void NotifyParent(const TMessage& message);

  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  bool clicked_ = false;
  pf::AccessibleId accessible_id_;
  TWinControl* parent_ = nullptr;
  TCursor cursor_ = crDefault;
  String hint_;
  bool show_hint_ = false;
  bool parent_show_hint_ = true;
  THelpType help_type_ = THelpType::htContext;
  String help_keyword_;
  int help_context_ = 0;
  std::unique_ptr<TFont> font_;
  bool parent_font_ = true;
  bool taking_parent_font_ = false;
};

// A control that holds others. Children lie in creation order; later ones lie above.
class TWinControl : public TControl {
  QF_PUBLISHED_CLASS()

 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_.at(static_cast<std::size_t>(index)); }

  // The topmost visible child under a client point; disabled ones only when allowed.
  TControl* ControlAtPos(TPoint client, bool allow_disabled) const;
  // The deepest control under a client point: a child, a child's child, or this control.
  TControl* FindControlAt(TPoint client, bool allow_disabled);

  // Paints the children that meet `form_clip` (form client coordinates).
  void PaintControls(pf::Device& device, const TRect& form_clip);

 protected:
  void FontChanged() override;
  virtual void ChildBoundsChanged(TControl* child) { (void)child; }

 private:
  friend class TControl;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);

  std::vector<TControl*> controls_;
};

extern const EnumInfo kHelpTypeNames;
extern const EnumInfo kAlignmentNames;

}  // namespace fw
