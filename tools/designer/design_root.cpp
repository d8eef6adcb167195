#include "tools/designer/design_root.h"

#include "framework/objects/props.h"

namespace designer {

// A class of its own, derived from TForm: the reader accepts a description of that class, and
// its properties are TForm's. It makes no instances: the designer makes the one it reads into.
TDesignRoot::TDesignRoot(fw::TComponent* owner, const fw::String& class_name,
                         std::function<void(const fw::String& method)> on_method)
    : fw::TForm(owner),
      class_(std::make_unique<fw::ClassInfo>(fw::NewClass(class_name, &fw::TForm::StaticClass()))),
      on_method_(std::move(on_method)) {}

std::function<void()> TDesignRoot::UnboundMethod(const fw::String& name) const {
  return [this, name] {
    if (on_method_) on_method_(name);
  };
}

}  // namespace designer
