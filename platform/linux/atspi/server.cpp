#include "platform/linux/atspi/server.h"

#include <algorithm>
#include <utility>

#include "platform/linux/atspi/atk_bridge.h"
#include "platform/linux/atspi/bus.h"

namespace pf::atspi {

AccessibleServer::AccessibleServer(std::function<std::string()> desktop_property)
    : desktop_property_(std::move(desktop_property)) {}

AccessibleServer::~AccessibleServer() = default;

AccessibleServer::Served* AccessibleServer::Find(ServedWindow window) {
  const auto it = std::find_if(served_.begin(), served_.end(),
                               [window](const Served& s) { return s.window == window; });
  return it == served_.end() ? nullptr : &*it;
}

void AccessibleServer::SetTree(ServedWindow window, AccessibleTree* tree) {
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

void AccessibleServer::Changed(ServedWindow window, AccessibleId id, AccessibleChange change) {
  if (bridge_ && Find(window) != nullptr) bridge_->application().Changed(window, id, change);
}

void AccessibleServer::SetApplicationTitle(std::string_view title) {
  title_ = std::string(title);
  if (bridge_) bridge_->application().SetTitle(title_);
}

void AccessibleServer::StartIfWanted() {
  if (looked_for_bus_ || served_.empty()) return;
  looked_for_bus_ = true;
  if (!AccessibilityBusAnnounced(desktop_property_)) return;
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

void AccessibleServer::Ask(ServedWindow window, AccessibleId id) {
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

}  // namespace pf::atspi
