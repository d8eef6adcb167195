#pragma once
// The windows' descriptions served to the desktop's screen readers: AT-SPI, through ATK and its
// bridge. A window's description is only recorded until the loop first waits; then, if what is
// cheap to ask says that the desktop runs an accessibility bus (bus.h), the libraries are loaded
// and the bridge joins the bus. Without a bus nothing is loaded, nothing waits and nothing is said.
#include <poll.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/accessibility.h"
#include "platform/linux/atspi/action_requests.h"

namespace pf::atspi {

class AtkBridge;

class AccessibleServer : private ActionRequests {
 public:
  // `desktop_property` reads the desktop's AT_SPI_BUS property, when the bus is looked for.
  explicit AccessibleServer(std::function<std::string()> desktop_property);
  ~AccessibleServer();
  AccessibleServer(const AccessibleServer&) = delete;
  AccessibleServer& operator=(const AccessibleServer&) = delete;

  // A null tree takes the window's description back, after which nothing served from it reads
  // it again.
  void SetTree(ServedWindow window, AccessibleTree* tree);
  void Changed(ServedWindow window, AccessibleId id, AccessibleChange change);
  void SetApplicationTitle(std::string_view title);

  // For the loop. At its first wait with a description set, looks for the bus once.
  void StartIfWanted();
  // Whether an action asked for waits to run.
  bool HasWork() const { return !requests_.empty(); }
  void AddWaits(std::vector<pollfd>& fds, int& timeout_ms);
  // One turn without waiting: what the bus brought, else one action asked for. True when
  // anything ran.
  bool Serve();

 private:
  struct Served {
    ServedWindow window;
    AccessibleTree* tree;
    std::uint64_t serial;  // a new one for each tree set, so that a request outlives neither
  };
  struct Request {
    ServedWindow window;
    std::uint64_t serial;
    AccessibleId id;
  };
  Served* Find(ServedWindow window);
  void Ask(ServedWindow window, AccessibleId id) override;
  bool RunRequest();

  std::function<std::string()> desktop_property_;
  std::string title_;
  std::vector<Served> served_;
  std::vector<Request> requests_;  // a few at most
  std::uint64_t next_serial_ = 1;
  bool looked_for_bus_ = false;
  std::unique_ptr<AtkBridge> bridge_;
};

}  // namespace pf::atspi
