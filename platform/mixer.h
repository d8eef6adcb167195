#pragma once
// The audio mixer as the Windows multimedia mixer shows it: result codes 0 for success,
// MMSYSERR_/MIXERR_ values otherwise.
#include <cstdint>

namespace pf {

using MixerHandle = std::uintptr_t;

inline constexpr std::uint32_t kMixerOk = 0;
inline constexpr std::uint32_t kMixerBadDeviceId = 2;       // MMSYSERR_BADDEVICEID
inline constexpr std::uint32_t kMixerInvalidHandle = 5;     // MMSYSERR_INVALHANDLE
inline constexpr std::uint32_t kMixerInvalidLine = 1024;    // MIXERR_INVALLINE
inline constexpr std::uint32_t kMixerInvalidControl = 1025; // MIXERR_INVALCONTROL

struct MixerLineInfo {
  std::uint32_t line_id = 0;
  std::uint32_t component_type = 0;
  std::uint32_t channels = 0;
  std::uint32_t controls = 0;
};

struct MixerControlInfo {
  std::uint32_t control_id = 0;
  std::uint32_t control_type = 0;
};

class Mixer {
 public:
  virtual ~Mixer() = default;
  virtual unsigned DeviceCount() = 0;
  virtual std::uint32_t Open(unsigned device, MixerHandle* out) = 0;
  // mixerGetLineInfoA with MIXER_GETLINEINFOF_COMPONENTTYPE on a mixer handle.
  virtual std::uint32_t LineByComponentType(MixerHandle mixer, std::uint32_t component_type,
                                            MixerLineInfo* out) = 0;
  // mixerGetLineControlsA with MIXER_GETLINECONTROLSF_ONEBYTYPE, one control.
  virtual std::uint32_t ControlByType(MixerHandle mixer, std::uint32_t line_id,
                                      std::uint32_t control_type, MixerControlInfo* out) = 0;
  // Details of one 32-bit item (boolean or unsigned) for `channels` channels (0 = uniform).
  virtual std::uint32_t GetDetails(MixerHandle mixer, std::uint32_t control_id,
                                   std::uint32_t channels, std::int32_t* value) = 0;
  virtual std::uint32_t SetDetails(MixerHandle mixer, std::uint32_t control_id,
                                   std::uint32_t channels, std::int32_t value) = 0;
  virtual std::uint32_t Close(MixerHandle mixer) = 0;

  // Clears the mute of the default output device itself (Windows Vista and later: the default
  // render endpoint's, console role). There the mixer above reaches only the program's own audio
  // session, so its unmute changes nothing the user hears. Where the system has no such mute
  // (Windows 2000 and XP, ALSA) nothing happens; a failure is silent, as every mixer failure is.
  virtual void ClearEndpointMute() = 0;
};

}  // namespace pf
