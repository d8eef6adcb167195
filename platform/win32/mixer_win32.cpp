#include "platform/win32/mixer_win32.h"

#include <algorithm>
#include <vector>

#include "platform/win32/system_dlls.h"
#include "platform/win32/win.h"

namespace pf::win32 {
namespace {

// Flags 0 (MIXER_OBJECTF_MIXER | ..._VALUE), as the launcher's mixer code has always passed them:
// winmm takes a mixer handle there as well as a device number.
constexpr DWORD kDetailsFlags = 0;

HMIXEROBJ AsMixerObject(MixerHandle mixer) { return reinterpret_cast<HMIXEROBJ>(mixer); }

// What a call answers where winmm or the function is missing: a system without a mixer.
constexpr MMRESULT kNoMixer = MMSYSERR_NODRIVER;

// One 32-bit item per channel. The caller names the channel count; a buffer of one item with a
// larger count would let the driver write past it, so the buffer always has room for all.
struct Details {
  Details(std::uint32_t control_id, std::uint32_t channels)
      : items(std::max<std::uint32_t>(channels, 1), 0) {
    record.cbStruct = sizeof(record);
    record.dwControlID = control_id;
    record.cChannels = channels;
    record.cMultipleItems = 0;
    record.cbDetails = sizeof(std::int32_t);
    record.paDetails = items.data();
  }
  MIXERCONTROLDETAILS record{};
  std::vector<std::int32_t> items;
};

}  // namespace

unsigned WinmmMixer::DeviceCount() {
  const auto get_num_devs = Winmm().get_num_devs;
  return get_num_devs != nullptr ? get_num_devs() : 0;
}

std::uint32_t WinmmMixer::Open(unsigned device, MixerHandle* out) {
  const auto open = Winmm().open;
  HMIXER mixer = nullptr;
  const MMRESULT result = open != nullptr ? open(&mixer, device, 0, 0, 0) : kNoMixer;
  *out = result == MMSYSERR_NOERROR ? reinterpret_cast<MixerHandle>(mixer) : 0;
  return result;
}

std::uint32_t WinmmMixer::LineByComponentType(MixerHandle mixer, std::uint32_t component_type,
                                              MixerLineInfo* out) {
  MIXERLINEA line{};
  line.cbStruct = sizeof(line);
  line.dwComponentType = component_type;
  const auto get_line_info = Winmm().get_line_info;
  if (get_line_info == nullptr) return kNoMixer;
  const MMRESULT result = get_line_info(AsMixerObject(mixer), &line,
                                        MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE);
  if (result == MMSYSERR_NOERROR) {
    *out = MixerLineInfo{line.dwLineID, line.dwComponentType, line.cChannels, line.cControls};
  }
  return result;
}

std::uint32_t WinmmMixer::ControlByType(MixerHandle mixer, std::uint32_t line_id,
                                        std::uint32_t control_type, MixerControlInfo* out) {
  MIXERCONTROLA control{};
  control.cbStruct = sizeof(control);
  MIXERLINECONTROLSA controls{};
  controls.cbStruct = sizeof(controls);
  controls.dwLineID = line_id;
  controls.dwControlType = control_type;
  controls.cControls = 1;
  controls.cbmxctrl = sizeof(control);
  controls.pamxctrl = &control;
  const auto get_line_controls = Winmm().get_line_controls;
  if (get_line_controls == nullptr) return kNoMixer;
  const MMRESULT result = get_line_controls(
      AsMixerObject(mixer), &controls, MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE);
  if (result == MMSYSERR_NOERROR) *out = MixerControlInfo{control.dwControlID, control.dwControlType};
  return result;
}

std::uint32_t WinmmMixer::GetDetails(MixerHandle mixer, std::uint32_t control_id,
                                     std::uint32_t channels, std::int32_t* value) {
  const auto get_control_details = Winmm().get_control_details;
  if (get_control_details == nullptr) return kNoMixer;
  Details details(control_id, channels);
  const MMRESULT result =
      get_control_details(AsMixerObject(mixer), &details.record, kDetailsFlags);
  if (result == MMSYSERR_NOERROR) *value = details.items[0];
  return result;
}

std::uint32_t WinmmMixer::SetDetails(MixerHandle mixer, std::uint32_t control_id,
                                     std::uint32_t channels, std::int32_t value) {
  const auto set_control_details = Winmm().set_control_details;
  if (set_control_details == nullptr) return kNoMixer;
  Details details(control_id, channels);
  std::fill(details.items.begin(), details.items.end(), value);
  return set_control_details(AsMixerObject(mixer), &details.record, kDetailsFlags);
}

std::uint32_t WinmmMixer::Close(MixerHandle mixer) {
  const auto close = Winmm().close;
  return close != nullptr ? close(reinterpret_cast<HMIXER>(mixer)) : kNoMixer;
}

}  // namespace pf::win32
