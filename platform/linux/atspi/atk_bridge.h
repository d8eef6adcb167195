#pragma once
// ATK's AT-SPI bridge over the application's accessible objects, and GLib's main context, where
// the bridge does its D-Bus work, turned by the platform's own loop.
#include <poll.h>

#include <memory>
#include <string_view>
#include <vector>

#include "platform/linux/atspi/atk_nodes.h"

namespace pf::atspi {

class AtkBridge {
 public:
  // Loads the libraries, makes the application's object ATK's root and starts the bridge. Null,
  // without a word, when a library is missing or the bridge cannot join the bus.
  static std::unique_ptr<AtkBridge> Start(std::string_view application_title,
                                          ActionRequests& requests);
  ~AtkBridge();
  AtkBridge(const AtkBridge&) = delete;
  AtkBridge& operator=(const AtkBridge&) = delete;

  ApplicationNode& application() { return *application_; }

  // Adds GLib's descriptors to a wait and shortens it to GLib's next timeout.
  void AddWaits(std::vector<pollfd>& fds, int& timeout_ms);
  // Dispatches what GLib has ready now, without waiting: true when anything ran.
  bool DispatchReady();

 private:
  AtkBridge(std::string_view application_title, ActionRequests& requests);
  // Prepares the context and asks for its descriptors: the priority to check them at.
  int Prepare(int& timeout_ms);

  std::unique_ptr<ApplicationNode> application_;
  GMainContext* context_;
  bool owner_ = false;
  bool running_ = false;
  std::vector<GPollFD> fds_;
};

}  // namespace pf::atspi
