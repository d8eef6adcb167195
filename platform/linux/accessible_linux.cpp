#include "platform/linux/accessible_linux.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <memory>
#include <utility>

#include "platform/linux/atk_bridge.h"
#include "platform/linux/x_connection.h"

namespace pf::linux_x {
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

std::string RootProperty(const XConnection& x, const char* name) {
  // Without the atom, no one ever set the property: that costs one round trip, no more.
  const Atom atom = XInternAtom(x.display(), name, True);
  if (atom == None) return {};
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  XGetWindowProperty(x.display(), x.root(), atom, 0, 1024, False, XA_STRING, &type, &format,
                     &count, &after, &data);
  const std::unique_ptr<unsigned char, XFreeDeleter> owned(data);
  if (type != XA_STRING || format != 8 || data == nullptr) return {};
  return std::string(reinterpret_cast<const char*>(data), count);
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

bool AccessibilityBusAnnounced(const XConnection& x) {
  if (const char* no = std::getenv("NO_AT_BRIDGE"); no != nullptr && std::atoi(no) == 1) {
    return false;
  }
  if (const char* address = std::getenv("AT_SPI_BUS_ADDRESS"); address != nullptr && *address) {
    return AddressReachable(address);
  }
  const std::string property = RootProperty(x, "AT_SPI_BUS");
  if (!property.empty()) return AddressReachable(property);
  return LauncherSocketPresent();
}

AccessibleServer::AccessibleServer(const XConnection& x) : x_(x) {}

AccessibleServer::~AccessibleServer() = default;

AccessibleServer::Served* AccessibleServer::Find(const void* window) {
  const auto it = std::find_if(served_.begin(), served_.end(),
                               [window](const Served& s) { return s.window == window; });
  return it == served_.end() ? nullptr : &*it;
}

void AccessibleServer::SetTree(const void* window, AccessibleTree* tree) {
  Served* served = Find(window);
  if (served != nullptr && served->tree == tree) return;
  if (served != nullptr) {
    std::erase_if(served_, [window](const Served& s) { return s.window == window; });
    if (bridge_) bridge_->application().Withdraw(window);
  }
  if (tree == nullptr) return;
  served_.push_back(Served{window, tree, next_serial_++});
  if (bridge_) bridge_->application().Serve(window, *tree);
}

void AccessibleServer::Changed(const void* window, AccessibleId id, AccessibleChange change) {
  if (bridge_ && Find(window) != nullptr) bridge_->application().Changed(window, id, change);
}

void AccessibleServer::SetApplicationTitle(std::string_view title) {
  title_ = std::string(title);
  if (bridge_) bridge_->application().SetTitle(title_);
}

void AccessibleServer::StartIfWanted() {
  if (looked_for_bus_ || served_.empty()) return;
  looked_for_bus_ = true;
  if (!AccessibilityBusAnnounced(x_)) return;
  bridge_ = AtkBridge::Start(title_, *this);
  if (!bridge_) return;
  for (const Served& s : served_) bridge_->application().Serve(s.window, *s.tree);
}

void AccessibleServer::AddWaits(std::vector<pollfd>& fds, int& timeout_ms) {
  if (bridge_) bridge_->AddWaits(fds, timeout_ms);
}

bool AccessibleServer::Serve() {
  if (bridge_ && bridge_->DispatchReady()) return true;
  return RunRequest();
}

void AccessibleServer::Ask(const void* window, AccessibleId id) {
  if (const Served* served = Find(window)) requests_.push_back(Request{window, served->serial, id});
}

// The action may pump messages, take the description back or close the window: nothing of this
// server is held across it.
bool AccessibleServer::RunRequest() {
  if (requests_.empty()) return false;
  const Request request = requests_.front();
  requests_.erase(requests_.begin());
  const Served* served = Find(request.window);
  if (served != nullptr && served->serial == request.serial) {
    served->tree->DoDefaultAction(request.id);
  }
  return true;
}

}  // namespace pf::linux_x
