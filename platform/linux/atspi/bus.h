#pragma once
// Whether the desktop runs an accessibility bus, from what is cheap to ask: the environment, the
// property the bus launcher sets on the desktop's root window, a socket's presence.
#include <functional>
#include <string>

namespace pf::atspi {

// From the environment (AT_SPI_BUS_ADDRESS), else the desktop's AT_SPI_BUS property (read by
// `desktop_property`, empty when unset), else the launcher's socket beside a session bus; a bus
// at a socket path counts only while the socket is there. NO_AT_BRIDGE=1 says no, as ATK's bridge
// has it.
bool AccessibilityBusAnnounced(const std::function<std::string()>& desktop_property);

}  // namespace pf::atspi
