#pragma once
// The palette: the pages and classes the component libraries hand a design environment through
// the framework's registration (fw::RegisterComponents), in the order they arrive.
#include <vector>

#include "framework/objects/registration.h"

namespace designer {

struct PalettePage {
  fw::String name;
  std::vector<fw::TComponentClass> classes;
};

// Installs the designer's registration procedure, calls each library's Register (the button
// library's "Tolvane", the framework's own controls) and gives what arrived; the procedure in
// place before is put back. A class a library hands over is also made known to descriptions.
std::vector<PalettePage> CollectPalette();

}  // namespace designer
