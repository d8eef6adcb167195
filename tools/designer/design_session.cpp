#include "tools/designer/design_session.h"

#include <algorithm>

#include "framework/controls/control.h"
#include "framework/description_tools/file_references.h"
#include "framework/description_tools/text_reading.h"
#include "framework/description_tools/writer.h"
#include "tools/designer/keyboard_order.h"
#include "tools/designer/live_form.h"
#include "tools/designer/naming.h"

namespace designer {
namespace {

// What `qf_designer` alone starts with.
constexpr char kNewForm[] =
    "TForm Form1 {\n"
    "  Left = 200\n"
    "  Top = 150\n"
    "  ClientWidth = 400\n"
    "  ClientHeight = 300\n"
    "  Caption = \"Form1\"\n"
    "}\n";

// A placed control that its class makes without a size gets a button's.
constexpr int kPlacedWidth = 75;
constexpr int kPlacedHeight = 25;

std::string Load(FileStore& files, const std::optional<std::string>& path) {
  if (!path) return kNewForm;
  std::optional<std::string> bytes = files.Read(*path);
  if (!bytes) throw fw::Exception(*path + " cannot be read");
  return std::move(*bytes);
}

int Clamped(int value, int min, int max) { return std::clamp(value, min, max); }

}  // namespace

DesignSession::DesignSession(FileStore& files, std::optional<std::string> path)
    : files_(files), path_(std::move(path)), text_(Load(files_, path_)) {
  if (path_) {
    disk_ = text_.Text();
    stamp_ = files_.Stamp(*path_);
  }
  saved_ = text_.Text();
  ReadAnew(text_);
}

DesignSession::~DesignSession() {
  on_method = nullptr;
  root_.reset();  // not Free: the form's OnDestroy is its program's, not the designer's
}

std::string DesignSession::Folder() const {
  return path_ ? fw::syntax::FolderOf(*path_) : std::string();
}

// ---- the live form ------------------------------------------------------------------------

void DesignSession::ReadAnew(const fw::TextDocument& text) {
  std::unique_ptr<TDesignRoot> read(ReadLiveForm(text, Folder(), nullptr, [this](const fw::String& m) {
    if (on_method) on_method(m);
  }));
  if (root_) {
    read->SetBounds(root_->Left(), root_->Top(), read->Width(), read->Height());
  }
  root_ = std::move(read);
  if (on_root_replaced) on_root_replaced();
}

// The live form follows the text where it can; where it cannot, or following fails, it is read
// anew, and a text that does not read leaves the form as it was.
void DesignSession::Show(fw::TextDocument next) {
  if (CanFollow(text_, next)) {
    try {
      FollowText(text_, next, Folder(), *root_);
      text_ = std::move(next);
      return;
    } catch (const fw::Exception&) {
      // Read anew below, which names the line of what does not read.
    }
  }
  try {
    ReadAnew(next);
  } catch (const fw::Exception&) {
    ReadAnew(text_);
    throw;
  }
  text_ = std::move(next);
}

void DesignSession::Change(fw::TextDocument next) {
  Step before{text_.Text(), selected_};
  Show(std::move(next));
  if (step_depth_ > 0 && step_open_) return;
  undo_.push_back(std::move(before));
  redo_.clear();
  step_open_ = step_depth_ > 0;
}

void DesignSession::EndStep() {
  if (step_depth_ > 0 && --step_depth_ == 0) step_open_ = false;
}

void DesignSession::Undo() { Replay(undo_, redo_); }
void DesignSession::Redo() { Replay(redo_, undo_); }

// The last step of `from` becomes the text, and the text the last step of `to`; a text that no
// longer reads (a picture gone since) leaves both as they were.
void DesignSession::Replay(std::vector<Step>& from, std::vector<Step>& to) {
  if (from.empty()) return;
  Step now{text_.Text(), selected_};
  Show(fw::TextDocument(from.back().text));
  const fw::String selected = from.back().selected;
  from.pop_back();
  to.push_back(std::move(now));
  Select(selected);
}

// ---- the selection ------------------------------------------------------------------------

void DesignSession::Select(const fw::String& name) {
  selected_ = name.empty() || !text_.Find(name) || text_.Find(name) == 0 ? fw::String() : name;
}

fw::TComponent& DesignSession::SelectedComponent() const {
  fw::TComponent* c = selected_.empty() ? nullptr : root_->FindComponent(selected_);
  return c ? *c : *root_;
}

std::size_t DesignSession::IndexOf(const fw::String& object) const {
  if (object.empty() || object == text_.Objects()[0].name) return 0;
  const std::optional<std::size_t> index = text_.Find(object);
  if (!index) throw fw::EInvalidOperation("The form has no " + object);
  return *index;
}

std::vector<fw::String> DesignSession::OrderOf(const fw::TComponent& component) const {
  std::vector<fw::String> names;
  for (const fw::PropInfo* p : component.Class().Properties()) names.push_back(p->name);
  return names;
}

// ---- changes ------------------------------------------------------------------------------

void DesignSession::SetProperty(const fw::String& object, const fw::String& property,
                                const std::string& value) {
  const std::size_t index = IndexOf(object);
  fw::TComponent& live = *LiveComponent(text_, index, *root_);
  fw::TextDocument next = text_;
  if (value.find_first_not_of(" \t") == std::string::npos) {
    if (!next.RemoveProperty(index, property)) return;
  } else {
    // Refused here, the value changes nothing: the property keeps its value and the text its line.
    fw::SetPropertyText(live, *root_, property, value, Folder());
    next.SetValueText(index, property, value, OrderOf(live));
  }
  Change(std::move(next));
}

Bounds DesignSession::BoundsOf(const fw::String& object) const {
  const std::size_t index = IndexOf(object);
  if (index == 0) return {root_->Left(), root_->Top(), root_->ClientWidth(), root_->ClientHeight()};
  const auto* control = dynamic_cast<const fw::TControl*>(root_->FindComponent(object));
  if (!control) return {};
  return {control->Left(), control->Top(), control->Width(), control->Height()};
}

void DesignSession::SetBounds(const fw::String& object, const Bounds& wanted) {
  const std::size_t index = IndexOf(object);
  const bool form = index == 0;
  if (!form && !dynamic_cast<const fw::TControl*>(LiveComponent(text_, index, *root_))) {
    throw fw::EInvalidOperation(object + " is not a control: it has no place on the form");
  }
  const int most_side = form ? fw::kMaxFormSide : fw::kMaxCoordinate;
  const Bounds b{Clamped(wanted.left, fw::kMinCoordinate, fw::kMaxCoordinate),
                 Clamped(wanted.top, fw::kMinCoordinate, fw::kMaxCoordinate),
                 Clamped(wanted.width, 0, most_side), Clamped(wanted.height, 0, most_side)};
  const Bounds now = BoundsOf(object);
  if (b == now) return;
  const fw::TComponent& live = *LiveComponent(text_, index, *root_);
  fw::TextDocument next = text_;
  const auto set = [&](const char* property, int value, int was) {
    if (value != was) next.SetValueText(index, property, std::to_string(value), OrderOf(live));
  };
  set("Left", b.left, now.left);
  set("Top", b.top, now.top);
  set(form ? "ClientWidth" : "Width", b.width, now.width);
  set(form ? "ClientHeight" : "Height", b.height, now.height);
  Change(std::move(next));
}

void DesignSession::Rename(const fw::String& object, const fw::String& name) {
  const std::size_t index = IndexOf(object);
  if (text_.Objects()[index].name == name) return;
  fw::TextDocument next = text_;
  next.Rename(index, name);
  if (index != 0) RenameInKeyboardOrder(next, object, name);
  Change(std::move(next));
  if (selected_ == object) selected_ = name;
}

fw::String DesignSession::Place(const fw::String& class_name, int left, int top) {
  const fw::ClassInfo& cls = fw::GetClass(class_name);
  if (!cls.create) throw fw::EInvalidOperation(class_name + " cannot be placed");
  std::unique_ptr<fw::TComponent> made(cls.create(nullptr));
  const fw::String name = FreshName(text_, class_name);
  made->SetName(name);
  if (auto* control = dynamic_cast<fw::TControl*>(made.get())) {
    control->SetBounds(Clamped(left, fw::kMinCoordinate, fw::kMaxCoordinate),
                       Clamped(top, fw::kMinCoordinate, fw::kMaxCoordinate),
                       control->Width() > 0 ? control->Width() : kPlacedWidth,
                       control->Height() > 0 ? control->Height() : kPlacedHeight);
  }
  fw::TextDocument next = text_;
  next.InsertObject(fw::WriteComponent(*made), 0);
  Change(std::move(next));
  Select(name);
  return name;
}

void DesignSession::Delete(const fw::String& object) {
  const std::size_t index = IndexOf(object);
  if (index == 0) throw fw::EInvalidOperation("The form itself cannot be deleted");
  fw::TextDocument next = text_;
  for (const fw::String& gone : NamesWithin(text_, index)) RenameInKeyboardOrder(next, gone, {});
  next.RemoveObject(*next.Find(object));
  Change(std::move(next));
  Select({});
}

std::string DesignSession::CopyText(const fw::String& object) const {
  return text_.ObjectText(IndexOf(object));
}

fw::String DesignSession::Paste(const std::string& description) {
  fw::TextDocument pasted(description);
  const fw::TextObject& top = pasted.Objects()[0];
  const fw::ClassInfo& cls = fw::GetClass(top.class_name);
  if (cls.InheritsFrom(fw::TCustomForm::StaticClass())) {
    throw fw::EInvalidOperation("A form cannot be pasted onto a form");
  }
  if (RenameColliding(pasted, text_)) {
    for (const char* side : {"Left", "Top"}) {
      const std::optional<std::string> at = pasted.ValueText(0, side);
      if (at) pasted.SetValueText(0, side, std::to_string(std::stoi(*at) + 8), {});
    }
  }
  const fw::String name = pasted.Objects()[0].name;
  fw::TextDocument next = text_;
  next.InsertObject(pasted.Text(), 0);
  Change(std::move(next));
  Select(name);
  return name;
}

// ---- the file -----------------------------------------------------------------------------

void DesignSession::SetPath(std::string path) {
  path_ = std::move(path);
  disk_ = files_.Read(*path_);
  stamp_ = files_.Stamp(*path_);
}

DesignSession::SaveResult DesignSession::Save(bool overwrite, std::string* problem) {
  if (!path_) return SaveResult::kNoPath;
  if (!overwrite && files_.Read(*path_) != disk_) return SaveResult::kChangedOnDisk;
  const std::string failure = files_.Replace(*path_, text_.Text());
  if (!failure.empty()) {
    if (problem) *problem = *path_ + ": " + failure;
    return SaveResult::kFailed;
  }
  saved_ = text_.Text();
  disk_ = saved_;
  stamp_ = files_.Stamp(*path_);
  return SaveResult::kSaved;
}

DesignSession::OutsideChange DesignSession::CheckFile(std::string* problem) {
  if (!path_) return OutsideChange::kNone;
  const std::optional<FileStamp> stamp = files_.Stamp(*path_);
  if (!stamp || stamp == stamp_) return OutsideChange::kNone;
  stamp_ = stamp;
  std::optional<std::string> bytes = files_.Read(*path_);
  if (!bytes || bytes == disk_) return OutsideChange::kNone;
  if (Modified()) return OutsideChange::kConflict;
  try {
    TakeFile(std::move(*bytes));
  } catch (const fw::Exception& e) {
    if (problem) *problem = *path_ + ": " + e.Message();
    return OutsideChange::kUnreadable;
  }
  return OutsideChange::kFollowed;
}

void DesignSession::Reload() {
  if (!path_) return;
  std::optional<std::string> bytes = files_.Read(*path_);
  if (!bytes) throw fw::Exception(*path_ + " cannot be read");
  stamp_ = files_.Stamp(*path_);
  TakeFile(std::move(*bytes));
}

// The file's text becomes the session's, the selection kept by name; the steps before it go.
void DesignSession::TakeFile(std::string bytes) {
  const fw::String selected = selected_;
  Show(fw::TextDocument(bytes));
  saved_ = bytes;
  disk_ = std::move(bytes);
  undo_.clear();
  redo_.clear();
  Select(selected);
}

}  // namespace designer
