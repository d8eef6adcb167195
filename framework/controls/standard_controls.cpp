#include "framework/controls/standard_controls.h"

#include <iterator>

#include "framework/controls/edit.h"
#include "framework/controls/image.h"
#include "framework/controls/label.h"
#include "framework/objects/registration.h"

namespace fw {

void RegisterStandardControls() {
  const TComponentClass classes[] = {&TImage::StaticClass(), &TLabel::StaticClass(),
                                     &TEdit::StaticClass()};
  RegisterComponents(kStandardPalette, classes, static_cast<int>(std::size(classes)) - 1);
}

}  // namespace fw
