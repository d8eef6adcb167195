#include "platform/headless/headless_platform.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <stdexcept>
#include <utility>

#include "platform/shared/box_buttons.h"
#include "platform/shared/cp1252.h"
#include "platform/shared/sys_colors.h"

namespace pf::headless {
namespace {


// Names taken system-wide; the count is the number of open markers of each name.
std::map<std::string, int, std::less<>>& Markers() {
  static std::map<std::string, int, std::less<>> markers;
  return markers;
}

class HeadlessMarker : public InstanceMarker {
 public:
  explicit HeadlessMarker(std::string name) : name_(std::move(name)) { ++Markers()[name_]; }
  ~HeadlessMarker() override {
    auto it = Markers().find(name_);
    if (it != Markers().end() && --it->second == 0) Markers().erase(it);
  }
  void Release() override {}

 private:
  std::string name_;
};

class HeadlessProcess : public Process {
 public:
  explicit HeadlessProcess(int& open) : open_(open) { ++open_; }
  ~HeadlessProcess() override { --open_; }
  std::uint32_t Wait(unsigned) override { return 0; }

 private:
  int& open_;
};

class HeadlessApartment : public Apartment {
 public:
  explicit HeadlessApartment(std::function<void(const std::string&)> record)
      : record_(std::move(record)) {
    record_("apartment joined");
  }
  ~HeadlessApartment() override { record_("apartment left"); }

 private:
  std::function<void(const std::string&)> record_;
};

}  // namespace

HeadlessPlatform::HeadlessPlatform() {
  mixer.on_endpoint = [this](const std::string& what) { Record(what); };
}

HeadlessPlatform::~HeadlessPlatform() {
  for (HeadlessWindow* w : windows_) w->handler_ = nullptr;
}

void HeadlessPlatform::Record(const std::string& what) {
  events.push_back(std::to_string(now_) + " " + what);
}

// ---- clock and script -------------------------------------------------------------------

void HeadlessPlatform::Advance(std::uint64_t ms) {
  const std::uint64_t end = now_ + ms;
  // Scripted actions run at their own times, in order, on the way.
  RunScriptUntil(end);
  now_ = end;
  FireDueTimers();
}

void HeadlessPlatform::At(std::uint64_t time_ms, std::function<void()> action) {
  script_.push_back({std::max(time_ms, now_), script_order_++, std::move(action)});
}

void HeadlessPlatform::RunScriptUntil(std::uint64_t time) {
  for (;;) {
    auto next = std::min_element(script_.begin(), script_.end(), [](const auto& a, const auto& b) {
      return a.time != b.time ? a.time < b.time : a.order < b.order;
    });
    if (next == script_.end() || next->time > time) return;
    Scripted item = std::move(*next);
    script_.erase(next);
    now_ = std::max(now_, item.time);
    FireDueTimers();
    item.action();
  }
}

void HeadlessPlatform::FireDueTimers() {
  for (auto& [id, t] : timers_) {
    if (!t.pending && t.next_due <= now_) {
      t.pending = true;
      t.next_due = now_ + t.interval;
    }
  }
}

std::uint64_t HeadlessPlatform::NextEventTime() const {
  std::uint64_t next = UINT64_MAX;
  for (const auto& [id, t] : timers_) {
    if (!t.pending) next = std::min(next, t.next_due);
  }
  for (const auto& s : script_) next = std::min(next, s.time);
  return next;
}

std::uintptr_t HeadlessPlatform::StartTimer(unsigned interval_ms, std::function<void()> on_tick) {
  const std::uintptr_t id = next_timer_id_++;
  timers_[id] = Timer{std::max(interval_ms, 1u), now_ + std::max(interval_ms, 1u), false,
                      std::move(on_tick)};
  return id;
}

void HeadlessPlatform::StopTimer(std::uintptr_t id) { timers_.erase(id); }

void HeadlessPlatform::Sleep(unsigned ms) {
  slept_ms += ms;
  Advance(ms);
}

// ---- the loop ---------------------------------------------------------------------------

bool HeadlessPlatform::HasPendingMessages() const {
  if (!queue_.empty()) return true;
  for (const auto& [id, t] : timers_) {
    if (t.pending) return true;
  }
  return std::any_of(windows_.begin(), windows_.end(),
                     [](const HeadlessWindow* w) { return w->NeedsPaint(); });
}

// Drawing done since the last turn goes to the screen before the loop looks for more work.
void HeadlessPlatform::FlushDrawn() {
  for (HeadlessWindow* w : windows_) w->FlushDrawn();
}

PumpResult HeadlessPlatform::PumpOne() {
  FlushDrawn();
  // Posted messages first, then paints, then timers: the order Windows gives them.
  if (!queue_.empty()) {
    auto message = std::move(queue_.front());
    queue_.pop_front();
    if (!message) return PumpResult::Quit;
    message();
    return PumpResult::Dispatched;
  }
  if (PaintOneWindow()) return PumpResult::Dispatched;
  if (DispatchPendingTimer()) return PumpResult::Dispatched;
  return PumpResult::Empty;
}

bool HeadlessPlatform::PaintOneWindow() {
  for (HeadlessWindow* w : windows_) {
    if (w->NeedsPaint() && w->handler_) {
      w->PaintNow();
      return true;
    }
  }
  return false;
}

bool HeadlessPlatform::DispatchPendingTimer() {
  for (auto& [id, t] : timers_) {
    if (t.pending) {
      t.pending = false;
      auto tick = t.on_tick;  // the handler may stop or restart its own timer
      tick();
      return true;
    }
  }
  return false;
}

void HeadlessPlatform::WaitMessage() {
  FlushDrawn();
  if (HasPendingMessages()) return;
  const std::uint64_t next = NextEventTime();
  if (next == UINT64_MAX) {
    throw std::logic_error("headless platform: the loop waits for a message that can never come");
  }
  Advance(next - now_);
}

void HeadlessPlatform::PostQuit() { Post(nullptr); }

// ---- windows ----------------------------------------------------------------------------

std::unique_ptr<Window> HeadlessPlatform::CreateWindow(const WindowParams& params,
                                                       WindowHandler* handler) {
  auto window = std::make_unique<HeadlessWindow>(*this, params, handler, next_handle_++);
  windows_.push_back(window.get());
  return window;
}

void HeadlessPlatform::WindowGone(HeadlessWindow* window) {
  windows_.erase(std::remove(windows_.begin(), windows_.end(), window), windows_.end());
  if (capture_ == window) capture_ = nullptr;
  if (focused == window->Handle()) focused = 0;
}

// A posted message finds its window again by handle: null once it is gone.
HeadlessWindow* HeadlessPlatform::WindowByHandle(NativeHandle handle) const {
  for (HeadlessWindow* w : windows_) {
    if (w->Handle() == handle) return w;
  }
  return nullptr;
}

HeadlessWindow* HeadlessPlatform::WindowOf(const WindowHandler* handler) const {
  for (HeadlessWindow* w : windows_) {
    if (w->handler_ == handler) return w;
  }
  return nullptr;
}

HeadlessWindow* HeadlessPlatform::VisibleWindowAt(Point p) const {
  if (application_minimized) return nullptr;
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
    if ((*it)->IsVisible() && (*it)->Bounds().Contains(p)) return *it;
  }
  return nullptr;
}

PointerSpot HeadlessPlatform::PointerNow(const std::optional<PointerSpot>&) {
  ++pointer_queries;
  HeadlessWindow* w = VisibleWindowAt(cursor_);
  if (!w || !w->handler_) return {};
  return {w->handler_, {cursor_.x - w->Bounds().left, cursor_.y - w->Bounds().top}};
}

// The windows leave the screen, and the pointer: the one it was over hears of it, as on X and
// Windows.
void HeadlessPlatform::MinimizeApplication() {
  HeadlessWindow* const was_over = capture_ ? nullptr : VisibleWindowAt(cursor_);
  application_minimized = true;
  Record("minimize");
  if (was_over) PostPointerLeft(*was_over);
  focused_before_minimize_ = focused;
  MoveFocus(0);
}

void HeadlessPlatform::PostPointerLeft(const HeadlessWindow& window) {
  const NativeHandle left = window.Handle();
  Post([this, left] {
    if (HeadlessWindow* target = WindowByHandle(left); target && target->handler_) {
      target->handler_->WindowPointerLeft();
    }
  });
}

void HeadlessPlatform::RestoreApplication() {
  application_minimized = false;
  Record("restore");
  Post([this] {
    // By handle: a handler may destroy windows while hearing of it.
    std::vector<NativeHandle> shown;
    for (const HeadlessWindow* w : windows_) {
      if (w->IsVisible()) shown.push_back(w->Handle());
    }
    for (NativeHandle h : shown) {
      if (HeadlessWindow* w = WindowByHandle(h); w && w->handler_) w->handler_->WindowRestored();
    }
  });
  const NativeHandle had_focus = std::exchange(focused_before_minimize_, 0);
  if (WindowByHandle(had_focus)) MoveFocus(had_focus);
}

void HeadlessPlatform::CloseApplication() {
  Record("close application");
  Post([this] {
    if (HeadlessWindow* w = WindowByHandle(main_window); w && w->handler_) {
      w->handler_->WindowCloseRequest();
    }
  });
}

// ---- system -----------------------------------------------------------------------------

MarkerResult HeadlessPlatform::TakeInstanceMarker(std::string_view name) {
  MarkerResult r;
  r.already_exists = Markers().count(name) > 0;
  r.marker = std::make_unique<HeadlessMarker>(std::string(name));
  return r;
}

// As a western Windows writes paths in its texts.
std::string HeadlessPlatform::PathText(std::string_view path) {
  return text::Cp1252FromUtf8(path);
}

std::unique_ptr<Apartment> HeadlessPlatform::JoinApartment() {
  return std::make_unique<HeadlessApartment>([this](const std::string& what) { Record(what); });
}

ShellResult HeadlessPlatform::ShellExecute(const ShellRequest& request) {
  shell_requests.push_back(request);
  Record("shell " + request.verb + " " + request.file);
  ShellResult r;
  r.ok = shell_accepts ? shell_accepts(request) : true;
  if (r.ok && (request.mask & kShellKeepProcess)) {
    r.process = std::make_unique<HeadlessProcess>(open_processes);
  }
  return r;
}

int HeadlessPlatform::MessageBox(NativeHandle owner, std::string_view text,
                                 std::string_view caption, unsigned flags) {
  message_boxes.push_back({owner, std::string(text), std::string(caption), flags});
  Record("messagebox " + std::string(text));
  const std::vector<int> buttons = BoxButtons(flags);
  const bool has = std::find(buttons.begin(), buttons.end(), message_box_answer) != buttons.end();
  return has ? message_box_answer : buttons.front();
}

bool HeadlessPlatform::SetClipboardText(std::string_view text) {
  clipboard = std::string(text);
  Record("clipboard set");
  return true;
}

ColorRef HeadlessPlatform::SysColor(int index) {
  auto it = sys_colors.find(index);
  return it != sys_colors.end() ? it->second : DefaultSysColor(index);
}

std::optional<std::string_view> HeadlessPlatform::FindResource(std::string_view name) {
  auto it = resources.find(name);
  if (it != resources.end()) return std::string_view(it->second);
  return std::nullopt;
}

}  // namespace pf::headless
