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

TPoint ClientPointOf(const TCustomForm& form, pf::Point screen) {
  const pf::Rect bounds = form.Window().Bounds();
  return {screen.x - bounds.left, screen.y - bounds.top};
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
  if (!Application) Application = this;
}

TApplication::~TApplication() {
  DestroyComponents();
  if (Application == this) Application = nullptr;
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
  // While a control holds the mouse, only it hears of entering and leaving.
  if (capture_control_ && target != capture_control_) target = nullptr;
  if (target != mouse_control_) {
    TControl* previous = mouse_control_;
    mouse_control_ = target;
    if (previous) previous->Perform(CM_MOUSELEAVE);
    if (target && mouse_control_ == target) target->Perform(CM_MOUSEENTER);
  }
  TellScreenReaders();
}

// What changed in the forms since the last turn of the loop: a button lit or unlit, one that
// came or went, a new name.
void TApplication::TellScreenReaders() {
  for (int i = 0; i < ComponentCount(); ++i) {
    if (auto* form = dynamic_cast<TCustomForm*>(Components(i))) form->Accessibility().Refresh();
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

TControl* TApplication::FindControlAtScreen(pf::Point screen) const {
  auto* form = dynamic_cast<TCustomForm*>(pf::Current().WindowAt(screen));
  if (!form || !form->Visible()) return nullptr;
  return form->FindControlAt(ClientPointOf(*form, screen), true);
}

// At idle time every event is in and the record of them answers. Elsewhere the platform says:
// while a message is handled, later ones may have moved the pointer already (the position is the
// pointer's now, as Windows' GetCursorPos gives it); while a control holds the mouse, its form's
// window hears of moves over other windows too; and while the pointer is off our forms, where
// no window of ours hears of it.
TControl* TApplication::ControlUnderPointer() const {
  if (idle_ && pointer_.form && !capture_control_) return ControlAtRecordedPointer();
  const pf::Point screen = pf::Current().CursorPos();
  TControl* found = FindControlAtScreen(screen);
  if (idle_ && !capture_control_ && found) {  // on a form: its window's events keep it current
    TCustomForm* form = found->ParentForm();
    pointer_ = {form, ClientPointOf(*form, screen)};
  }
  return found;
}

TControl* TApplication::ControlAtRecordedPointer() const {
  if (!pointer_.form->Visible()) return nullptr;
  return pointer_.form->FindControlAt(pointer_.client, true);
}

void TApplication::PointerAt(TCustomForm* form, TPoint client) { pointer_ = {form, client}; }

// Off this form, but where: over another of ours, or over none? The platform says at idle time.
void TApplication::PointerLeft(TCustomForm* form) {
  if (pointer_.form == form) pointer_.form = nullptr;
}

void TApplication::PointerUnknown() { pointer_.form = nullptr; }

void TApplication::ControlDestroying(TControl* control) {
  if (capture_control_ == control) SetCaptureControl(nullptr);
  if (mouse_control_ == control) mouse_control_ = nullptr;
}

void TApplication::FormDestroying(TCustomForm* form) {
  if (pointer_.form == form) pointer_.form = nullptr;
  auto belongs = [form](TControl* c) { return c && c->ParentForm() == form; };
  if (belongs(capture_control_)) capture_control_ = nullptr;
  if (belongs(mouse_control_)) mouse_control_ = nullptr;
  if (main_form_ == form) main_form_ = nullptr;
}

}  // namespace fw
