#pragma once
// The form a designer reads a description into: a TForm that stands in for the description's own
// form class (TForm_Main, which the designer does not link), named as that class, and that takes
// the methods the description's events name without having them, telling its designer which
// one would run instead of running anything.
#include <functional>
#include <memory>

#include "framework/controls/forms.h"

namespace designer {

class TDesignRoot : public fw::TForm {
 public:
  // `class_name`: the description's form class; what its events name reports to `on_method`.
  TDesignRoot(fw::TComponent* owner, const fw::String& class_name,
              std::function<void(const fw::String& method)> on_method);

  const fw::ClassInfo& Class() const override { return *class_; }
  std::function<void()> UnboundMethod(const fw::String& name) const override;

 private:
  std::unique_ptr<fw::ClassInfo> class_;
  std::function<void(const fw::String&)> on_method_;
};

}  // namespace designer
