#pragma once
// Windows' default colours for the system-colour indices controls use, for platforms that have no
// colour scheme of their own.
#include "platform/geometry.h"

namespace pf {

// A neutral grey for the indices not listed.
ColorRef DefaultSysColor(int index);

}  // namespace pf
