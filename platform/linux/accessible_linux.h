#pragma once
// The windows' descriptions served to the desktop's screen readers: AT-SPI, through ATK and its
// bridge. A window's description is only recorded until the loop first waits; then, if what is
// cheap to ask (the environment, a property of the X root window, a socket's presence) says that
// the desktop runs an accessibility bus, the libraries are loaded and the bridge joins the bus.
// Without a bus nothing is loaded, nothing waits and nothing is said.
#include <poll.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/accessibility.h"

namespace pf::linux_x {

class AtkBridge;
class XConnection;

// Where a screen reader's request for a part's default action goes, to run from the loop.
class ActionRequests {
 public:
  virtual void Ask(const void* window, AccessibleId id) = 0;

 protected:
  ~ActionRequests() = default;
};

class AccessibleServer : private ActionRequests {
 public:
  explicit AccessibleServer(const XConnection& x);
  ~AccessibleServer();
  AccessibleServer(const AccessibleServer&) = delete;
  AccessibleServer& operator=(const AccessibleServer&) = delete;

  // `window` identifies the window; a null tree takes its description back, after which
  // nothing served from it reads it again.
  void SetTree(const void* window, AccessibleTree* tree);
  void Changed(const void* window, AccessibleId id, AccessibleChange change);
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
    const void* window;
    AccessibleTree* tree;
    std::uint64_t serial;  // a new one for each tree set, so that a request outlives neither
  };
  struct Request {
    const void* window;
    std::uint64_t serial;
    AccessibleId id;
  };
  Served* Find(const void* window);
  void Ask(const void* window, AccessibleId id) override;
  bool RunRequest();

  const XConnection& x_;
  std::string title_;
  std::vector<Served> served_;
  std::vector<Request> requests_;  // a few at most
  std::uint64_t next_serial_ = 1;
  bool looked_for_bus_ = false;
  std::unique_ptr<AtkBridge> bridge_;
};

// Whether the desktop says it runs an accessibility bus, from the environment
// (AT_SPI_BUS_ADDRESS), the root window's AT_SPI_BUS property that the bus launcher sets, or the
// launcher's socket beside a session bus; a bus at a socket path counts only while the socket is
// there. NO_AT_BRIDGE=1 says no, as ATK's bridge has it.
bool AccessibilityBusAnnounced(const XConnection& x);

}  // namespace pf::linux_x
