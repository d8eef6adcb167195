#include "buttoncomps/buttoncomps.h"

#include "framework/registration.h"

namespace bc {

void Register() {
  const fw::TComponentClass classes[] = {
      &TEncartaButton::StaticClass(), &TAOLButton::StaticClass(), &TImageButton::StaticClass(),
      &TSelButton::StaticClass(),     &TSquareButton::StaticClass(),
  };
  fw::RegisterComponents(kPaletteName, classes, 4);
}

}  // namespace bc
