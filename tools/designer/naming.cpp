#include "tools/designer/naming.h"

#include <string>

namespace designer {
namespace {

bool Taken(const fw::String& name, const fw::TextDocument& a, const fw::TextDocument* b) {
  return a.Find(name).has_value() || (b && b->Find(name).has_value());
}

fw::String Fresh(const fw::String& class_name, const fw::TextDocument& a,
                 const fw::TextDocument* b) {
  const bool prefixed = class_name.size() > 1 && class_name[0] == 'T';
  const fw::String stem = prefixed ? class_name.substr(1) : class_name;
  for (int n = 1;; ++n) {
    fw::String name = stem + std::to_string(n);
    if (!Taken(name, a, b)) return name;
  }
}

}  // namespace

fw::String FreshName(const fw::TextDocument& text, const fw::String& class_name) {
  return Fresh(class_name, text, nullptr);
}

bool RenameColliding(fw::TextDocument& pasted, const fw::TextDocument& text) {
  bool renamed = false;
  for (std::size_t i = 0; i < pasted.Objects().size(); ++i) {
    const fw::TextObject& object = pasted.Objects()[i];
    if (object.name.empty() || !text.Find(object.name)) continue;
    // Fresh in both: the pasted text's own names are taken too.
    pasted.Rename(i, Fresh(object.class_name, text, &pasted));
    renamed = true;
  }
  return renamed;
}

}  // namespace designer
