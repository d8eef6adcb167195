#include "framework/controls/timer.h"

#include "platform/platform.h"

namespace fw {

const ClassInfo& TTimer::StaticClass() {
  static const ClassInfo info = [] {
    using T = TTimer;
    ClassInfo c = NewClass("TTimer", &TComponent::StaticClass(),
                           [](TComponent* owner) -> TComponent* { return new TTimer(owner); });
    auto& p = c.own_properties;
    p.push_back(BooleanProp<T>("Enabled", &T::Enabled, &T::SetEnabled, true));
    p.push_back(IntegerProp<T>(
        "Interval", [](const T& t) { return static_cast<int>(t.Interval()); },
        [](T& t, int v) {
          if (v < 0) throw EReadError("Invalid property value for Interval");
          t.SetInterval(static_cast<unsigned>(v));
        },
        1000));
    p.push_back(EventProp<T>("OnTimer", &T::OnTimer));
    return c;
  }();
  return info;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) { UpdateTimer(); }

TTimer::~TTimer() { Stop(); }

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned ms) {
  if (ms == interval_) return;
  interval_ = ms;
  UpdateTimer();
}

void TTimer::Loaded() {
  TComponent::Loaded();
  // Still marked as loading here; a timer read from a description starts now.
  Restart();
}

void TTimer::Stop() {
  if (timer_id_ != 0) {
    pf::Current().StopTimer(timer_id_);
    timer_id_ = 0;
  }
}

void TTimer::UpdateTimer() {
  if (HasState(ComponentState::Loading)) return;  // Loaded() starts it
  Restart();
}

void TTimer::Restart() {
  Stop();
  if (!enabled_ || interval_ == 0) return;
  // A designed form's timers keep still: the form shows as it was made.
  timer_id_ = pf::Current().StartTimer(interval_, [this] {
    if (!HasState(ComponentState::Designing)) Tick();
  });
}

void TTimer::Tick() {
  if (OnTimer) OnTimer(this);
}

}  // namespace fw
