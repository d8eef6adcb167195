#pragma once
// The mixer through ALSA's simple mixer on the "default" device, shown as the Windows mixer shows
// it: the speakers are the destination line (component type 4) of the "Master" element, else the
// "Speaker" one, provided it has a playback switch; its mute control (type 0x20010002) is that
// switch inverted (mute 1 = switch off).
#include <map>
#include <memory>

#include "platform/mixer.h"

struct _snd_mixer;
struct _snd_mixer_elem;

namespace pf::posix {

class AlsaMixer : public Mixer {
 public:
  AlsaMixer();
  ~AlsaMixer() override;

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
  // ALSA's "Master" switch is the device's own: there is nothing above it.
  void ClearEndpointMute() override {}

 private:
  struct MixerCloser {
    void operator()(_snd_mixer* m) const;
  };
  struct Session {
    std::unique_ptr<_snd_mixer, MixerCloser> mixer;
    _snd_mixer_elem* speakers = nullptr;  // owned by the mixer
  };
  Session* Find(MixerHandle handle);
  _snd_mixer_elem* MuteSwitch(MixerHandle handle, std::uint32_t control_id, std::uint32_t* error);

  std::map<MixerHandle, Session> sessions_;
  MixerHandle next_handle_ = 1;
};

}  // namespace pf::posix
