#pragma once
// A window's accessible description as the framework gives one: the window, its push buttons and
// editable texts, changed at will by the test. It counts the calls made into it and records the
// actions it runs.
#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/accessibility.h"

namespace pf::win32 {

struct FakePart {
  AccessibleId id = 0;
  AccessibleObject object;
};

class FakeAccessibleTree : public AccessibleTree {
 public:
  AccessibleObject window;
  std::vector<FakePart> parts;
  std::vector<AccessibleId> actions;  // what DoDefaultAction ran, in order
  std::optional<AccessibleId> focus;  // what Focus answers, and TakeFocus sets
  std::function<void(AccessibleId)> on_action;
  std::function<void()> on_call;  // at every call, before it answers
  mutable int calls = 0;

  void AddButton(AccessibleId id, std::string name, const Rect& bounds, unsigned states = 0) {
    AccessibleObject button{
        AccessibleRole::kPushButton, std::move(name), bounds, states, "press", "", 0};
    parts.push_back({id, std::move(button)});
  }
  void AddText(AccessibleId id, std::string name, std::string value, const Rect& bounds) {
    AccessibleObject text{AccessibleRole::kEditableText, std::move(name), bounds, 0, "", value,
                          static_cast<int>(value.size())};
    parts.push_back({id, std::move(text)});
  }
  AccessibleObject& Part(AccessibleId id) { return Find(id)->object; }
  void Remove(AccessibleId id) { parts.erase(Find(id)); }

  std::optional<AccessibleObject> Describe(AccessibleId id) const override {
    Called();
    if (id == kAccessibleWindow) return window;
    const auto part = Find(id);
    if (part == parts.end()) return std::nullopt;
    return part->object;
  }
  std::vector<AccessibleId> Children() const override {
    Called();
    std::vector<AccessibleId> ids;
    for (const FakePart& part : parts) ids.push_back(part.id);
    return ids;
  }
  std::optional<AccessibleId> ObjectAt(Point screen) const override {
    Called();
    if (!window.bounds.Contains(screen)) return std::nullopt;
    for (const FakePart& part : parts) {
      if (part.object.bounds.Contains(screen)) return part.id;
    }
    return kAccessibleWindow;
  }
  bool CanDoDefaultAction(AccessibleId id) const override {
    Called();
    const auto part = Find(id);
    return part != parts.end() && !part->object.default_action.empty() &&
           !((part->object.states | window.states) & kAccessibleUnavailable);
  }
  void DoDefaultAction(AccessibleId id) override {
    Called();
    if (!CanDoDefaultAction(id)) return;
    actions.push_back(id);
    if (on_action) on_action(id);
  }
  std::optional<AccessibleId> Focus() const override {
    Called();
    return focus;
  }
  bool TakeFocus(AccessibleId id) override {
    Called();
    if (Find(id) == parts.end()) return false;
    focus = id;
    return true;
  }

 private:
  void Called() const {
    ++calls;
    if (on_call) on_call();
  }
  std::vector<FakePart>::const_iterator Find(AccessibleId id) const {
    return std::find_if(parts.begin(), parts.end(), [id](const FakePart& p) { return p.id == id; });
  }
  std::vector<FakePart>::iterator Find(AccessibleId id) {
    return std::find_if(parts.begin(), parts.end(), [id](const FakePart& p) { return p.id == id; });
  }
};

}  // namespace pf::win32
