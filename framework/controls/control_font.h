#pragma once
#include <vector>

#include "framework/objects/classes.h"

namespace fw {

// Font.Name, Font.Size, Font.Color and Font.Style of a control, stored while ParentFont is off.
std::vector<PropInfo> FontProperties();

}  // namespace fw
