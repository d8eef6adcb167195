#include "buttoncomps/buttoncomps.h"

#include <array>

#include "framework/objects/registration.h"

namespace bc {
namespace {

std::array<fw::TComponentClass, 5> Classes() {
  return {&TEncartaButton::StaticClass(), &TAOLButton::StaticClass(), &TImageButton::StaticClass(),
          &TSelButton::StaticClass(), &TSquareButton::StaticClass()};
}

}  // namespace

void RegisterClasses() {
  for (const fw::ClassInfo* info : Classes()) fw::RegisterClass(*info);
}

void Register() {
  const auto classes = Classes();
  fw::RegisterComponents(kPaletteName, classes.data(), static_cast<int>(classes.size()) - 1);
}

}  // namespace bc
