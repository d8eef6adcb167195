#include "platform/win32/mixer_win32.h"

#include <algorithm>
#include <vector>

#include "platform/win32/win.h"

namespace pf::win32 {
namespace {

// Flags 0 (MIXER_OBJECTF_MIXER | ..._VALUE), as the launcher's mixer code has always passed them:
// winmm takes a mixer handle there as well as a device number.
constexpr DWORD kDetailsFlags = 0;

HMIXEROBJ AsMixerObject(MixerHandle mixer) { return reinterpret_cast<HMIXEROBJ>(mixer); }

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

unsigned WinmmMixer::DeviceCount() { return ::mixerGetNumDevs(); }

std::uint32_t WinmmMixer::Open(unsigned device, MixerHandle* out) {
  HMIXER mixer = nullptr;
  const MMRESULT result = ::mixerOpen(&mixer, device, 0, 0, 0);
  *out = result == MMSYSERR_NOERROR ? reinterpret_cast<MixerHandle>(mixer) : 0;
  return result;
}

std::uint32_t WinmmMixer::LineByComponentType(MixerHandle mixer, std::uint32_t component_type,
                                              MixerLineInfo* out) {
  MIXERLINEA line{};
  line.cbStruct = sizeof(line);
  line.dwComponentType = component_type;
  const MMRESULT result = ::mixerGetLineInfoA(
      AsMixerObject(mixer), &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE);
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
  const MMRESULT result = ::mixerGetLineControlsA(
      AsMixerObject(mixer), &controls, MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE);
  if (result == MMSYSERR_NOERROR) *out = MixerControlInfo{control.dwControlID, control.dwControlType};
  return result;
}

std::uint32_t WinmmMixer::GetDetails(MixerHandle mixer, std::uint32_t control_id,
                                     std::uint32_t channels, std::int32_t* value) {
  Details details(control_id, channels);
  const MMRESULT result = ::mixerGetControlDetailsA(AsMixerObject(mixer), &details.record,
                                                    kDetailsFlags);
  if (result == MMSYSERR_NOERROR) *value = details.items[0];
  return result;
}

std::uint32_t WinmmMixer::SetDetails(MixerHandle mixer, std::uint32_t control_id,
                                     std::uint32_t channels, std::int32_t value) {
  Details details(control_id, channels);
  std::fill(details.items.begin(), details.items.end(), value);
  return ::mixerSetControlDetails(AsMixerObject(mixer), &details.record, kDetailsFlags);
}

std::uint32_t WinmmMixer::Close(MixerHandle mixer) {
  return ::mixerClose(reinterpret_cast<HMIXER>(mixer));
}

}  // namespace pf::win32
