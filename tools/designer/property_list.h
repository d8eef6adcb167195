#pragma once
// The selection's properties in the designer's window: a row for its name and for each published
// property, a label and a text field holding the value as the text syntax writes it, in two
// columns. A field's Enter, or leaving it changed, asks for the value to be set; a value that is
// refused goes back to the one the property has.
#include <functional>
#include <vector>

#include "framework/controls/edit.h"
#include "framework/controls/label.h"

namespace designer {

struct PropertyRow {
  fw::String name;   // "Name" for the component's own name
  fw::String value;  // as the text syntax writes it
};

class PropertyList {
 public:
  // Rows are made on `form`, in the rectangle that starts at (left, top), `rows_per_column` high.
  PropertyList(fw::TWinControl& form, int left, int top, int rows_per_column);

  // Shows these rows, making or removing fields as their number changes; a field being edited
  // keeps what is typed in it when its row's value did not change.
  void Show(const std::vector<PropertyRow>& rows);
  // Asked to set a property: true when it was set (the field then shows what Show gives next).
  std::function<bool(const fw::String& property, const fw::String& value)> on_set;

  // The field of a property, for tests and for the keyboard's way into the list.
  fw::TEdit* Field(const fw::String& property) const;
  int RowCount() const { return static_cast<int>(rows_.size()); }

  static constexpr int kRowHeight = 22;
  static constexpr int kColumnWidth = 276;

 private:
  struct Row {
    fw::TLabel* label = nullptr;
    fw::TEdit* field = nullptr;
    fw::String property;
    fw::String shown;  // the value last shown
  };
  Row MakeRow(int index);
  void Place(Row& row, int index);
  void Commit(Row& row);

  fw::TWinControl& form_;
  int left_, top_, rows_per_column_;
  std::vector<Row> rows_;
};

}  // namespace designer
