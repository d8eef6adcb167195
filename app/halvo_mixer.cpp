#include "app/halvo_mixer.h"

#include "platform/platform.h"

namespace app {

CHalvoMixer::CHalvoMixer(std::uint32_t component_type, std::uint32_t control_type)
    : mixer_(pf::Current().AudioMixer()) {
  if (mixer_.DeviceCount() < 1) return;
  if (!Open()) return;
  if (!FindControl(component_type, control_type)) return;
  ready_ = 1;
}

CHalvoMixer::~CHalvoMixer() {
  if (handle_ != 0) mixer_.Close(handle_);
}

bool CHalvoMixer::Open() {
  last_result_ = mixer_.Open(0, &handle_);
  if (last_result_ != pf::kMixerOk) handle_ = 0;
  return last_result_ == pf::kMixerOk;
}

// The results of the two queries are not kept in LastResult.
bool CHalvoMixer::FindControl(std::uint32_t component_type, std::uint32_t control_type) {
  pf::MixerLineInfo line;
  if (mixer_.LineByComponentType(handle_, component_type, &line) != pf::kMixerOk) return false;
  pf::MixerControlInfo control;
  if (mixer_.ControlByType(handle_, line.line_id, control_type, &control) != pf::kMixerOk) {
    return false;
  }
  control_id_ = control.control_id;
  // A stereo line gives 1; every details request carries this count.
  channels_ = line.channels > 0 ? line.channels - 1 : 0;
  return true;
}

bool CHalvoMixer::SetValue(std::uint32_t value) {
  if (ready_ == 0) return false;
  ready_ = 0;
  std::int32_t current = 0;
  last_result_ = mixer_.GetDetails(handle_, control_id_, channels_, &current);
  if (last_result_ != pf::kMixerOk) return false;
  last_result_ = mixer_.SetDetails(handle_, control_id_, channels_, static_cast<std::int32_t>(value));
  if (last_result_ != pf::kMixerOk) return false;
  ready_ = 1;
  return true;
}

void ClearSpeakerMute() {
  {
    CHalvoMixer mixer(kComponentTypeDstSpeakers, kControlTypeMute);
    mixer.SetValue(0);
  }
  // From Vista on the mixer reaches only this program's own audio session; the output device's
  // mute is what the user hears. Where there is none, or it fails, nothing more happens.
  pf::Current().AudioMixer().ClearEndpointMute();
}

}  // namespace app
