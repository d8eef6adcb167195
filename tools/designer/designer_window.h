#pragma once
// The designer's own window: the palette (a button per page, a button per class of the page
// shown), the selection's properties, and a status line. Built from the framework's and the
// button library's controls, each a choice of the keyboard named for screen readers: a palette
// entry by its class, a property's field by the property, its value the field's text.
#include <functional>
#include <memory>
#include <vector>

#include "buttoncomps/sel_button.h"
#include "framework/controls/forms.h"
#include "framework/controls/label.h"
#include "framework/controls/timer.h"
#include "tools/designer/palette.h"
#include "tools/designer/property_list.h"

namespace designer {

class TDesignerWindow : public fw::TForm {
 public:
  explicit TDesignerWindow(fw::TComponent* owner);

  void SetPalette(std::vector<PalettePage> pages);
  // The class chosen in the palette, shown pressed; null for none.
  void ShowChosen(fw::TComponentClass chosen);
  std::function<void(fw::TComponentClass)> on_choose;

  PropertyList& Properties() { return properties_; }
  void SetHeader(const fw::String& text) { header_->SetCaption(text); }
  void SetStatus(const fw::String& text) { status_->SetCaption(text); }
  const fw::String& Status() const { return status_->Caption(); }
  fw::TTimer& FileWatch() { return *file_watch_; }

  // The window's close: the designer decides (it asks about unsaved changes).
  std::function<void()> on_close;
  void WindowCloseRequest() override;

  static constexpr int kClientWidth = 568;

 private:
  void ShowPage(std::size_t page);
  bc::TSelButton* NewButton(const fw::String& caption, int left, int top, int width);

  std::vector<PalettePage> pages_;
  std::vector<bc::TSelButton*> page_buttons_;
  std::vector<bc::TSelButton*> class_buttons_;
  fw::TComponentClass chosen_ = nullptr;
  fw::TLabel* header_ = nullptr;
  fw::TLabel* status_ = nullptr;
  fw::TTimer* file_watch_ = nullptr;
  PropertyList properties_;
};

}  // namespace designer
