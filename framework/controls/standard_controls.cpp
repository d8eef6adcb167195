#include "framework/controls/standard_controls.h"

#include <iterator>

#include "framework/controls/image.h"
#include "framework/objects/registration.h"

namespace fw {

void RegisterStandardControls() {
  const TComponentClass classes[] = {&TImage::StaticClass()};
  RegisterComponents(kStandardPalette, classes, static_cast<int>(std::size(classes)) - 1);
}

}  // namespace fw
