#pragma once
// The button component unit: its five classes, and the routine a design environment calls to put
// them on its palette.
#include "buttoncomps/aol_button.h"
#include "buttoncomps/encarta_button.h"
#include "buttoncomps/image_button.h"
#include "buttoncomps/sel_button.h"
#include "buttoncomps/square_button.h"

namespace bc {

// The palette page the classes go on.
inline constexpr const char* kPaletteName = "Tolvane";

// Makes the five classes known to form descriptions. A program that reads descriptions naming
// them calls it once at start.
void RegisterClasses();

// For a design environment: hands the five classes to the framework's component registration; the error it raises when no
// design environment is there passes to the caller.
void Register();

}  // namespace bc
