#pragma once
// A component that calls its OnTimer at an interval, through the platform's timers.
#include <cstdint>

#include "framework/objects/classes.h"
#include "framework/objects/props.h"

namespace fw {

class TTimer : public TComponent {
  QF_PUBLISHED_CLASS()

 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned ms);
  // Called on each tick while the timer is enabled.
  TNotifyEvent OnTimer;
  // Runs OnTimer as a tick would.
  void Tick();

 protected:
  void Loaded() override;

 private:
  void UpdateTimer();
  void Restart();
  void Stop();
  bool enabled_ = true;
  unsigned interval_ = 1000;
  std::uintptr_t timer_id_ = 0;
};

}  // namespace fw
