#pragma once
// The designer as a person uses it: the form being designed in a window of its own, the
// designer's window with the palette and the properties, and the commands both windows take:
// Ctrl+S saves, Ctrl+Z and Ctrl+Y undo and redo, Ctrl+C, Ctrl+X and Ctrl+V copy, cut and paste
// controls through the system clipboard as descriptions, F9 tries the form out and back, F6 goes
// from one window to the other. It follows the file when another program changes it.
#include <memory>
#include <optional>
#include <string>

#include "framework/controls/application.h"
#include "tools/designer/design_session.h"
#include "tools/designer/design_surface.h"
#include "tools/designer/designer_window.h"

namespace designer {

class Designer {
 public:
  // Opens `path` (or a new form) and makes the windows, the designer's the main one. Raises what
  // DesignSession raises for a file that does not read; nothing is shown then.
  Designer(fw::TApplication& application, FileStore& files, std::optional<std::string> path);
  ~Designer();

  DesignSession& Session() { return *session_; }
  TDesignerWindow& Window() { return *window_; }
  DesignSurface& Surface() { return *surface_; }
  bool Trying() const { return trying_; }

  void Save();
  void Undo();
  void Redo();
  void ToggleTry();
  void Copy(bool cut);
  void Paste();
  void Choose(fw::TComponentClass cls);
  // Places the chosen class at (x, y) of the form; false when none is chosen.
  bool PlaceChosen(int x, int y);
  // A command key of either window (Ctrl+S, Ctrl+Z, ...): true when it was one.
  bool CommandKey(unsigned key, unsigned shift);
  // Looks at the file: another program's change is followed, or asked about.
  void CheckFile();
  // The windows show what the session holds now: the properties, the marks, the caption.
  void Refresh();
  // Ends the designer, after asking what to do with unsaved changes; false when the user stays.
  bool Quit();

 private:
  void AttachRoot();
  void PlaceBesideWindow(TDesignRoot& root);
  void Say(const fw::String& text);
  void Refuse(const fw::Exception& e);
  template <class F>
  void Run(F&& change);
  bool SetProperty(const fw::String& property, const fw::String& value);
  void SaveAs();

  fw::TApplication& application_;
  std::unique_ptr<DesignSession> session_;
  std::unique_ptr<DesignSurface> surface_;
  TDesignerWindow* window_ = nullptr;
  fw::TComponentClass chosen_ = nullptr;
  bool trying_ = false;
  // What trying the form changes of the live one, to put back.
  fw::TKeyEvent form_keys_;
  bool form_preview_ = false;
  fw::TFormBorderStyle form_style_ = fw::TFormBorderStyle::bsNone;
  bool form_blends_ = false;
  std::vector<fw::String> stilled_timers_;
};

}  // namespace designer
