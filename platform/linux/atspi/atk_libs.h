#pragma once
// GLib, GObject, ATK and ATK's AT-SPI bridge, opened only once the desktop is known to run an
// accessibility bus: elsewhere the program maps none of them and pays nothing for them.
#include <atk-bridge.h>
#include <atk/atk.h>

namespace pf::atspi {

#define QF_GLIB_FUNCTIONS(X)                                                                \
  X(g_main_context_default) X(g_main_context_acquire) X(g_main_context_release)             \
  X(g_main_context_prepare) X(g_main_context_query) X(g_main_context_check)                 \
  X(g_main_context_dispatch) X(g_strndup)
#define QF_GOBJECT_FUNCTIONS(X)                                                             \
  X(g_type_register_static) X(g_type_add_interface_static) X(g_type_class_ref)              \
  X(g_type_from_name) X(g_object_new) X(g_object_ref) X(g_object_unref) X(g_object_notify)  \
  X(g_signal_emit_by_name) X(g_signal_lookup) X(g_signal_add_emission_hook)                 \
  X(g_signal_remove_emission_hook)
#define QF_ATK_FUNCTIONS(X)                                                                 \
  X(atk_object_get_type) X(atk_util_get_type) X(atk_component_get_type)                     \
  X(atk_action_get_type) X(atk_window_get_type) X(atk_text_get_type)                        \
  X(atk_state_set_new) X(atk_state_set_add_state) X(atk_object_notify_state_change)
#define QF_ATK_BRIDGE_FUNCTIONS(X) X(atk_bridge_adaptor_init) X(atk_bridge_adaptor_cleanup)

// Members are named as the functions; call those that GLib also defines as macros
// (g_object_ref) through parentheses: (Atk().g_object_ref)(object).
struct AtkLibs {
#define QF_DECLARE(f) decltype(&::f) f = nullptr;
  QF_GLIB_FUNCTIONS(QF_DECLARE)
  QF_GOBJECT_FUNCTIONS(QF_DECLARE)
  QF_ATK_FUNCTIONS(QF_DECLARE)
  QF_ATK_BRIDGE_FUNCTIONS(QF_DECLARE)
#undef QF_DECLARE
  // Deprecated in ATK, and still what its bridge turns into AT-SPI's focus: event.
  void (*atk_focus_tracker_notify)(AtkObject* object) = nullptr;
};

// Loads them on the first call; false when a library or one of its functions is missing (the
// program then serves no screen reader, and says nothing).
bool LoadAtkLibs();
// The loaded functions; only after LoadAtkLibs() said true.
const AtkLibs& Atk();

}  // namespace pf::atspi
