#pragma once
// Small published classes that exercise every kind of property a form description holds.
#include "framework/controls/cursors.h"
#include "framework/description_tools/text_parser.h"
#include "framework/graphics/colors.h"
#include "framework/objects/props.h"

namespace qft {

using fw::String;

// What `run` raises as EReadError; empty when it raises nothing.
template <class F>
String ReadErrorOf(F&& run) {
  try {
    run();
  } catch (const fw::EReadError& e) {
    return e.Message();
  }
  return {};
}

// Live TWidget and TTestForm objects, to catch leaks and double frees.
inline int g_live = 0;
// Properties set during a read before the object had its parent.
inline int g_props_before_parent = 0;

enum class Shape { Circle, Square, Star };
inline constexpr unsigned kBold = 1, kItalic = 2, kUnderline = 4;

class TWidget : public fw::TComponent {
  QF_PUBLISHED_CLASS()
 public:
  explicit TWidget(TComponent* owner) : TComponent(owner) { ++g_live; }
  ~TWidget() override { --g_live; }

  TComponent* GetParentComponent() const override { return parent_; }
  void SetParentComponent(TComponent* parent) override { parent_ = parent; }
  void Loaded() override;

  int left = 0, top = 0, count = 0;
  bool visible = true, parent_hint = true;
  String caption, hint;
  Shape shape = Shape::Circle;
  unsigned style = 0;
  fw::TColor color = fw::clWindow;
  int cursor = 0;
  std::string data;
  fw::TNotifyEvent OnClick;
  fw::TEvent<fw::TObject*, int> OnMove;

  std::vector<String> set_order;  // property names as their setters ran
  int loaded_calls = 0;
  bool loading_in_loaded = false, reading_in_loaded = true;

  // Setters note the order and whether the parent came first.
  void Note(const char* prop);
  void SetCount(int n);

 private:
  TComponent* parent_ = nullptr;
};

class TTestForm : public fw::TComponent {
  QF_PUBLISHED_CLASS()
 public:
  explicit TTestForm(TComponent* owner);
  ~TTestForm() override { --g_live; }

  void WidgetClick(fw::TObject* sender) { last_sender = sender, ++clicks; }
  void WidgetMove(fw::TObject*, int distance) { moved += distance; }

  String caption;
  fw::TColor color = fw::clBtnFace;
  fw::TNotifyEvent OnCreate;
  fw::TObject* last_sender = nullptr;
  int clicks = 0, moved = 0;
};

class TDerivedForm : public TTestForm {
  QF_PUBLISHED_CLASS()
 public:
  using TTestForm::TTestForm;
};

// A widget owned by `form`, nested in `parent` (null: the form).
TWidget* NewWidget(TTestForm& form, const String& name, fw::TComponent* parent);

}  // namespace qft
