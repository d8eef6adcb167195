#include "platform/headless/headless_mixer.h"

#include <cstdio>

namespace pf::headless {
namespace {
std::string Hex(std::uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08X", v);
  return buf;
}
}  // namespace

unsigned HeadlessMixer::DeviceCount() {
  calls.push_back("count");
  return device_count;
}

std::uint32_t HeadlessMixer::Open(unsigned device, MixerHandle* out) {
  calls.push_back("open " + std::to_string(device));
  if (device >= device_count) return kMixerBadDeviceId;
  if (open_result != kMixerOk) return open_result;
  ++open_handles;
  *out = kHandle;
  return kMixerOk;
}

std::uint32_t HeadlessMixer::LineByComponentType(MixerHandle mixer, std::uint32_t component_type,
                                                 MixerLineInfo* out) {
  calls.push_back("line " + std::to_string(component_type));
  if (!Valid(mixer)) return kMixerInvalidHandle;
  if (!has_line || component_type != line.component_type) return kMixerInvalidLine;
  *out = line;
  return kMixerOk;
}

std::uint32_t HeadlessMixer::ControlByType(MixerHandle mixer, std::uint32_t line_id,
                                           std::uint32_t control_type, MixerControlInfo* out) {
  calls.push_back("control " + Hex(control_type));
  if (!Valid(mixer)) return kMixerInvalidHandle;
  if (line_id != line.line_id) return kMixerInvalidLine;
  if (!has_control || control_type != control.control_type) return kMixerInvalidControl;
  *out = control;
  return kMixerOk;
}

std::uint32_t HeadlessMixer::GetDetails(MixerHandle mixer, std::uint32_t control_id,
                                        std::uint32_t channels, std::int32_t* out) {
  calls.push_back("get " + std::to_string(control_id) + " " + std::to_string(channels));
  if (!Valid(mixer)) return kMixerInvalidHandle;
  if (get_result != kMixerOk) return get_result;
  if (control_id != control.control_id) return kMixerInvalidControl;
  *out = value;
  return kMixerOk;
}

std::uint32_t HeadlessMixer::SetDetails(MixerHandle mixer, std::uint32_t control_id,
                                        std::uint32_t channels, std::int32_t new_value) {
  calls.push_back("set " + std::to_string(control_id) + " " + std::to_string(channels) + " " +
                  std::to_string(new_value));
  if (!Valid(mixer)) return kMixerInvalidHandle;
  if (set_result != kMixerOk) return set_result;
  if (control_id != control.control_id) return kMixerInvalidControl;
  value = new_value;
  return kMixerOk;
}

std::uint32_t HeadlessMixer::Close(MixerHandle mixer) {
  calls.push_back("close");
  if (!Valid(mixer)) return kMixerInvalidHandle;
  --open_handles;
  return kMixerOk;
}

void HeadlessMixer::ClearEndpointMute() {
  if (!has_endpoint) return;
  calls.push_back("endpoint mute 0");
  if (on_endpoint) on_endpoint("endpoint mute 0");
}

}  // namespace pf::headless
