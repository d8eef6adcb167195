#include "framework/controls/application.h"

#include <algorithm>

#include "framework/controls/image.h"
#include "framework/controls/timer.h"
#include "platform/entry.h"
#include "platform/platform.h"

namespace fw {

TApplication* Application = nullptr;

namespace {

void RegisterStandardClasses() {
  for (const ClassInfo* info :
       {&TForm::StaticClass(), &TImage::StaticClass(), &TTimer::StaticClass()}) {
    RegisterClass(*info);
  }
}

String FileNameWithoutExtension(const String& path) {
  const auto slash = path.find_last_of("\\/");
  String name = slash == String::npos ? path : path.substr(slash + 1);
  const auto dot = name.find_last_of('.');
  if (dot != String::npos && dot > 0) name.erase(dot);
  return name;
}
}  // namespace

String ExceptionText(const String& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + '.';
  return message;
}

const ClassInfo& TApplication::StaticClass() {
  static const ClassInfo info = NewClass("TApplication", &TComponent::StaticClass());
  return info;
}

TApplication::TApplication(TComponent* owner) : TComponent(owner) {
  if (!Application) {
    Application = this;
    SetFormsApplication(this);
  }
}

TApplication::~TApplication() {
  DestroyComponents();
  if (Application == this) {
    Application = nullptr;
    SetFormsApplication(nullptr);
  }
}

// The application window carries the title from the start: the taskbar entry and the task
// switcher show it.
void TApplication::Initialize() {
  RegisterStandardClasses();
  pf::Current().SetApplicationTitle(Title());
}

void TApplication::Run() {
  if (main_form_ && !main_form_->Visible()) main_form_->Show();
  while (!terminated_) HandleMessage();
}

void TApplication::HandleMessage() {
  pf::Platform& platform = pf::Current();
  switch (platform.PumpOne()) {
    case pf::PumpResult::Quit: terminated_ = true; break;
    case pf::PumpResult::Empty:
      Idle();
      if (!terminated_) platform.WaitMessage();
      break;
    case pf::PumpResult::Dispatched: break;
  }
}

void TApplication::ProcessMessages() {
  pf::Platform& platform = pf::Current();
  for (;;) {
    const pf::PumpResult r = platform.PumpOne();
    if (r == pf::PumpResult::Empty) break;
    if (r == pf::PumpResult::Quit) terminated_ = true;
  }
}

void TApplication::Idle() {
  struct Scope {
    bool& idle;
    explicit Scope(bool& flag) : idle(flag) { idle = true; }
    ~Scope() { idle = false; }
  } scope(idle_);
  TControl* target = ControlUnderPointer();
  // While a control holds the mouse, only it hears of entering and leaving; a designed form's
  // controls hear of neither.
  if (capture_control_ && target != capture_control_) target = nullptr;
  if (target && target->ParentForm()->Designer()) target = nullptr;
  if (target != mouse_control_) {
    TControl* previous = mouse_control_;
    mouse_control_ = target;
    if (previous) previous->Perform(CM_MOUSELEAVE);
    if (target && mouse_control_ == target) target->Perform(CM_MOUSEENTER);
  }
  CatchUpForms();
}

// What changed in the forms since the last turn of the loop: the focus cue where the current
// choice is now; for screen readers, a button lit or unlit, one that came or went, a new name.
void TApplication::CatchUpForms() {
  for (TCustomForm* form : forms_) {
    if (form->Choices().CueStale()) form->PlaceFocusCue();
    form->Accessibility().Refresh();
  }
}

void TApplication::Terminate() {
  if (terminated_) return;
  terminated_ = true;
  pf::Current().PostQuit();
}

void TApplication::Minimize() { pf::Current().MinimizeApplication(); }

int TApplication::MessageBox(const String& text, const String& caption, unsigned flags) {
  return pf::Current().MessageBox(Handle(), text, caption, flags);
}

void TApplication::ShowException(const Exception& e) {
  MessageBox(ExceptionText(pf::DescribeException(e)), Title(), pf::kBoxIconError);
}

const String& TApplication::Title() const {
  if (!title_set_) title_ = FileNameWithoutExtension(ExeName());
  return title_;
}

void TApplication::SetTitle(const String& title) {
  title_ = title;
  title_set_ = true;
  pf::Current().SetApplicationTitle(title);
}

String TApplication::ExeName() const { return pf::Current().ExecutablePath(); }

pf::NativeHandle TApplication::Handle() const { return pf::Current().ApplicationHandle(); }

void TApplication::SetCaptureControl(TControl* control) {
  TControl* previous = capture_control_;
  capture_control_ = control;
  if (control) {
    if (TCustomForm* form = control->ParentForm()) form->Window().SetCapture();
  } else if (previous) {
    if (TCustomForm* form = previous->ParentForm()) form->Window().ReleaseCapture();
  }
}

// While a control holds the mouse, its form's window reports every move wherever the pointer
// goes; at idle time every report is in: then a record on a form answers. The platform says where
// the pointer is now while a message is handled (later reports may still wait; the buttons'
// release picture follows the pointer now), where no report tells, and while the pointer is off
// our forms: a form may come under it without a report (Wine sends no move to a window restored
// under a pointer that moved while it was away). Told the record, a platform that can know no
// better without a round trip answers with it.
TControl* TApplication::ControlUnderPointer() const {
  const bool reports_current = idle_ || capture_control_;
  if (reports_current && pointer_.where == PointerRecord::Where::kOn) return ControlAt(pointer_);
  PointerRecord now = AskPlatform();
  if (now.SameSpot(pointer_)) now = pointer_;  // its hit test may still hold
  TControl* under = ControlAt(now);
  if (idle_) pointer_ = now;
  return under;
}

TControl* TApplication::ControlAt(PointerRecord& record) {
  if (record.where != PointerRecord::Where::kOn) return nullptr;
  TCustomForm& form = *record.form;
  if (!form.Visible() || !form.ClientRect().Contains(record.client)) return nullptr;
  if (record.hit_areas != form.HitAreas()) {
    record.under = form.FindControlAt(record.client, true);
    record.hit_areas = form.HitAreas();
  }
  return record.under;
}

TApplication::PointerRecord TApplication::AskPlatform() const {
  std::optional<pf::PointerSpot> reported;
  if (pointer_.where == PointerRecord::Where::kOn) {
    reported = pf::PointerSpot{pointer_.form, pointer_.client};
  } else if (pointer_.where == PointerRecord::Where::kOff) {
    reported = pf::PointerSpot{};
  }
  const pf::PointerSpot now = pf::Current().PointerNow(reported);
  if (TCustomForm* form = FormOf(now.window)) {
    return {PointerRecord::Where::kOn, form, now.client, nullptr, std::nullopt};
  }
  return {PointerRecord::Where::kOff, nullptr, {}, nullptr, std::nullopt};
}

// The platform names a window by the handler it reports to: one of our forms, or another's.
TCustomForm* TApplication::FormOf(const pf::WindowHandler* window) const {
  for (TCustomForm* form : forms_) {
    if (static_cast<const pf::WindowHandler*>(form) == window) return form;
  }
  return nullptr;
}

void TApplication::PointerAt(TCustomForm& form, TPoint client, TControl* under) {
  pointer_ = {PointerRecord::Where::kOn, &form, client, under, form.HitAreas()};
}

// Off this form, for a place where no other form's window reports it. A disabled form's window
// reports nothing: over one, only the platform can tell.
void TApplication::PointerLeft(TCustomForm& form) {
  if (pointer_.form != &form) return;  // another form has reported it since
  pointer_ = {AnyShownFormDisabled() ? PointerRecord::Where::kUnknown : PointerRecord::Where::kOff,
              nullptr, {}, nullptr, std::nullopt};
}

void TApplication::PointerUnknown() { pointer_ = {}; }

// What lay beneath it is under the pointer now: only the platform can say what.
void TApplication::FormHidden(TCustomForm& form) {
  if (pointer_.form == &form) pointer_ = {};
}

bool TApplication::AnyShownFormDisabled() const {
  for (const TCustomForm* form : forms_) {
    if (form->Visible() && !form->GetEnabled()) return true;
  }
  return false;
}

void TApplication::ControlLeaving(TControl& control) {
  if (capture_control_ && control.Holds(capture_control_)) SetCaptureControl(nullptr);
  if (mouse_control_ && control.Holds(mouse_control_)) mouse_control_ = nullptr;
}

void TApplication::SetMainForm(TCustomForm* form) {
  main_form_ = form;
  pf::Current().SetMainWindow(form ? &form->Window() : nullptr);
}

void TApplication::FormCreated(TCustomForm& form) { forms_.push_back(&form); }

void TApplication::FormDestroying(TCustomForm& form) {
  std::erase(forms_, &form);
  if (pointer_.form == &form) pointer_ = {};
  auto belongs = [&form](TControl* c) { return c && c->ParentForm() == &form; };
  if (belongs(capture_control_)) capture_control_ = nullptr;
  if (belongs(mouse_control_)) mouse_control_ = nullptr;
  if (main_form_ == &form) SetMainForm(nullptr);
}

}  // namespace fw
