#pragma once
// A mixer in memory: configured by a test, every call recorded.
#include <functional>
#include <string>
#include <vector>

#include "platform/mixer.h"

namespace pf::headless {

class HeadlessMixer : public Mixer {
 public:
  // What the mixer has. With `has_line` false the speakers' line is missing; with `has_control`
  // false the line has no control of the asked type.
  unsigned device_count = 1;
  bool has_line = true;
  MixerLineInfo line{0xFFFF0000u, 4, 2, 1};
  bool has_control = true;
  MixerControlInfo control{7, 0x20010002u};
  std::int32_t value = 1;
  // Result codes to return instead of success.
  std::uint32_t open_result = kMixerOk;
  std::uint32_t get_result = kMixerOk;
  std::uint32_t set_result = kMixerOk;
  // Whether the system has an endpoint mute: not by default (as before Vista); where it has one,
  // a clear is recorded as "endpoint mute 0".
  bool has_endpoint = false;

  // "open 0", "line 4", "control 0x20010002", "get 7 1", "set 7 1 0", "close",
  // "endpoint mute 0".
  std::vector<std::string> calls;
  int open_handles = 0;
  // Told of the endpoint's clear too, so that the platform's events order it among the rest.
  std::function<void(const std::string&)> on_endpoint;

  unsigned DeviceCount() override;
  std::uint32_t Open(unsigned device, MixerHandle* out) override;
  std::uint32_t LineByComponentType(MixerHandle mixer, std::uint32_t component_type,
                                    MixerLineInfo* out) override;
  std::uint32_t ControlByType(MixerHandle mixer, std::uint32_t line_id,
                              std::uint32_t control_type, MixerControlInfo* out) override;
  std::uint32_t GetDetails(MixerHandle mixer, std::uint32_t control_id, std::uint32_t channels,
                           std::int32_t* out) override;
  std::uint32_t SetDetails(MixerHandle mixer, std::uint32_t control_id, std::uint32_t channels,
                           std::int32_t new_value) override;
  std::uint32_t Close(MixerHandle mixer) override;
  void ClearEndpointMute() override;

 private:
  static constexpr MixerHandle kHandle = 0x4D58;
  bool Valid(MixerHandle h) const { return h == kHandle && open_handles > 0; }
};

}  // namespace pf::headless
