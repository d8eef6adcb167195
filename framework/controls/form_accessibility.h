#pragma once
// A form as screen readers see it: the form itself, named by the application's title, and each
// of its choices (its controls that have a role: the buttons), in the form's order, with the
// states the framework's rules give them. It reads the controls when asked, so it never tells of one that is gone; Refresh tells
// the window what changed since it last looked.
#include <map>
#include <vector>

#include "framework/controls/control.h"
#include "framework/controls/form_choices.h"
#include "platform/accessibility.h"
#include "platform/platform.h"

namespace fw {

// What the description asks of its form beyond its controls; the form implements it.
class TDescribedForm {
 public:
  virtual pf::Window& Window() const = 0;
  // What screen readers call the form: the application's title, else its caption.
  virtual String AccessibleTitle() const = 0;
  // Makes `choice` the form's current one, as a screen reader asks.
  virtual void SelectChoice(TControl& choice) = 0;

 protected:
  ~TDescribedForm() = default;
};

class TFormAccessibility : public pf::AccessibleTree {
 public:
  // `form` and `site` are the same form: its controls, and the rest; `choices` are its choices.
  TFormAccessibility(TWinControl& form, TDescribedForm& site, const TFormChoices& choices)
      : form_(form), site_(site), choices_(choices) {}

  std::optional<pf::AccessibleObject> Describe(pf::AccessibleId id) const override;
  std::vector<pf::AccessibleId> Children() const override;
  std::optional<pf::AccessibleId> ObjectAt(pf::Point screen) const override;
  bool CanDoDefaultAction(pf::AccessibleId id) const override;
  void DoDefaultAction(pf::AccessibleId id) override;
  std::optional<pf::AccessibleId> Focus() const override;
  bool TakeFocus(pf::AccessibleId id) override;

  // Tells the form's window of every object whose states or name changed, and of the controls
  // that came and went, since the last time. The first call only takes note.
  void Refresh();

 private:
  // The form's listed control of that id (a control with a role, anywhere in the form).
  TControl* Listed(pf::AccessibleId id) const;
  std::vector<TControl*> ListedControls() const;
  unsigned StatesOf(const TControl& control) const;
  pf::AccessibleObject DescribeForm() const;
  pf::AccessibleObject DescribeControl(const TControl& control) const;

  TWinControl& form_;
  TDescribedForm& site_;
  const TFormChoices& choices_;
  // What the window was last told, by id.
  struct Told {
    unsigned states = 0;
    std::string name;
    std::string value;
    int caret = 0;
  };
  bool noted_ = false;
  std::map<pf::AccessibleId, Told> told_;
};

}  // namespace fw
