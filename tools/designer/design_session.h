#pragma once
// One form being designed: its text, which stays the source (every change is made to the text,
// surgically, and the live form follows it), the live form, the selection, undo and redo, and
// the file the text came from and goes back to.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/description_tools/text_document.h"
#include "tools/designer/design_root.h"
#include "tools/designer/file_store.h"

namespace designer {

// Where a control lies, in its parent's client coordinates.
struct Bounds {
  int left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const Bounds&, const Bounds&) = default;
};

class DesignSession {
 public:
  // Opens `path`, a description in the text syntax whose pictures are read relative to its
  // folder; without a path, a new empty form. Raises EReadError (the reader's words, with the
  // line) for a file that does not read, and Exception for one that cannot be read at all.
  DesignSession(FileStore& files, std::optional<std::string> path);
  ~DesignSession();

  const fw::TextDocument& Text() const { return text_; }
  TDesignRoot& Root() const { return *root_; }
  const std::optional<std::string>& Path() const { return path_; }
  // Changed since it was opened or saved.
  bool Modified() const { return text_.Text() != saved_; }
  // Told the method an event of the form would run, where the form runs it (trying it out).
  std::function<void(const fw::String& method)> on_method;
  // Told after the live form was read anew (the old root and its controls are gone).
  std::function<void()> on_root_replaced;

  // ---- the selection: an object of the text by name; the form's own when empty ----
  const fw::String& Selected() const { return selected_; }
  void Select(const fw::String& name);
  fw::TComponent& SelectedComponent() const;

  // ---- changes, each one step of undo; each raises leaving everything as it was ----
  // A property from a value written as the text syntax writes it ("393", "clRed",
  // "file \"art/x.bmp\""); an empty value takes the property out of the text.
  void SetProperty(const fw::String& object, const fw::String& property, const std::string& value);
  // A control's bounds, each kept in the range the reader accepts.
  void SetBounds(const fw::String& object, const Bounds& bounds);
  Bounds BoundsOf(const fw::String& object) const;
  void Rename(const fw::String& object, const fw::String& name);
  // A new control of `class_name` with its class's defaults at `at` (form client coordinates),
  // named afresh; gives its name.
  fw::String Place(const fw::String& class_name, int left, int top);
  void Delete(const fw::String& object);
  // An object's description alone, as the clipboard carries it.
  std::string CopyText(const fw::String& object) const;
  // Places the description `text` holds (its top object and what it nests), renamed afresh where
  // its names are taken (and then moved 8 pixels so that it does not hide what it copies);
  // gives the new top object's name.
  fw::String Paste(const std::string& text);

  // Several changes as one step (a drag): the step opens at the first and closes here.
  void BeginStep() { ++step_depth_; }
  void EndStep();

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  void Undo();
  void Redo();

  // ---- the file ----
  enum class SaveResult { kSaved, kChangedOnDisk, kFailed, kNoPath };
  // Writes the text. A file another program changed since it was read is not overwritten unless
  // `overwrite` says so. `problem` receives what went wrong.
  SaveResult Save(bool overwrite, std::string* problem = nullptr);
  void SetPath(std::string path);
  enum class OutsideChange { kNone, kFollowed, kConflict, kUnreadable };
  // Looks whether another program changed the file: followed at once when this session has no
  // changes of its own (the selection kept by name), else a conflict the user decides, with
  // Reload. An unreadable text is reported and nothing is followed.
  OutsideChange CheckFile(std::string* problem = nullptr);
  // Takes the file's text as it is on disk now, dropping this session's changes and its steps.
  void Reload();

 private:
  struct Step {
    std::string text;
    fw::String selected;
  };
  // Makes `next` the text: the live form follows it (read anew where it cannot follow, and back
  // as it was when that fails), and the old text becomes an undo step.
  void Change(fw::TextDocument next);
  void Replay(std::vector<Step>& from, std::vector<Step>& to);
  void Show(fw::TextDocument next);
  void ReadAnew(const fw::TextDocument& text);
  void TakeFile(std::string bytes);
  std::size_t IndexOf(const fw::String& object) const;
  std::vector<fw::String> OrderOf(const fw::TComponent& component) const;
  std::string Folder() const;

  FileStore& files_;
  std::optional<std::string> path_;
  fw::TextDocument text_;
  std::unique_ptr<TDesignRoot> root_;
  fw::String selected_;
  std::string saved_;                // the text as the file had it when read or written
  std::optional<std::string> disk_;  // the file's bytes as last read or written
  std::optional<FileStamp> stamp_;   // and its stamp then
  std::vector<Step> undo_;
  std::vector<Step> redo_;
  int step_depth_ = 0;
  bool step_open_ = false;
};

}  // namespace designer
