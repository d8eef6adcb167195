#pragma once
// The application object: the message loop, the idle-time mouse notifications, the main form.
#include <functional>

#include "framework/controls/forms.h"

namespace fw {

class TApplication : public TComponent {
  QF_PUBLISHED_CLASS()

 public:
  explicit TApplication(TComponent* owner);
  ~TApplication() override;

  // Makes the framework's own classes known to form descriptions and gives the application
  // window its title.
  void Initialize();
  // Creates a form owned by the application; the first becomes the main form.
  template <class T>
  void CreateForm(T*& reference) {
    reference = nullptr;
    T* form = new T(this);
    reference = form;
    if (!main_form_) main_form_ = form;
  }
  TCustomForm* MainForm() const { return main_form_; }

  // Shows the main form and handles messages until the main form closes.
  void Run();
  // One message; when the queue is empty, the idle processing and a wait for the next message.
  void HandleMessage();
  // Every pending message, without the idle processing.
  void ProcessMessages();
  // The idle processing: the mouse enter and leave notifications.
  void Idle();
  void Terminate();
  bool Terminated() const { return terminated_; }

  void Minimize();
  int MessageBox(const String& text, const String& caption, unsigned flags);
  // A message box with the error icon, the title as caption, and the message with a full stop
  // added when its last character sorts after '.'. An empty message shows the exception's class.
  void ShowException(const Exception& e);
  const String& Title() const;
  void SetTitle(const String& title);
  String ExeName() const;
  pf::NativeHandle Handle() const;

  // Mouse state shared by all forms.
  TControl* CaptureControl() const { return capture_control_; }
  void SetCaptureControl(TControl* control);
  TControl* MouseControl() const { return mouse_control_; }
  // The topmost control under a screen point, disabled ones included (a form when no child).
  TControl* FindControlAtScreen(pf::Point screen) const;
  // The topmost control under the pointer now, disabled ones included; null off every form.
  TControl* ControlUnderPointer() const;
  // Where the pointer is, as the forms' windows tell it: at a client point of a form, off a
  // form (then where, only the platform knows), or somewhere no event has told (a form shown,
  // back on screen or enabled again).
  void PointerAt(TCustomForm* form, TPoint client);
  void PointerLeft(TCustomForm* form);
  void PointerUnknown();
  // A control is going away: forget it everywhere.
  void ControlDestroying(TControl* control);
  void FormDestroying(TCustomForm* form);

 private:
  bool terminated_ = false;
  TCustomForm* main_form_ = nullptr;
  TControl* capture_control_ = nullptr;
  TControl* mouse_control_ = nullptr;
  // The pointer as the last mouse event of a form's window told it; `form` null: no event tells
  // where it is now (it left, or was never seen), so the platform is asked.
  struct PointerRecord {
    TCustomForm* form = nullptr;
    TPoint client;
  };
  mutable PointerRecord pointer_;
  // Set while the idle processing runs: every message is handled, so the record is current.
  bool idle_ = false;
  TControl* ControlAtRecordedPointer() const;
  void TellScreenReaders();
  mutable String title_;
  bool title_set_ = false;
};

// The one application object, made by the program entry (or a test).
extern TApplication* Application;

// The full-stop rule of the exception display.
String ExceptionText(const String& message);

}  // namespace fw
