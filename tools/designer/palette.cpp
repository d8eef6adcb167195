#include "tools/designer/palette.h"

#include <algorithm>

#include "buttoncomps/buttoncomps.h"
#include "framework/controls/standard_controls.h"

namespace designer {

std::vector<PalettePage> CollectPalette() {
  std::vector<PalettePage> pages;
  fw::RegisterComponentsProc previous = fw::SetRegisterComponentsProc(
      [&pages](const fw::String& page, const std::vector<fw::TComponentClass>& classes) {
        auto it = std::find_if(pages.begin(), pages.end(),
                               [&](const PalettePage& p) { return p.name == page; });
        if (it == pages.end()) it = pages.insert(pages.end(), PalettePage{page, {}});
        for (fw::TComponentClass cls : classes) {
          fw::RegisterClass(*cls);
          it->classes.push_back(cls);
        }
      });
  struct PutBack {
    fw::RegisterComponentsProc& proc;
    ~PutBack() { fw::SetRegisterComponentsProc(std::move(proc)); }
  } put_back{previous};
  bc::Register();
  fw::RegisterStandardControls();
  return pages;
}

}  // namespace designer
