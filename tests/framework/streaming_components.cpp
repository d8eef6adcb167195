#include "tests/framework/streaming_components.h"

namespace qft {
using namespace fw;

namespace {
const EnumInfo kShapes{{{"shCircle", 0}, {"shSquare", 1}, {"shStar", 2}}};
const EnumInfo kStyles{{{"stBold", kBold}, {"stItalic", kItalic}, {"stUnderline", kUnderline}}};

PropInfo StyleProp() {
  PropInfo p = NewProp("Font.Style", PropType::Set, &kStyles);
  p.get = [](const TObject& o) {
    IdentSet set;
    for (const auto& [name, bit] : kStyles.names) {
      if (static_cast<const TWidget&>(o).style & static_cast<unsigned>(bit)) set.names.push_back(name);
    }
    return PropValue(set);
  };
  p.set = [](TObject& o, const PropValue& v) {
    auto& w = static_cast<TWidget&>(o);
    w.Note("Font.Style");
    w.style = 0;
    for (const String& name : std::get<IdentSet>(v).names) w.style |= static_cast<unsigned>(*kStyles.ValueOf(name));
  };
  p.default_value = PropValue(IdentSet{});
  return p;
}

// A property of the widget's field `m`, noting each set.
#define WIDGET_FIELD(m, name)                                            \
  [](const TWidget& w) { return w.m; }, [](TWidget& w, auto v) {        \
    w.Note(name);                                                        \
    w.m = static_cast<decltype(w.m)>(v);                                 \
  }

ClassInfo WidgetClass() {
  ClassInfo c = NewClass("TWidget", &TComponent::StaticClass(), [](TComponent* o) { return new TWidget(o); });
  auto& p = c.own_properties;
  p.push_back(IntegerProp<TWidget>("Left", WIDGET_FIELD(left, "Left")));
  p.push_back(IntegerProp<TWidget>("Top", WIDGET_FIELD(top, "Top"), 0));
  p.push_back(IntegerProp<TWidget>("Count", [](const TWidget& w) { return w.count; }, &TWidget::SetCount, 0));
  p.push_back(BooleanProp<TWidget>("Visible", WIDGET_FIELD(visible, "Visible"), true));
  p.push_back(StringProp<TWidget>("Caption", WIDGET_FIELD(caption, "Caption"), String()));
  p.push_back(EnumProp<TWidget, Shape>("Shape", kShapes, WIDGET_FIELD(shape, "Shape"), Shape::Circle));
  p.push_back(StyleProp());
  p.push_back(ColorProp<TWidget>("Color", WIDGET_FIELD(color, "Color"), clWindow));
  p.push_back(CursorProp<TWidget>("Cursor", WIDGET_FIELD(cursor, "Cursor"), 0));
  p.push_back(StringProp<TWidget>("Hint", WIDGET_FIELD(hint, "Hint")));
  p.back().stored = StoredIf<TWidget>([](const TWidget& w) { return !w.parent_hint; });
  p.push_back(BooleanProp<TWidget>("ParentHint", WIDGET_FIELD(parent_hint, "ParentHint")));
  p.back().stored = StoredIf<TWidget>([](const TWidget& w) { return !w.parent_hint; });
  p.push_back(BytesProp<TWidget>("Picture.Data", WIDGET_FIELD(data, "Picture.Data")));
  p.push_back(EventProp<TWidget>("OnClick", &TWidget::OnClick));
  p.push_back(EventProp<TWidget>("OnMove", &TWidget::OnMove));
  return c;
}

template <class Form>
ClassInfo FormClass(String name, const ClassInfo* parent) {
  ClassInfo c = NewClass(std::move(name), parent, [](TComponent* o) { return new Form(o); });
  if (parent != &TComponent::StaticClass()) return c;
  c.own_properties.push_back(StringProp<TTestForm>(
      "Caption", [](const TTestForm& f) { return f.caption; }, [](TTestForm& f, const String& s) { f.caption = s; },
      String()));
  c.own_properties.push_back(ColorProp<TTestForm>(
      "Color", [](const TTestForm& f) { return f.color; }, [](TTestForm& f, TColor v) { f.color = v; }, clBtnFace));
  c.own_properties.push_back(EventProp<TTestForm>("OnCreate", &TTestForm::OnCreate));
  return c;
}

const ClassInfo kAbstract = NewClass("TAbstractWidget", &TComponent::StaticClass());

// The test classes, and the text syntax the tests write most descriptions in.
const bool kRegistered = [] {
  AcceptTextDescriptions();
  RegisterClass(TWidget::StaticClass());
  RegisterClass(TTestForm::StaticClass());
  RegisterClass(TDerivedForm::StaticClass());
  RegisterClass(kAbstract);
  return true;
}();
}  // namespace

const ClassInfo& TWidget::StaticClass() {
  static const ClassInfo info = WidgetClass();
  return info;
}

const ClassInfo& TTestForm::StaticClass() {
  static const ClassInfo info = FormClass<TTestForm>("TTestForm", &TComponent::StaticClass());
  return info;
}

const ClassInfo& TDerivedForm::StaticClass() {
  static const ClassInfo info = FormClass<TDerivedForm>("TDerivedForm", &TTestForm::StaticClass());
  return info;
}

TTestForm::TTestForm(TComponent* owner) : TComponent(owner) {
  ++g_live;
  PublishMethod("WidgetClick", &TTestForm::WidgetClick);
  PublishMethod("WidgetMove", &TTestForm::WidgetMove);
}

void TWidget::Note(const char* prop) {
  set_order.push_back(prop);
  if (HasState(ComponentState::Reading) && !parent_) ++g_props_before_parent;
}

void TWidget::SetCount(int n) {
  Note("Count");
  if (n < 0) throw EInvalidOperation("Count must not be negative");
  count = n;
}

void TWidget::Loaded() {
  ++loaded_calls;
  loading_in_loaded = HasState(ComponentState::Loading);
  reading_in_loaded = HasState(ComponentState::Reading);
  if (caption == "fail when loaded") throw EInvalidOperation("Widget refuses to load");
}

TWidget* NewWidget(TTestForm& form, const String& name, TComponent* parent) {
  auto* w = new TWidget(&form);
  w->SetName(name);
  w->SetParentComponent(parent ? parent : &form);
  return w;
}

}  // namespace qft
