#include "tools/designer/designer.h"

#include <cctype>

#include "framework/controls/control.h"
#include "framework/controls/timer.h"
#include "framework/description_tools/writer.h"
#include "platform/platform.h"
#include "tools/designer/prompt.h"

namespace designer {
namespace {

constexpr char kProgram[] = "qf_designer";

fw::String FileNameOf(const std::optional<std::string>& path) {
  if (!path) return "new form";
  const auto slash = path->find_last_of("/\\");
  return slash == std::string::npos ? *path : path->substr(slash + 1);
}

// A byte block shows as what it is, not as its digits; a field left as it is changes nothing.
fw::String Shown(const std::string& value) {
  if (value.empty() || value[0] != '<') return value;
  std::size_t digits = 0;
  for (char c : value) digits += std::isxdigit(static_cast<unsigned char>(c)) ? 1 : 0;
  if (digits == 0) return {};
  fw::String shown = "<";
  shown += std::to_string(digits / 2);  // appended: GCC 12 warns of a false overlap in "<" + s
  return shown + " bytes>";
}

// The value the text gives, else the one the live component has (its class's default, which the
// text leaves out); an event the designer itself bound while the form is tried has no text.
std::string ValueShown(const fw::TextDocument& text, std::size_t index, const fw::TComponent& c,
                       const fw::String& property) {
  if (std::optional<std::string> written = text.ValueText(index, property)) return *written;
  try {
    return fw::PropertyValueText(c, property).value_or("");
  } catch (const fw::EWriteError&) {
    return {};
  }
}

// A picture's field takes a file's path as it is typed, the way the text names a file.
std::string PictureValue(const fw::PropInfo& p, const fw::String& typed) {
  if (p.type != fw::PropType::Bytes || typed.empty() || typed[0] == '<' ||
      typed.rfind("file ", 0) == 0) {
    return typed;
  }
  std::string quoted = "file \"";
  for (char c : typed) quoted += (c == '"' || c == '\\') ? std::string{'\\', c} : std::string{c};
  return quoted + "\"";
}

}  // namespace

Designer::Designer(fw::TApplication& application, FileStore& files,
                   std::optional<std::string> path)
    : application_(application),
      session_(std::make_unique<DesignSession>(files, std::move(path))) {
  // The form is made first; the designer's window, made second, is the main one.
  application_.CreateForm(window_);
  window_->SetPalette(CollectPalette());
  window_->on_choose = [this](fw::TComponentClass cls) { Choose(cls); };
  window_->on_close = [this] { Quit(); };
  window_->Properties().on_set = [this](const fw::String& p, const fw::String& v) {
    return SetProperty(p, v);
  };
  window_->OnKeyDown = fw::TKeyEvent([this](fw::TObject*, unsigned& key, fw::TShiftState s) {
    if (key == pf::kKeyEscape) {
      Choose(nullptr);  // the window stays: Esc lets go of a chosen class
      key = 0;
    } else if (CommandKey(key, s.Bits())) {
      key = 0;
    }
  });
  window_->FileWatch().OnTimer = fw::TNotifyEvent([this](fw::TObject*) { CheckFile(); });
  DesignSurface::Commands commands;
  commands.place = [this](int x, int y) { return PlaceChosen(x, y); };
  commands.command_key = [this](const pf::KeyEvent& e) { return CommandKey(e.key, e.shift); };
  commands.close = [this] { Quit(); };
  commands.changed = [this] { Refresh(); };
  surface_ = std::make_unique<DesignSurface>(*session_, std::move(commands));
  surface_->on_error = [this](const fw::Exception& e) { Refuse(e); };
  session_->on_root_replaced = [this] { AttachRoot(); };
  session_->on_method = [this](const fw::String& method) {
    Say(method + " would run");
    pf::Current().DebugOutput(fw::String(kProgram) + ": " + method + " would run\n");
  };
  AttachRoot();
  Refresh();
  Say("Click a control to select it; choose a class above to place one.");
}

Designer::~Designer() {
  if (session_) session_->Root().SetDesigner(nullptr);
}

// Where the form shows while designed: right of the designer's window where the screen has the
// room, else where its text puts it. Only the live form moves: its text keeps its place.
void Designer::PlaceBesideWindow(TDesignRoot& root) {
  constexpr int kGap = 24;
  const int left = window_->Left() + window_->Width() + kGap;
  if (left + root.Width() > pf::Current().ScreenSize().cx) return;
  root.SetPosition(fw::TPosition::poDesigned);
  root.SetBounds(left, window_->Top(), root.Width(), root.Height());
}

// The form shows framed, opaque and still, beside the designer's window, and answers to the
// surface.
void Designer::AttachRoot() {
  TDesignRoot& root = session_->Root();
  root.SetDesigner(trying_ ? nullptr : surface_.get());
  if (!root.Visible()) PlaceBesideWindow(root);
  root.Show();
  root.SetFocus();
}

// ---- what the windows show ----------------------------------------------------------------

void Designer::Refresh() {
  const fw::TComponent& c = session_->SelectedComponent();
  const fw::String selected = session_->Selected();
  const std::size_t index = selected.empty() ? 0 : *session_->Text().Find(selected);
  std::vector<PropertyRow> rows{{"Name", c.Name()}};
  for (const fw::PropInfo* p : c.Class().Properties()) {
    rows.push_back({p->name, Shown(ValueShown(session_->Text(), index, c, p->name))});
  }
  window_->Properties().Show(rows);
  window_->SetHeader(c.Name() + ": " + c.ClassName());
  window_->SetCaption(fw::String(kProgram) + " - " + FileNameOf(session_->Path()) +
                      (session_->Modified() ? " *" : ""));
  surface_->MarksMoved();
}

void Designer::Say(const fw::String& text) { window_->SetStatus(text); }

void Designer::Refuse(const fw::Exception& e) {
  Say(e.Message());
  application_.MessageBox(e.Message(), kProgram, pf::kBoxIconError);
}

bool Designer::SetProperty(const fw::String& property, const fw::String& value) {
  const fw::String selected = session_->Selected();
  try {
    if (property == "Name") {
      session_->Rename(selected, value);
    } else {
      const fw::PropInfo* p = session_->SelectedComponent().Class().FindProperty(property);
      session_->SetProperty(selected, property, p ? PictureValue(*p, value) : value);
    }
  } catch (const fw::Exception& e) {
    Refuse(e);
    return false;
  }
  Refresh();
  return true;
}

// ---- the palette --------------------------------------------------------------------------

void Designer::Choose(fw::TComponentClass cls) {
  chosen_ = cls;
  window_->ShowChosen(cls);
  Say(cls ? "Click on the form to place a " + cls->name + " (Insert: next to the selection)."
          : fw::String());
}

bool Designer::PlaceChosen(int x, int y) {
  if (!chosen_) return false;
  try {
    const fw::String name = session_->Place(chosen_->name, x, y);
    Say(name + " placed");
  } catch (const fw::Exception& e) {
    Refuse(e);
  }
  Choose(nullptr);
  Refresh();
  return true;
}

// ---- commands -----------------------------------------------------------------------------

bool Designer::CommandKey(unsigned key, unsigned shift) {
  const bool ctrl = (shift & pf::kCtrlKey) != 0;
  if (key == pf::kKeyF9) {
    ToggleTry();
  } else if (key == pf::kKeyF1 + 5) {  // F6: the other window
    if (window_->Choices().Focused()) {
      session_->Root().SetFocus();
    } else {
      window_->SetFocus();
    }
  } else if (ctrl && key == 'S') {
    Save();
  } else if (ctrl && key == 'Z') {
    Undo();
  } else if (ctrl && key == 'Y') {
    Redo();
  } else if (ctrl && (key == 'C' || key == 'X') && !trying_) {
    Copy(key == 'X');
  } else if (ctrl && key == 'V' && !trying_) {
    Paste();
  } else {
    return false;
  }
  return true;
}

void Designer::Undo() {
  if (!session_->CanUndo()) return Say("Nothing to undo");
  Run([this] { session_->Undo(); });
}

void Designer::Redo() {
  if (!session_->CanRedo()) return Say("Nothing to redo");
  Run([this] { session_->Redo(); });
}

// A change of the session; what it raises is said, and the windows show what it left.
template <class F>
void Designer::Run(F&& change) {
  try {
    change();
  } catch (const fw::Exception& e) {
    Refuse(e);
  }
  Refresh();
}

void Designer::Copy(bool cut) {
  const fw::String selected = session_->Selected();
  if (selected.empty()) return Say("Select a control to copy it");
  if (!pf::Current().SetClipboardText(session_->CopyText(selected))) {
    return Say("The clipboard could not be taken");
  }
  Say(selected + (cut ? " cut" : " copied"));
  Run([&] {
    if (cut) session_->Delete(selected);
  });
}

void Designer::Paste() {
  const std::optional<std::string> text = pf::Current().ClipboardText();
  if (!text) return Say("The clipboard holds no text");
  Run([&] { Say(session_->Paste(*text) + " pasted"); });
}

// F9: the form runs (hover, Tab, the focus cue, screen readers), its handlers told, not run;
// F9 again, or its window closed, and it is designed again. While it is tried its window keeps
// its frame and shows opaque, and its timers stay still (a fade would start from nothing, and its
// steps are not a person's doing): only the live form changes for it, never its text.
void Designer::ToggleTry() {
  TDesignRoot& root = session_->Root();
  trying_ = !trying_;
  if (trying_) {
    form_keys_ = root.OnKeyDown;
    form_preview_ = root.KeyPreview();
    form_style_ = root.BorderStyle();
    stilled_timers_.clear();
    for (int i = 0; i < root.ComponentCount(); ++i) {
      auto* timer = dynamic_cast<fw::TTimer*>(root.Components(i));
      if (timer && timer->Enabled()) {
        timer->SetEnabled(false);
        stilled_timers_.push_back(timer->Name());
      }
    }
    if (form_style_ == fw::TFormBorderStyle::bsNone) root.SetBorderStyle(fw::TFormBorderStyle::bsSingle);
    form_blends_ = root.AlphaBlend();
    root.SetAlphaBlend(false);
    root.SetKeyPreview(true);
    root.OnKeyDown = fw::TKeyEvent([this](fw::TObject*, unsigned& key, fw::TShiftState s) {
      if (CommandKey(key, s.Bits())) key = 0;
    });
    root.SetDesigner(nullptr);
    Say("Trying the form: its handlers are named here, not run. F9 goes back to designing.");
  } else {
    root.OnKeyDown = form_keys_;
    root.SetKeyPreview(form_preview_);
    root.SetBorderStyle(form_style_);
    root.SetAlphaBlend(form_blends_);
    for (const fw::String& name : stilled_timers_) {
      if (auto* timer = dynamic_cast<fw::TTimer*>(root.FindComponent(name))) timer->SetEnabled(true);
    }
    root.SetDesigner(surface_.get());
    if (!root.Visible()) root.Show();
    Say("Designing");
  }
  Refresh();
}

// ---- the file -----------------------------------------------------------------------------

void Designer::Save() {
  std::string problem;
  DesignSession::SaveResult result = session_->Save(false, &problem);
  if (result == DesignSession::SaveResult::kNoPath) return SaveAs();
  if (result == DesignSession::SaveResult::kChangedOnDisk) {
    const int answer = application_.MessageBox(
        *session_->Path() + " was changed by another program since it was read.\n\n"
                            "Write over it?",
        kProgram, pf::kBoxYesNo | pf::kBoxIconWarning);
    if (answer != pf::kBoxResultYes) return Say("Not saved");
    result = session_->Save(true, &problem);
  }
  if (result == DesignSession::SaveResult::kFailed) {
    Say("Not saved: " + problem);
    application_.MessageBox("Not saved: " + problem + "\n\nThe file and your changes are as they were.",
                            kProgram, pf::kBoxIconError);
    return;
  }
  Say("Saved " + *session_->Path());
  Refresh();
}

void Designer::SaveAs() {
  const std::optional<fw::String> path =
      AskText(application_, kProgram, "Save the new form as (a path):", "Form1.form");
  if (!path || path->empty()) return Say("Not saved");
  session_->SetPath(*path);
  Save();
}

void Designer::CheckFile() {
  if (trying_ && !session_->Root().Visible()) ToggleTry();  // closed while tried: design again
  std::string problem;
  switch (session_->CheckFile(&problem)) {
    case DesignSession::OutsideChange::kFollowed:
      Say("Followed the change another program made to the file");
      Refresh();
      break;
    case DesignSession::OutsideChange::kConflict:
      if (application_.MessageBox(*session_->Path() +
                                      " was changed by another program.\n\nRead it again, and "
                                      "lose the changes made here?",
                                  kProgram, pf::kBoxYesNo | pf::kBoxIconQuestion) ==
          pf::kBoxResultYes) {
        session_->Reload();
        Refresh();
      }
      break;
    case DesignSession::OutsideChange::kUnreadable: Say("The file does not read now: " + problem); break;
    case DesignSession::OutsideChange::kNone: break;
  }
}

bool Designer::Quit() {
  if (session_->Modified()) {
    const int answer = application_.MessageBox(
        "Save the changes to " + FileNameOf(session_->Path()) + "?", kProgram,
        pf::kBoxYesNoCancel | pf::kBoxIconQuestion);
    if (answer == pf::kBoxResultCancel) return false;
    if (answer == pf::kBoxResultYes) {
      Save();
      if (session_->Modified()) return false;  // not saved: stay
    }
  }
  application_.Terminate();
  return true;
}

}  // namespace designer
