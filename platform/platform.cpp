#include "platform/platform.h"

#include <stdexcept>

namespace pf {
namespace {
std::unique_ptr<Platform>& Slot() {
  static std::unique_ptr<Platform> platform;
  return platform;
}
}  // namespace

Platform& Current() {
  auto& slot = Slot();
  if (!slot) throw std::logic_error("no platform installed");
  return *slot;
}

void Install(std::unique_ptr<Platform> platform) { Slot() = std::move(platform); }

std::unique_ptr<Platform> Uninstall() { return std::move(Slot()); }

}  // namespace pf
