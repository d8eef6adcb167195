#include "platform/linux/platform_linux.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>

#include "platform/linux/window_linux.h"

namespace pf::linux_x {
namespace {

// Windows' shortest timer interval.
constexpr unsigned kMinTimerMs = 10;

// The group leader: never mapped; it carries the application's title and owns message boxes.
::Window CreateLeader(const XConnection& x) {
  return XCreateSimpleWindow(x.display(), x.root(), 0, 0, 1, 1, 0, 0, 0);
}

}  // namespace

LinuxPlatform::LinuxPlatform(std::string_view program_name)
    : program_name_(program_name), leader_(x_.display(), CreateLeader(x_)) {}

// The windows go before the platform (the framework destroys its forms first): each one's X
// window needs the connection.
LinuxPlatform::~LinuxPlatform() { XFlush(x_.display()); }

std::unique_ptr<Window> LinuxPlatform::CreateWindow(const WindowParams& params,
                                                    WindowHandler* handler) {
  WindowHost& host = *this;
  return std::make_unique<LinuxWindow>(host, params, handler);
}

void LinuxPlatform::WindowGone(LinuxWindow& window) {
  std::erase(windows_, &window);
  if (capture_ == &window) capture_ = nullptr;
}

LinuxWindow* LinuxPlatform::FindWindow(::Window xid) const {
  for (LinuxWindow* w : windows_) {
    if (w->xid() == xid) return w;
  }
  return nullptr;
}

// Xlib hands the program events in the server's order, and the windows report every one that
// tells where the pointer is: without a round trip nothing newer can be known. Where they have
// not told, the server is asked, and it knows the stacking order: the child of the root the
// pointer is in is the topmost window there, ours or not. A disabled window counts, as on
// Windows.
PointerSpot LinuxPlatform::PointerNow(const std::optional<PointerSpot>& reported) {
  if (reported) return *reported;
  ::Window root = None, top = None;
  int root_x = 0, root_y = 0, win_x = 0, win_y = 0;
  unsigned mask = 0;
  if (!XQueryPointer(x_.display(), x_.root(), &root, &top, &root_x, &root_y, &win_x, &win_y,
                     &mask)) {
    return {};  // on another screen
  }
  const Point at{root_x, root_y};
  LinuxWindow* w = top != None ? ShownWindowAt(top, at) : nullptr;
  if (w == nullptr) return {};
  const Rect client = w->Bounds();
  return {w->handler(), Point{at.x - client.left, at.y - client.top}};
}

LinuxWindow* LinuxPlatform::ShownWindowAt(::Window top, Point root_point) const {
  for (LinuxWindow* w : windows_) {
    if (w->IsVisible() && x_.TopLevelOf(w->xid()) == top && w->Bounds().Contains(root_point)) {
      return w;
    }
  }
  return nullptr;
}

Size LinuxPlatform::ScreenSize() {
  return Size{DisplayWidth(x_.display(), x_.screen()), DisplayHeight(x_.display(), x_.screen())};
}

void LinuxPlatform::SetApplicationTitle(std::string_view title) {
  app_title_ = std::string(title);
  XStoreName(x_.display(), leader_.get(), app_title_.c_str());
  accessible_.SetApplicationTitle(app_title_);
  for (LinuxWindow* w : windows_) w->ShowName();  // the taskbar entries of the frameless ones
}

// Without a window manager nothing iconifies: the request is then a no-op, as ICCCM has it.
void LinuxPlatform::MinimizeApplication() {
  for (LinuxWindow* w : windows_) {
    if (!w->IsVisible()) continue;
    w->EnsureMapped();  // a window manager does not iconify a window it has not seen mapped
    XIconifyWindow(x_.display(), w->xid(), x_.screen());
  }
  XFlush(x_.display());
}

// ---- the loop ----------------------------------------------------------------------------

// Windows' order: input and other events first (here also the screen readers' requests, and
// the actions they asked for), then the quit, then paints, then timers. Drawing done since the
// last turn goes on screen before the loop looks for more work.
PumpResult LinuxPlatform::PumpOne() {
  FlushDrawn();
  children().Reap();
  if (ReportOpenFailure()) return PumpResult::Dispatched;
  if (XPending(x_.display()) > 0) {
    XEvent event;
    XNextEvent(x_.display(), &event);
    Dispatch(event);
    return PumpResult::Dispatched;
  }
  if (accessible_.Serve()) return PumpResult::Dispatched;
  if (quit_posted_) {
    quit_posted_ = false;
    return PumpResult::Quit;
  }
  if (LinuxWindow* w = WindowNeedingPaint()) {
    w->PaintPending();
    return PumpResult::Dispatched;
  }
  return FireDueTimer() ? PumpResult::Dispatched : PumpResult::Empty;
}

// The clipboard's events first: its selection is owned by the group leader, and what it serves
// goes to other programs' windows. A keyboard mapping changed (a key given another symbol) is
// read anew: Xlib follows Xkb's own notices itself, a server without Xkb sends only this one.
void LinuxPlatform::Dispatch(const XEvent& event) {
  NoteInputTime(event);
  if (clipboard_.HandleEvent(event)) return;
  if (event.type == MappingNotify) {
    XMappingEvent mapping = event.xmapping;
    XRefreshKeyboardMapping(&mapping);
    return;
  }
  if (LinuxWindow* w = FindWindow(event.xany.window)) w->HandleEvent(event);
}

void LinuxPlatform::NoteInputTime(const XEvent& event) {
  switch (event.type) {
    case KeyPress:
    case KeyRelease: input_time_ = event.xkey.time; break;
    case ButtonPress:
    case ButtonRelease: input_time_ = event.xbutton.time; break;
    default: break;
  }
}

bool LinuxPlatform::SetClipboardText(std::string_view text) {
  return clipboard_.Set(text, input_time_);
}

std::optional<std::string> LinuxPlatform::ClipboardText() { return clipboard_.Get(input_time_); }

void LinuxPlatform::FlushDrawn() {
  for (LinuxWindow* w : windows_) w->FlushDrawn();
}

LinuxWindow* LinuxPlatform::WindowNeedingPaint() const {
  for (LinuxWindow* w : windows_) {
    if (w->NeedsPaint()) return w;
  }
  return nullptr;
}

// Also waits for the screen readers' bus, once it is served; the loop's first wait is when the
// server looks for one.
void LinuxPlatform::WaitMessage() {
  FlushDrawn();
  // XPending flushes the requests and counts the events Xlib has read already.
  if (XPending(x_.display()) > 0 || quit_posted_ || WindowNeedingPaint() != nullptr ||
      accessible_.HasWork()) {
    return;
  }
  accessible_.StartIfWanted();
  // An opener that fails sends no X event: look at the children now and then while any run.
  constexpr int kChildPollMs = 100;
  int timeout = MsToNextTimer();
  if (!children().Empty() && (timeout < 0 || timeout > kChildPollMs)) timeout = kChildPollMs;
  std::vector<pollfd> fds{pollfd{x_.fd(), POLLIN, 0}};
  accessible_.AddWaits(fds, timeout);
  while (poll(fds.data(), fds.size(), timeout) < 0 && errno == EINTR) {
  }
}

std::uintptr_t LinuxPlatform::StartTimer(unsigned interval_ms, std::function<void()> on_tick) {
  const auto interval = std::chrono::milliseconds(std::max(interval_ms, kMinTimerMs));
  const std::uintptr_t id = next_timer_id_++;
  timers_[id] = Timer{interval, Clock::now() + interval,
                      std::make_shared<std::function<void()>>(std::move(on_tick))};
  return id;
}

std::map<std::uintptr_t, LinuxPlatform::Timer>::iterator LinuxPlatform::NextTimer() {
  return std::min_element(timers_.begin(), timers_.end(), [](const auto& a, const auto& b) {
    return a.second.due < b.second.due;
  });
}

// One due timer per pass; late ticks do not pile up, as WM_TIMER does not.
bool LinuxPlatform::FireDueTimer() {
  auto it = NextTimer();
  const Clock::time_point now = Clock::now();
  if (it == timers_.end() || it->second.due > now) return false;
  it->second.due = now + it->second.interval;
  // The tick may stop this timer or start others: hold the callback while it runs.
  const std::shared_ptr<std::function<void()>> tick = it->second.tick;
  (*tick)();
  return true;
}

int LinuxPlatform::MsToNextTimer() {
  auto it = NextTimer();
  if (it == timers_.end()) return -1;
  const auto left = it->second.due - Clock::now();
  if (left <= Clock::duration::zero()) return 0;
  // Rounded up: waking a little early would only spin.
  return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
}

}  // namespace pf::linux_x
