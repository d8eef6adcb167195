#include "platform/linux/atspi/atk_objects.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "platform/linux/atspi/atk_libs.h"
#include "platform/shared/cp1252.h"

namespace pf::atspi {
namespace {

// The instance of each of the four classes: ATK's object and the node it answers from.
struct QfAtkObject {
  AtkObject base;
  AtkNode* node;
};

AtkNode* NodeOf(void* object) { return static_cast<QfAtkObject*>(object)->node; }

// ---- AtkObject ----------------------------------------------------------------------------

const gchar* GetName(AtkObject* object) {
  AtkNode* node = NodeOf(object);
  return node != nullptr ? node->Name() : "";
}

AtkObject* GetParent(AtkObject* object) {
  AtkNode* node = NodeOf(object);
  return node != nullptr ? node->Parent() : nullptr;
}

gint GetChildCount(AtkObject* object) {
  AtkNode* node = NodeOf(object);
  return node != nullptr ? node->ChildCount() : 0;
}

AtkObject* RefChild(AtkObject* object, gint index) {
  AtkNode* node = NodeOf(object);
  return node != nullptr ? node->RefChild(index) : nullptr;
}

gint GetIndexInParent(AtkObject* object) {
  AtkNode* node = NodeOf(object);
  return node != nullptr ? node->IndexInParent() : -1;
}

AtkStateSet* RefStateSet(AtkObject* object) {
  AtkStateSet* set = Atk().atk_state_set_new();
  AtkNode* node = NodeOf(object);
  if (node != nullptr) {
    node->AddStates(set);
  } else {
    Atk().atk_state_set_add_state(set, ATK_STATE_DEFUNCT);
  }
  return set;
}

void InitObjectClass(gpointer klass, gpointer) {
  auto* object_class = static_cast<AtkObjectClass*>(klass);
  object_class->get_name = &GetName;
  object_class->get_parent = &GetParent;
  object_class->get_n_children = &GetChildCount;
  object_class->ref_child = &RefChild;
  object_class->get_index_in_parent = &GetIndexInParent;
  object_class->ref_state_set = &RefStateSet;
}

// ---- AtkComponent -------------------------------------------------------------------------

// Where the coordinates of `type` begin, on the screen.
Point OriginOf(AtkNode& node, AtkCoordType type) {
  switch (type) {
    case ATK_XY_WINDOW: return node.WindowOrigin();
    case ATK_XY_PARENT: return node.ParentOrigin();
    case ATK_XY_SCREEN: break;
  }
  return Point{};
}

void GetExtents(AtkComponent* component, gint* x, gint* y, gint* width, gint* height,
                AtkCoordType type) {
  AtkNode* node = NodeOf(component);
  const std::optional<Rect> bounds = node != nullptr ? node->Bounds() : std::nullopt;
  if (!bounds) {
    *x = *y = *width = *height = -1;  // AT-SPI's "no extents"
    return;
  }
  const Point origin = OriginOf(*node, type);
  *x = bounds->left - origin.x;
  *y = bounds->top - origin.y;
  *width = bounds->Width();
  *height = bounds->Height();
}

AtkObject* RefAccessibleAtPoint(AtkComponent* component, gint x, gint y, AtkCoordType type) {
  AtkNode* node = NodeOf(component);
  if (node == nullptr) return nullptr;
  const Point origin = OriginOf(*node, type);
  return node->RefChildAt(Point{x + origin.x, y + origin.y});
}

AtkLayer GetLayer(AtkComponent* component) {
  // No ATK_OBJECT(): GLib's checked casts would be a link-time need of libgobject.
  return reinterpret_cast<AtkObject*>(component)->role == ATK_ROLE_FRAME ? ATK_LAYER_WINDOW
                                                                           : ATK_LAYER_WIDGET;
}

gboolean GrabFocus(AtkComponent* component) {
  AtkNode* node = NodeOf(component);
  return node != nullptr && node->GrabFocus() ? TRUE : FALSE;
}

void InitComponent(gpointer iface, gpointer) {
  auto* component = static_cast<AtkComponentIface*>(iface);
  component->get_extents = &GetExtents;
  component->ref_accessible_at_point = &RefAccessibleAtPoint;
  component->get_layer = &GetLayer;
  component->grab_focus = &GrabFocus;
}

// ---- AtkAction ----------------------------------------------------------------------------

gint GetActionCount(AtkAction* action) {
  AtkNode* node = NodeOf(action);
  return node != nullptr && node->ActionName() != nullptr ? 1 : 0;
}

const gchar* GetActionName(AtkAction* action, gint index) {
  AtkNode* node = NodeOf(action);
  return node != nullptr && index == 0 ? node->ActionName() : nullptr;
}

const gchar* GetNoText(AtkAction*, gint) { return ""; }

gboolean DoAction(AtkAction* action, gint index) {
  AtkNode* node = NodeOf(action);
  return node != nullptr && index == 0 && node->RequestAction() ? TRUE : FALSE;
}

void InitAction(gpointer iface, gpointer) {
  auto* action = static_cast<AtkActionIface*>(iface);
  action->do_action = &DoAction;
  action->get_n_actions = &GetActionCount;
  action->get_name = &GetActionName;
  action->get_localized_name = &GetActionName;
  action->get_description = &GetNoText;
  action->get_keybinding = &GetNoText;
}

// ---- AtkText ------------------------------------------------------------------------------

// Offsets count characters: the bytes of the Windows-1252 text. An end of -1 is the text's end.
gchar* GetText(AtkText* object, gint start, gint end) {
  AtkNode* node = NodeOf(object);
  const std::string text = node != nullptr ? node->Text() : std::string();
  const auto size = static_cast<gint>(text.size());
  if (end < 0 || end > size) end = size;
  start = std::clamp(start, 0, end);
  const std::string utf8 = text::Utf8FromCp1252(std::string_view(text).substr(
      static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)));
  return Atk().g_strndup(utf8.data(), utf8.size());
}

gint GetCharacterCount(AtkText* object) {
  AtkNode* node = NodeOf(object);
  return node != nullptr ? static_cast<gint>(node->Text().size()) : 0;
}

gint GetCaretOffset(AtkText* object) {
  AtkNode* node = NodeOf(object);
  return node != nullptr ? node->Caret() : 0;
}

gunichar GetCharacterAtOffset(AtkText* object, gint offset) {
  AtkNode* node = NodeOf(object);
  const std::string text = node != nullptr ? node->Text() : std::string();
  if (offset < 0 || static_cast<std::size_t>(offset) >= text.size()) return 0;
  return text::Cp1252ToUnicode(static_cast<std::uint8_t>(text[static_cast<std::size_t>(offset)]));
}

void InitText(gpointer iface, gpointer) {
  auto* text = static_cast<AtkTextIface*>(iface);
  text->get_text = &GetText;
  text->get_character_count = &GetCharacterCount;
  text->get_caret_offset = &GetCaretOffset;
  text->get_character_at_offset = &GetCharacterAtOffset;
}

// ---- the classes ---------------------------------------------------------------------------

// The class is initialised at once: ATK makes an interface's signals (AtkWindow's "activate") when
// a class that implements it is, and the bridge looks them up by name when it starts.
GType RegisterClass(const char* name, AtkKind kind) {
  const AtkLibs& atk = Atk();
  GTypeInfo info{};
  info.class_size = sizeof(AtkObjectClass);
  info.class_init = &InitObjectClass;
  info.instance_size = sizeof(QfAtkObject);
  const GType type =
      atk.g_type_register_static(atk.atk_object_get_type(), name, &info, GTypeFlags{});
  if (kind != AtkKind::kApplication) {
    const GInterfaceInfo iface{&InitComponent, nullptr, nullptr};
    atk.g_type_add_interface_static(type, atk.atk_component_get_type(), &iface);
  }
  if (kind == AtkKind::kButton || kind == AtkKind::kText) {
    const GInterfaceInfo iface{&InitAction, nullptr, nullptr};
    atk.g_type_add_interface_static(type, atk.atk_action_get_type(), &iface);
  }
  if (kind == AtkKind::kText) {
    const GInterfaceInfo iface{&InitText, nullptr, nullptr};
    atk.g_type_add_interface_static(type, atk.atk_text_get_type(), &iface);
  }
  if (kind == AtkKind::kFrame) {
    const GInterfaceInfo iface{nullptr, nullptr, nullptr};  // signals only
    atk.g_type_add_interface_static(type, atk.atk_window_get_type(), &iface);
  }
  atk.g_type_class_ref(type);
  return type;
}

GType ClassOf(AtkKind kind) {
  // GObject classes live as long as the process: registered once, at the first object.
  static const GType application = RegisterClass("QfAtkApplication", AtkKind::kApplication);
  static const GType frame = RegisterClass("QfAtkFrame", AtkKind::kFrame);
  static const GType button = RegisterClass("QfAtkButton", AtkKind::kButton);
  static const GType text = RegisterClass("QfAtkText", AtkKind::kText);
  switch (kind) {
    case AtkKind::kApplication: return application;
    case AtkKind::kFrame: return frame;
    case AtkKind::kText: return text;
    case AtkKind::kButton: break;
  }
  return button;
}

}  // namespace

AtkObject* NewAtkObject(AtkKind kind, AtkRole role, AtkNode* node) {
  auto* object =
      static_cast<QfAtkObject*>(Atk().g_object_new(ClassOf(kind), static_cast<char*>(nullptr)));
  object->base.role = role;
  object->node = node;
  return &object->base;
}

void CutOff(AtkObject* object) { reinterpret_cast<QfAtkObject*>(object)->node = nullptr; }

}  // namespace pf::atspi
