#include "platform/linux/atspi/atk_libs.h"

#include "platform/posix/shared_library.h"

namespace pf::atspi {
namespace {

AtkLibs loaded;

void* Find(const SharedLibrary& library, const char* name, bool& complete) {
  void* f = library.Find<void*>(name);
  complete = complete && f != nullptr;
  return f;
}

bool Load() {
  // The bridge brings its own needs (libatspi, libdbus); these four are the ones called here.
  const SharedLibrary glib("libglib-2.0.so.0");
  const SharedLibrary gobject("libgobject-2.0.so.0");
  const SharedLibrary atk("libatk-1.0.so.0");
  const SharedLibrary bridge("libatk-bridge-2.0.so.0");
  bool complete = true;
#define QF_FROM(library, f) \
  loaded.f = reinterpret_cast<decltype(loaded.f)>(Find(library, #f, complete));
#define QF_FROM_GLIB(f) QF_FROM(glib, f)
#define QF_FROM_GOBJECT(f) QF_FROM(gobject, f)
#define QF_FROM_ATK(f) QF_FROM(atk, f)
#define QF_FROM_BRIDGE(f) QF_FROM(bridge, f)
  QF_GLIB_FUNCTIONS(QF_FROM_GLIB)
  QF_GOBJECT_FUNCTIONS(QF_FROM_GOBJECT)
  QF_ATK_FUNCTIONS(QF_FROM_ATK)
  QF_ATK_BRIDGE_FUNCTIONS(QF_FROM_BRIDGE)
  QF_FROM_ATK(atk_focus_tracker_notify)
#undef QF_FROM_GLIB
#undef QF_FROM_GOBJECT
#undef QF_FROM_ATK
#undef QF_FROM_BRIDGE
#undef QF_FROM
  return complete;
}

}  // namespace

bool LoadAtkLibs() {
  static const bool complete = Load();
  return complete;
}

const AtkLibs& Atk() { return loaded; }

}  // namespace pf::atspi
