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

LinuxPlatform::LinuxPlatform() : leader_(x_.display(), CreateLeader(x_)) {}

// The windows go before the platform (the framework destroys its forms first): each one's X
// window needs the connection.
LinuxPlatform::~LinuxPlatform() { XFlush(x_.display()); }

std::unique_ptr<Window> LinuxPlatform::CreateWindow(const WindowParams& params,
                                                    WindowHandler* handler) {
  return std::make_unique<LinuxWindow>(*this, params, handler);
}

void LinuxPlatform::WindowGone(LinuxWindow* window) {
  std::erase(windows_, window);
  if (capture_ == window) capture_ = nullptr;
  if (pointer_.inside == window) ForgetPointer();
  if (grab_inside_ == window) grab_inside_ = nullptr;
}

LinuxWindow* LinuxPlatform::FindWindow(::Window xid) const {
  for (LinuxWindow* w : windows_) {
    if (w->xid() == xid) return w;
  }
  return nullptr;
}

// At the pointer's own position the events have told which window it is in. Elsewhere the
// server knows the stacking order: the top-level window under the point is the topmost one
// there, ours or not. A disabled window counts, as on Windows.
WindowHandler* LinuxPlatform::WindowAt(Point screen) {
  LinuxWindow* w =
      pointer_.window_known && pointer_.root == screen ? pointer_.inside : QueryWindowAt(screen);
  return w != nullptr && w->IsVisible() ? w->handler() : nullptr;
}

LinuxWindow* LinuxPlatform::QueryWindowAt(Point screen) {
  int x = 0, y = 0;
  ::Window top = None;
  XTranslateCoordinates(x_.display(), x_.root(), x_.root(), screen.x, screen.y, &x, &y, &top);
  if (top == None) return nullptr;
  for (LinuxWindow* w : windows_) {
    if (w->IsVisible() && x_.TopLevelOf(w->xid()) == top && w->Bounds().Contains(screen)) return w;
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
  children_->Reap();
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

bool LinuxPlatform::ReportOpenFailure() {
  std::optional<std::string> failure = children_->TakeFailure();
  if (failure) MessageBox(leader_.get(), *failure, "", kBoxIconError);
  return failure.has_value();
}

void LinuxPlatform::Dispatch(const XEvent& event) {
  if (LinuxWindow* w = FindWindow(event.xany.window)) w->HandleEvent(event);
}

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
  if (!children_->Empty() && (timeout < 0 || timeout > kChildPollMs)) timeout = kChildPollMs;
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
