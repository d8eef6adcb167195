#pragma once
// How the screen readers' server names the windows it serves, and where a request for a part's
// default action goes to be run later, from the platform's loop.
#include <cstdint>

#include "platform/accessibility.h"

namespace pf::atspi {

// A served window, by the name its platform gives it (the X window's id): never a pointer that
// the server could read through.
enum class ServedWindow : std::uintptr_t {};

class ActionRequests {
 public:
  virtual void Ask(ServedWindow window, AccessibleId id) = 0;

 protected:
  ~ActionRequests() = default;
};

}  // namespace pf::atspi
