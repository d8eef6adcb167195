#pragma once
// The application object: the message loop, the idle-time mouse notifications, the main form, and
// the one record of where the pointer is.
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "framework/controls/forms.h"
#include "framework/controls/forms_application.h"

namespace fw {

class TApplication : public TComponent, public TFormsApplication {
  QF_PUBLISHED_CLASS()

 public:
  explicit TApplication(TComponent* owner);
  ~TApplication() override;

  // Makes the framework's own classes known to form descriptions and gives the application
  // window its title.
  void Initialize();
  // Creates a form owned by the application; the first made so becomes the main form, whatever
  // forms were made before it otherwise.
  template <class T>
  void CreateForm(T*& reference) {
    reference = nullptr;
    T* form = new T(this);
    reference = form;
    if (!main_form_) SetMainForm(form);
  }
  TCustomForm* MainForm() const override { return main_form_; }

  // Shows the main form and handles messages until the main form closes.
  void Run();
  // One message; when the queue is empty, the idle processing and a wait for the next message.
  void HandleMessage();
  // Every pending message, without the idle processing.
  void ProcessMessages();
  // The idle processing: the mouse enter and leave notifications, the focus cue where the current
  // choice is now, and what screen readers are to be told.
  void Idle();
  void Terminate() override;
  bool Terminated() const { return terminated_; }

  void Minimize();
  int MessageBox(const String& text, const String& caption, unsigned flags);
  // A message box with the error icon, the title as caption, and the message with a full stop
  // added when its last character sorts after '.'. An empty message shows the exception's class.
  void ShowException(const Exception& e);
  const String& Title() const override;
  void SetTitle(const String& title);
  String ExeName() const;
  pf::NativeHandle Handle() const;

  // Mouse state shared by all forms.
  TControl* CaptureControl() const override { return capture_control_; }
  void SetCaptureControl(TControl* control) override;
  TControl* MouseControl() const override { return mouse_control_; }
  TControl* ControlUnderPointer() const override;

  // What the forms' windows report, and what becomes of forms and controls.
  void PointerAt(TCustomForm& form, TPoint client, TControl* under) override;
  void PointerLeft(TCustomForm& form) override;
  void PointerUnknown() override;
  void FormHidden(TCustomForm& form) override;
  void ControlLeaving(TControl& control) override;
  void FormCreated(TCustomForm& form) override;
  void FormDestroying(TCustomForm& form) override;

 private:
  // Where the pointer is, as the windows' reports put it: on a form at a client point (outside
  // its client area while a control holds the mouse and it is dragged off), off every form (a
  // window said it left), or unknown, when no report can tell: a form was shown, hidden,
  // restored, enabled again or destroyed under it. Off or unknown, and while a message is
  // handled, the platform is asked (told the record, when there is one).
  // On a form, it keeps the control a hit test found at the point, while the form's hit areas
  // are as they were then: an idle after an event asks no second one.
  struct PointerRecord {
    enum class Where { kUnknown, kOff, kOn } where = Where::kUnknown;
    TCustomForm* form = nullptr;
    TPoint client;
    TControl* under = nullptr;
    std::optional<std::uint64_t> hit_areas;  // when `under` was found; none: not yet
    bool SameSpot(const PointerRecord& other) const {
      return where == other.where && form == other.form && client == other.client;
    }
  };
  static TControl* ControlAt(PointerRecord& record);
  PointerRecord AskPlatform() const;
  // The platform hears which window is main: its taskbar entry closes and focuses that one.
  void SetMainForm(TCustomForm* form);
  TCustomForm* FormOf(const pf::WindowHandler* window) const;
  bool AnyShownFormDisabled() const;
  void CatchUpForms();

  bool terminated_ = false;
  TCustomForm* main_form_ = nullptr;
  std::vector<TCustomForm*> forms_;
  TControl* capture_control_ = nullptr;
  TControl* mouse_control_ = nullptr;
  mutable PointerRecord pointer_;
  // Set while the idle processing runs: every message is handled, so the record is current.
  bool idle_ = false;
  mutable String title_;
  bool title_set_ = false;
};

// The one application object, made by the program entry (or a test).
extern TApplication* Application;

// The full-stop rule of the exception display.
String ExceptionText(const String& message);

}  // namespace fw
