#include "tools/designer/property_list.h"

namespace designer {
namespace {

constexpr int kLabelWidth = 110;
constexpr int kFieldWidth = 158;
constexpr int kFieldHeight = 20;

}  // namespace

PropertyList::PropertyList(fw::TWinControl& form, int left, int top, int rows_per_column)
    : form_(form), left_(left), top_(top), rows_per_column_(rows_per_column) {}

PropertyList::Row PropertyList::MakeRow(int index) {
  Row row;
  row.label = new fw::TLabel(&form_);
  row.label->SetParent(&form_);
  row.label->SetTransparent(true);
  row.field = new fw::TEdit(&form_);
  row.field->SetParent(&form_);
  // By its index: the rows move in their vector as it grows.
  row.field->OnAccept = fw::TNotifyEvent([this, index](fw::TObject*) { Commit(rows_[index]); });
  row.field->OnExit = fw::TNotifyEvent([this, index](fw::TObject*) {
    if (rows_[index].field->Text() != rows_[index].shown) Commit(rows_[index]);
  });
  Place(row, index);
  return row;
}

void PropertyList::Place(Row& row, int index) {
  const int x = left_ + (index / rows_per_column_) * kColumnWidth;
  const int y = top_ + (index % rows_per_column_) * kRowHeight;
  row.label->SetBounds(x, y + 3, kLabelWidth, kFieldHeight - 3);
  row.field->SetBounds(x + kLabelWidth, y, kFieldWidth, kFieldHeight);
}

void PropertyList::Show(const std::vector<PropertyRow>& rows) {
  while (rows_.size() > rows.size()) {
    Row& gone = rows_.back();
    fw::Free(gone.field);
    fw::Free(gone.label);
    rows_.pop_back();
  }
  while (rows_.size() < rows.size()) rows_.push_back(MakeRow(static_cast<int>(rows_.size())));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    Row& row = rows_[i];
    const bool same = row.property == rows[i].name && row.shown == rows[i].value;
    row.property = rows[i].name;
    row.label->SetCaption(rows[i].name);
    row.field->SetHint(rows[i].name);  // what screen readers call the field
    if (!same) row.field->SetText(rows[i].value);
    row.shown = rows[i].value;
  }
}

void PropertyList::Commit(Row& row) {
  const fw::String typed = row.field->Text();
  if (typed == row.shown) return;
  // Refused, the field shows the property's value again; set, the next Show gives it.
  if (!on_set || !on_set(row.property, typed)) row.field->SetText(row.shown);
}

fw::TEdit* PropertyList::Field(const fw::String& property) const {
  for (const Row& row : rows_) {
    if (row.property == property) return row.field;
  }
  return nullptr;
}

}  // namespace designer
