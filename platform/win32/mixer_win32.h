#pragma once
#include "platform/mixer.h"

namespace pf::win32 {

// The speakers' mixer on Windows: the multimedia mixer's calls (winmm, bound at run time from the
// system folder: system_dlls.h), their result codes passed through unchanged, and the default
// output's own mute through Core Audio (endpoint_mute.cpp).
class WinmmMixer : public Mixer {
 public:
  unsigned DeviceCount() override;
  std::uint32_t Open(unsigned device, MixerHandle* out) override;
  std::uint32_t LineByComponentType(MixerHandle mixer, std::uint32_t component_type,
                                    MixerLineInfo* out) override;
  std::uint32_t ControlByType(MixerHandle mixer, std::uint32_t line_id, std::uint32_t control_type,
                              MixerControlInfo* out) override;
  std::uint32_t GetDetails(MixerHandle mixer, std::uint32_t control_id, std::uint32_t channels,
                           std::int32_t* value) override;
  std::uint32_t SetDetails(MixerHandle mixer, std::uint32_t control_id, std::uint32_t channels,
                           std::int32_t value) override;
  std::uint32_t Close(MixerHandle mixer) override;
  void ClearEndpointMute() override;
};

}  // namespace pf::win32
