#include "framework/objects/registration.h"

namespace fw {
namespace {
RegisterComponentsProc& Installed() {
  static RegisterComponentsProc proc;
  return proc;
}
}  // namespace

RegisterComponentsProc SetRegisterComponentsProc(RegisterComponentsProc proc) {
  RegisterComponentsProc old = std::move(Installed());
  Installed() = std::move(proc);
  return old;
}

void RegisterComponents(const String& page, const TComponentClass* classes, int high_index) {
  if (!Installed()) throw EComponentError("Invalid component registration");
  std::vector<TComponentClass> list;
  for (int i = 0; i <= high_index; ++i) list.push_back(classes[i]);
  Installed()(page, list);
}

}  // namespace fw
