#include "platform/linux/atspi/atk_bridge.h"

#include <cerrno>
#include <map>
#include <string>
#include <utility>

#include "platform/linux/atspi/atk_libs.h"

namespace pf::atspi {
namespace {

// ATK asks its root and its listeners of the process: one bridge at a time answers.
ApplicationNode* root = nullptr;

AtkObject* GetRoot() { return root != nullptr ? root->object() : nullptr; }
const gchar* ToolkitName() { return "Xlib"; }
const gchar* ToolkitVersion() { return "1"; }

// The bridge listens to the objects' signals by "Toolkit:Type:signal": a hook on that signal of
// every object of the type, as the toolkits do.
struct Hook {
  guint signal;
  gulong hook;
};

std::map<guint, Hook>& Hooks() {
  static std::map<guint, Hook> hooks;
  return hooks;
}

guint AddGlobalEventListener(GSignalEmissionHook listener, const gchar* event_type) {
  const std::string event(event_type);
  const std::size_t first = event.find(':');
  const std::size_t second = first == std::string::npos ? first : event.find(':', first + 1);
  if (second == std::string::npos) return 0;  // "window:create" and such: none here
  const std::string type_name = event.substr(first + 1, second - first - 1);
  const std::string signal_name = event.substr(second + 1);
  const AtkLibs& atk = Atk();
  const GType type = atk.g_type_from_name(type_name.c_str());
  const guint signal = type != 0 ? atk.g_signal_lookup(signal_name.c_str(), type) : 0;
  if (signal == 0) return 0;
  static guint next_id = 1;
  const guint id = next_id++;
  Hooks()[id] = Hook{signal, atk.g_signal_add_emission_hook(signal, 0, listener, nullptr, nullptr)};
  return id;
}

void RemoveGlobalEventListener(guint id) {
  const auto it = Hooks().find(id);
  if (it == Hooks().end()) return;
  Atk().g_signal_remove_emission_hook(it->second.signal, it->second.hook);
  Hooks().erase(it);
}

// ATK's utility class is where a toolkit says what its root is and how its signals are heard.
void BecomeAtksToolkit() {
  static const bool done = [] {
    auto* util = static_cast<AtkUtilClass*>(Atk().g_type_class_ref(Atk().atk_util_get_type()));
    util->get_root = &GetRoot;
    util->get_toolkit_name = &ToolkitName;
    util->get_toolkit_version = &ToolkitVersion;
    util->add_global_event_listener = &AddGlobalEventListener;
    util->remove_global_event_listener = &RemoveGlobalEventListener;
    return true;
  }();
  (void)done;
}

}  // namespace

std::unique_ptr<AtkBridge> AtkBridge::Start(std::string_view application_title,
                                            ActionRequests& requests) {
  if (!LoadAtkLibs()) return nullptr;
  std::unique_ptr<AtkBridge> bridge(new AtkBridge(application_title, requests));
  if (Atk().atk_bridge_adaptor_init(nullptr, nullptr) != 0) return nullptr;
  bridge->running_ = true;
  return bridge;
}

AtkBridge::AtkBridge(std::string_view application_title, ActionRequests& requests)
    : application_(std::make_unique<ApplicationNode>(std::string(application_title), requests)),
      context_(Atk().g_main_context_default()) {
  // The bridge's D-Bus traffic runs on the default context, which this thread alone turns.
  owner_ = Atk().g_main_context_acquire(context_) != FALSE;
  BecomeAtksToolkit();
  root = application_.get();
}

// The bridge tells the bus that the windows are gone, reading them one last time. ATK's focus
// tracker lets go of the object it holds first.
AtkBridge::~AtkBridge() {
  Atk().atk_focus_tracker_notify(nullptr);
  if (running_) Atk().atk_bridge_adaptor_cleanup();
  root = nullptr;
  application_.reset();
  if (owner_) Atk().g_main_context_release(context_);
}

int AtkBridge::Prepare(int& timeout_ms) {
  const AtkLibs& atk = Atk();
  int priority = 0;
  atk.g_main_context_prepare(context_, &priority);
  if (fds_.empty()) fds_.resize(8);
  for (;;) {
    const int needed = atk.g_main_context_query(context_, priority, &timeout_ms, fds_.data(),
                                                static_cast<gint>(fds_.size()));
    if (static_cast<std::size_t>(needed) <= fds_.size()) {
      fds_.resize(static_cast<std::size_t>(needed));
      return priority;
    }
    fds_.resize(static_cast<std::size_t>(needed));
  }
}

void AtkBridge::AddWaits(std::vector<pollfd>& fds, int& timeout_ms) {
  int timeout = -1;
  Prepare(timeout);
  for (const GPollFD& f : fds_) fds.push_back(pollfd{f.fd, static_cast<short>(f.events), 0});
  if (timeout >= 0 && (timeout_ms < 0 || timeout < timeout_ms)) timeout_ms = timeout;
}

bool AtkBridge::DispatchReady() {
  int timeout = -1;
  const int priority = Prepare(timeout);
  std::vector<pollfd> polled;
  polled.reserve(fds_.size());
  for (const GPollFD& f : fds_) polled.push_back(pollfd{f.fd, static_cast<short>(f.events), 0});
  while (poll(polled.data(), polled.size(), 0) < 0 && errno == EINTR) {
  }
  for (std::size_t i = 0; i < fds_.size(); ++i) {
    fds_[i].revents = static_cast<gushort>(polled[i].revents);
  }
  const AtkLibs& atk = Atk();
  if (!atk.g_main_context_check(context_, priority, fds_.data(), static_cast<gint>(fds_.size()))) {
    return false;
  }
  atk.g_main_context_dispatch(context_);
  return true;
}

}  // namespace pf::atspi
