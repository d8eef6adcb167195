#pragma once
// A picture control and a timer.
#include <cstdint>
#include <memory>

#include "framework/controls.h"
#include "framework/picture.h"

namespace fw {

class TImage : public TGraphicControl {
  QF_PUBLISHED_CLASS()

 public:
  explicit TImage(TComponent* owner);
  ~TImage() override;
  TPicture* Picture() const { return picture_.get(); }
  std::string PictureData() const { return picture_->SaveToData(); }
  void SetPictureData(const std::string& data) { picture_->LoadFromData(data); }
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool auto_size);
  void Paint() override;

 private:
  void PictureChanged();
  std::unique_ptr<TPicture> picture_;
  bool auto_size_ = false;
};

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
