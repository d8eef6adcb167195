#pragma once
// Handing component classes to a form designer's palette. A design environment installs the
// procedure that does the registering; a running program has none.
#include <functional>
#include <vector>

#include "framework/objects/classes.h"

namespace fw {

using TComponentClass = const ClassInfo*;
using RegisterComponentsProc =
    std::function<void(const String& page, const std::vector<TComponentClass>& classes)>;

// Installs (or, with an empty procedure, removes) the registration procedure; returns the old one.
RegisterComponentsProc SetRegisterComponentsProc(RegisterComponentsProc proc);

// Passes the page name and classes[0..high_index] to the installed procedure; raises
// EComponentError "Invalid component registration" when none is installed.
void RegisterComponents(const String& page, const TComponentClass* classes, int high_index);

}  // namespace fw
