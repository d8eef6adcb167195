// The headless platform's screen reader: what it would be told, and its requests for an action.
#include "platform/headless/headless_platform.h"

namespace pf::headless {
namespace {

const char* ChangeName(AccessibleChange change) {
  switch (change) {
    case AccessibleChange::kState: return "state";
    case AccessibleChange::kName: return "name";
    case AccessibleChange::kCreated: return "created";
    case AccessibleChange::kDestroyed: return "destroyed";
    case AccessibleChange::kFocus: return "focus";
    case AccessibleChange::kValue: return "value";
    case AccessibleChange::kCaret: return "caret";
  }
  return "?";
}

}  // namespace

void HeadlessWindow::AccessibleChanged(AccessibleId id, AccessibleChange change) {
  platform_.accessible_events.push_back(std::to_string(handle_) + " " + std::to_string(id) + " " +
                                        ChangeName(change));
}

bool HeadlessPlatform::RequestDefaultAction(const HeadlessWindow& window, AccessibleId id) {
  if (window.accessible_ == nullptr || !window.accessible_->CanDoDefaultAction(id)) return false;
  const NativeHandle handle = window.Handle();
  Post([this, handle, id] {
    HeadlessWindow* target = WindowByHandle(handle);
    if (target && target->accessible_) target->accessible_->DoDefaultAction(id);
  });
  return true;
}

}  // namespace pf::headless
