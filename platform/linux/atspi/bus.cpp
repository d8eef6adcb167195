#include "platform/linux/atspi/bus.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace pf::atspi {
namespace {

bool IsSocket(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
}

// D-Bus escapes bytes in address values as %XX.
std::string Unescaped(std::string_view value) {
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    unsigned byte = 0;
    if (value[i] == '%' && i + 2 < value.size() &&
        std::from_chars(value.data() + i + 1, value.data() + i + 3, byte, 16).ptr ==
            value.data() + i + 3) {
      out += static_cast<char>(byte);
      i += 2;
    } else {
      out += value[i];
    }
  }
  return out;
}

// An address names one or more ways in ("unix:path=/run/...,guid=...;unix:abstract=..."). A
// socket path can be looked at; any other way in is taken at its word.
bool AddressReachable(std::string_view address) {
  while (!address.empty()) {
    const std::size_t end = std::min(address.find(';'), address.size());
    const std::string_view entry = address.substr(0, end);
    address.remove_prefix(std::min(end + 1, address.size()));
    if (entry.empty()) continue;
    if (entry.substr(0, 5) != "unix:") return true;
    const std::size_t key = entry.find("path=");
    if (key == std::string_view::npos || (key != 5 && entry[key - 1] != ',')) return true;
    std::string_view value = entry.substr(key + 5);
    value = value.substr(0, value.find(','));
    if (IsSocket(Unescaped(value))) return true;
  }
  return false;
}

// The bus launcher of a session without X properties (a Wayland one) leaves its socket in the
// user's runtime folder, as at-spi/bus or at-spi/bus_N.
bool LauncherSocketPresent() {
  const char* session = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (session == nullptr || *session == '\0' || runtime == nullptr || *runtime == '\0') {
    return false;
  }
  const std::string folder = std::string(runtime) + "/at-spi";
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), &closedir);
  if (!dir) return false;
  while (const dirent* entry = readdir(dir.get())) {
    const std::string_view name(entry->d_name);
    if ((name == "bus" || name.substr(0, 4) == "bus_") && IsSocket(folder + "/" + entry->d_name)) {
      return true;
    }
  }
  return false;
}

}  // namespace

bool AccessibilityBusAnnounced(const std::function<std::string()>& desktop_property) {
  if (const char* no = std::getenv("NO_AT_BRIDGE"); no != nullptr && std::atoi(no) == 1) {
    return false;
  }
  if (const char* address = std::getenv("AT_SPI_BUS_ADDRESS"); address != nullptr && *address) {
    return AddressReachable(address);
  }
  const std::string property = desktop_property();
  if (!property.empty()) return AddressReachable(property);
  return LauncherSocketPresent();
}

}  // namespace pf::atspi
