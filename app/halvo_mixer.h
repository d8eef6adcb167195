#pragma once
// CHalvoMixer: one control of one line of the first audio mixer device. Every failure is silent;
// success shows only in Ready().
#include <cstdint>

#include "platform/mixer.h"

namespace app {

inline constexpr std::uint32_t kComponentTypeDstSpeakers = 4;        // MIXERLINE_COMPONENTTYPE_DST_SPEAKERS
inline constexpr std::uint32_t kControlTypeMute = 0x20010002u;       // MIXERCONTROL_CONTROLTYPE_MUTE

class CHalvoMixer {
 public:
  // Opens mixer device 0 and finds the control of `control_type` on the destination line of
  // `component_type`, stopping at the first step that fails.
  CHalvoMixer(std::uint32_t component_type, std::uint32_t control_type);
  virtual ~CHalvoMixer();
  CHalvoMixer(const CHalvoMixer&) = delete;
  CHalvoMixer& operator=(const CHalvoMixer&) = delete;

  // Reads the control, then writes `value`; true when the write succeeded. A failed read or write
  // leaves the object not ready for good.
  bool SetValue(std::uint32_t value);

  bool Ready() const { return ready_ != 0; }
  std::uint32_t LastResult() const { return last_result_; }
  std::uint32_t Channels() const { return channels_; }
  std::uint32_t ControlId() const { return control_id_; }

 private:
  bool Open();
  bool FindControl(std::uint32_t component_type, std::uint32_t control_type);

  pf::Mixer& mixer_;
  pf::MixerHandle handle_ = 0;
  std::uint32_t control_id_ = 0;
  std::uint32_t last_result_ = 0;
  std::uint32_t channels_ = 0;
  std::uint32_t ready_ = 0;
};

// What the main form does when it is destroyed: switch the speakers' mute off, then the output
// device's own mute where the system has one, ignoring every failure.
void ClearSpeakerMute();

}  // namespace app
