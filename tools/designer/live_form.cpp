#include "tools/designer/live_form.h"

#include <algorithm>
#include <memory>

#include "framework/controls/control.h"
#include "framework/description_tools/text_reading.h"

namespace designer {
namespace {

using fw::TextDocument;
using fw::TextObject;

const fw::String* ParentName(const TextDocument& text, const TextObject& object) {
  return object.parent ? &text.Objects()[*object.parent].name : nullptr;
}

// The object of the same name and class in `text`, if any.
std::optional<std::size_t> Counterpart(const TextDocument& text, const TextObject& object) {
  const std::optional<std::size_t> found = text.Find(object.name);
  if (found && *found > 0 && text.Objects()[*found].class_name == object.class_name) return found;
  return std::nullopt;
}

// A component of the live one's class with the class's defaults: what a property no longer
// written goes back to. The stand-in root's defaults are TForm's.
std::unique_ptr<fw::TComponent> DefaultLike(const fw::TComponent& live, const TDesignRoot& root) {
  const fw::ClassInfo& cls = &live == &root ? fw::TForm::StaticClass() : live.Class();
  return std::unique_ptr<fw::TComponent>(cls.create ? cls.create(nullptr) : nullptr);
}

void ResetProperty(fw::TComponent& live, const fw::String& name, const TDesignRoot& root) {
  const fw::PropInfo* p = live.Class().FindProperty(name);
  const std::unique_ptr<fw::TComponent> fresh = DefaultLike(live, root);
  if (p && p->get && p->set && fresh) p->set(live, p->get(*fresh));
}

void SetProperties(const TextDocument& text, std::size_t index, const std::string& folder,
                   TDesignRoot& root, fw::TComponent& live) {
  for (const fw::TextProperty& p : text.Objects()[index].properties) {
    fw::SetPropertyText(live, root, p.name, *text.ValueText(index, p.name), folder);
  }
}

// A control made as the reader makes one: named, placed in its parent, its properties set while
// it loads, then told it is loaded.
void Make(const TextDocument& to, std::size_t index, const std::string& folder,
          TDesignRoot& root) {
  const TextObject& object = to.Objects()[index];
  const fw::ClassInfo& cls = fw::GetClass(object.class_name);
  if (!cls.create) throw fw::EReadError("objects of class " + object.class_name + " cannot be created");
  std::unique_ptr<fw::TComponent> made(cls.create(&root));
  made->SetState(fw::ComponentState::Designing, root.HasState(fw::ComponentState::Designing));
  made->SetState(fw::ComponentState::Loading, true);
  made->SetState(fw::ComponentState::Reading, true);
  made->SetName(object.name);
  made->SetParentComponent(LiveComponent(to, *object.parent, root));
  SetProperties(to, index, folder, root, *made);
  made->SetState(fw::ComponentState::Reading, false);
  made->Loaded();
  made->SetState(fw::ComponentState::Loading, false);
  made.release();  // its owner, the root, has it
}

void FollowProperties(const TextDocument& from, std::size_t from_index, const TextDocument& to,
                      std::size_t to_index, const std::string& folder, TDesignRoot& root,
                      fw::TComponent& live) {
  for (const fw::TextProperty& p : to.Objects()[to_index].properties) {
    const std::optional<std::string> now = to.ValueText(to_index, p.name);
    if (from.ValueText(from_index, p.name) != now) {
      fw::SetPropertyText(live, root, p.name, *now, folder);
    }
  }
  for (const fw::TextProperty& p : from.Objects()[from_index].properties) {
    if (!to.ValueText(to_index, p.name)) ResetProperty(live, p.name, root);
  }
}

// Destroys what `to` no longer has (or has as another class).
void RemoveGone(const TextDocument& from, const TextDocument& to, TDesignRoot& root) {
  for (std::size_t i = 1; i < from.Objects().size(); ++i) {
    if (Counterpart(to, from.Objects()[i])) continue;
    if (fw::TComponent* gone = root.FindComponent(from.Objects()[i].name)) fw::Free(gone);
  }
}

// The controls of each container lie in the order the text gives them: the last one on top.
void FollowOrder(const TextDocument& to, TDesignRoot& root) {
  for (std::size_t i = 0; i < to.Objects().size(); ++i) {
    auto* container = dynamic_cast<fw::TWinControl*>(LiveComponent(to, i, root));
    if (!container) continue;
    std::vector<fw::TControl*> wanted;
    for (std::size_t child : to.Objects()[i].children) {
      if (auto* c = dynamic_cast<fw::TControl*>(LiveComponent(to, child, root))) wanted.push_back(c);
    }
    std::vector<fw::TControl*> now;
    for (int k = 0; k < container->ControlCount(); ++k) now.push_back(container->Controls(k));
    if (now == wanted) continue;
    for (fw::TControl* c : wanted) {
      c->SetParent(nullptr);
      c->SetParent(container);
    }
  }
}

bool AllNamed(const TextDocument& text) {
  return std::all_of(text.Objects().begin(), text.Objects().end(),
                     [](const TextObject& o) { return !o.name.empty(); });
}

}  // namespace

TDesignRoot* ReadLiveForm(const TextDocument& text, const std::string& folder,
                          fw::TComponent* owner,
                          std::function<void(const fw::String& method)> on_method) {
  auto root = std::make_unique<TDesignRoot>(owner, text.Objects()[0].class_name,
                                            std::move(on_method));
  root->SetState(fw::ComponentState::Designing, true);
  fw::ReadTextComponent(text.Text(), folder, *root);
  return root.release();
}

bool CanFollow(const TextDocument& from, const TextDocument& to) {
  const TextObject& a = from.Objects()[0];
  const TextObject& b = to.Objects()[0];
  return a.class_name == b.class_name && a.name == b.name && AllNamed(from) && AllNamed(to);
}

void FollowText(const TextDocument& from, const TextDocument& to, const std::string& folder,
                TDesignRoot& root) {
  RemoveGone(from, to, root);
  FollowProperties(from, 0, to, 0, folder, root, root);
  for (std::size_t i = 1; i < to.Objects().size(); ++i) {
    const TextObject& object = to.Objects()[i];
    const std::optional<std::size_t> before = Counterpart(from, object);
    if (!before) {
      Make(to, i, folder, root);
      continue;
    }
    fw::TComponent& live = *root.FindComponent(object.name);
    const fw::String* was_in = ParentName(from, from.Objects()[*before]);
    const fw::String* now_in = ParentName(to, object);
    if (!was_in || !now_in || *was_in != *now_in) {
      live.SetParentComponent(LiveComponent(to, *object.parent, root));
    }
    FollowProperties(from, *before, to, i, folder, root, live);
  }
  FollowOrder(to, root);
}

fw::TComponent* LiveComponent(const TextDocument& text, std::size_t index, TDesignRoot& root) {
  if (index == 0) return &root;
  const fw::String& name = text.Objects()[index].name;
  return name.empty() ? nullptr : root.FindComponent(name);
}

}  // namespace designer
