#pragma once
// The application as its forms see it: where their windows say the pointer is, the two controls
// the mouse rules name, which form is the main one, how the program ends, its title. Forms lie
// below the application, so they reach it through this; TApplication is the one that implements
// it and makes itself known here while it exists.
#include "framework/objects/sysutils.h"
#include "platform/geometry.h"

namespace fw {

class TControl;
class TCustomForm;

class TFormsApplication {
 public:
  // The windows' reports: the pointer is at a client point of `form`, over `under` (the topmost
  // control there, disabled ones included, as the event's hit test found it while the form's
  // HitAreas() had its value now); it left `form`'s window (for a place where no other form's
  // window reports it); no report can tell where it is now (a form was shown, restored or
  // enabled again); `form` was hidden from under it.
  virtual void PointerAt(TCustomForm& form, pf::Point client, TControl* under) = 0;
  virtual void PointerLeft(TCustomForm& form) = 0;
  virtual void PointerUnknown() = 0;
  virtual void FormHidden(TCustomForm& form) = 0;

  // The control that holds the mouse during a press; the one the enter and leave notifications
  // last named; the topmost one under the pointer now (disabled ones included).
  virtual TControl* CaptureControl() const = 0;
  virtual void SetCaptureControl(TControl* control) = 0;
  virtual TControl* MouseControl() const = 0;
  virtual TControl* ControlUnderPointer() const = 0;

  // A control (and whatever it holds) leaves its form: forget it wherever it is named.
  virtual void ControlLeaving(TControl& control) = 0;
  virtual void FormCreated(TCustomForm& form) = 0;
  virtual void FormDestroying(TCustomForm& form) = 0;

  virtual TCustomForm* MainForm() const = 0;
  virtual void Terminate() = 0;
  // The application's title (ANSI): what screen readers call its forms.
  virtual const String& Title() const = 0;

 protected:
  ~TFormsApplication() = default;
};

// The application that runs now, or null (a form made without one).
TFormsApplication* FormsApplication();
void SetFormsApplication(TFormsApplication* application);

}  // namespace fw
