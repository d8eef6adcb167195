#include "tools/designer/designer_window.h"

namespace designer {
namespace {

constexpr int kMargin = 8;
constexpr int kWindowTop = 40;  // room above for the title bar the system adds
constexpr int kButtonHeight = 22;
constexpr int kPageWidth = 90;
constexpr int kClassWidth = 108;
constexpr int kClassesPerRow = 5;
constexpr int kPagesTop = kMargin;
constexpr int kClassesTop = kPagesTop + kButtonHeight + 6;
constexpr int kHeaderTop = kClassesTop + kButtonHeight + 8;
constexpr int kPropertiesTop = kHeaderTop + 22;
constexpr int kRowsPerColumn = 17;
constexpr int kStatusTop = kPropertiesTop + kRowsPerColumn * PropertyList::kRowHeight + 6;
constexpr int kClientHeight = kStatusTop + 24;
constexpr int kFileWatchMs = 500;  // an editor's change shows within a second

constexpr fw::TColor kFace = 0x00E8E8E8;
constexpr fw::TColor kChosenFace = 0x00F0C890;  // a light blue, 0x00BBGGRR
constexpr fw::TColor kOver = 0x00F8E4CC;
constexpr fw::TColor kDown = 0x00D8A868;

}  // namespace

TDesignerWindow::TDesignerWindow(fw::TComponent* owner)
    : fw::TForm(owner), properties_(*this, kMargin, kPropertiesTop, kRowsPerColumn) {
  SetBorderStyle(fw::TFormBorderStyle::bsSingle);
  SetBounds(kMargin, kWindowTop, kClientWidth, kClientHeight);
  SetColor(fw::clBtnFace);
  header_ = new fw::TLabel(this);
  header_->SetParent(this);
  header_->SetTransparent(true);
  header_->SetLeft(kMargin);
  header_->SetTop(kHeaderTop);
  status_ = new fw::TLabel(this);
  status_->SetParent(this);
  status_->SetTransparent(true);
  status_->SetLeft(kMargin);
  status_->SetTop(kStatusTop);
  file_watch_ = new fw::TTimer(this);
  file_watch_->SetInterval(kFileWatchMs);
}

bc::TSelButton* TDesignerWindow::NewButton(const fw::String& caption, int left, int top,
                                          int width) {
  auto* button = new bc::TSelButton(this);
  button->SetParent(this);
  button->SetBounds(left, top, width, kButtonHeight);
  button->SetCol(kFace);
  button->SetBorder(fw::clGray);
  button->ColorOver = kOver;
  button->ColorDown = kDown;
  button->ColorOverCaption = fw::clBlack;
  button->SetBWidth(1);
  button->SetAlment(fw::TAlignment::taCenter);
  button->Font()->SetColor(fw::clBlack);
  button->SetCap(caption);
  return button;
}

void TDesignerWindow::SetPalette(std::vector<PalettePage> pages) {
  pages_ = std::move(pages);
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    bc::TSelButton* page = NewButton(pages_[i].name, kMargin + static_cast<int>(i) * (kPageWidth + 4),
                                     kPagesTop, kPageWidth);
    page->SetHint(pages_[i].name + " page");
    page->OnClick = fw::TNotifyEvent([this, i](fw::TObject*) { ShowPage(i); });
    page_buttons_.push_back(page);
  }
  if (!pages_.empty()) ShowPage(0);
}

void TDesignerWindow::ShowPage(std::size_t page) {
  for (bc::TSelButton* old : class_buttons_) fw::Free(old);
  class_buttons_.clear();
  for (std::size_t i = 0; i < page_buttons_.size(); ++i) {
    page_buttons_[i]->SetBWidth(i == page ? 2 : 1);
  }
  const std::vector<fw::TComponentClass>& classes = pages_[page].classes;
  for (std::size_t i = 0; i < classes.size(); ++i) {
    const int column = static_cast<int>(i) % kClassesPerRow;
    const int row = static_cast<int>(i) / kClassesPerRow;
    bc::TSelButton* entry =
        NewButton(classes[i]->name, kMargin + column * (kClassWidth + 2),
                  kClassesTop + row * (kButtonHeight + 2), kClassWidth);
    const fw::TComponentClass cls = classes[i];
    entry->OnClick = fw::TNotifyEvent([this, cls](fw::TObject*) {
      if (on_choose) on_choose(chosen_ == cls ? nullptr : cls);  // a second press lets go
    });
    class_buttons_.push_back(entry);
  }
  ShowChosen(chosen_);
}

void TDesignerWindow::ShowChosen(fw::TComponentClass chosen) {
  chosen_ = chosen;
  for (bc::TSelButton* entry : class_buttons_) {
    entry->SetCol(chosen && entry->Caption() == chosen->name ? kChosenFace : kFace);
  }
}

void TDesignerWindow::WindowCloseRequest() {
  if (on_close) {
    on_close();
  } else {
    fw::TForm::WindowCloseRequest();
  }
}

}  // namespace designer
