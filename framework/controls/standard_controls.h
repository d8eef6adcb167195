#pragma once
// The framework's own controls that a form designer can place, for its palette.
namespace fw {

// The palette page they go on.
inline constexpr const char* kStandardPalette = "Standard";

// Hands them to the design environment's registration (RegisterComponents); raises its
// EComponentError "Invalid component registration" where no design environment is.
void RegisterStandardControls();

}  // namespace fw
