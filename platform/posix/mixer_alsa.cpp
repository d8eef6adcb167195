#include "platform/posix/mixer_alsa.h"

#include <alsa/asoundlib.h>

#include <cstring>
#include <vector>

#include "platform/posix/shared_library.h"

namespace pf::posix {
namespace {

// libasound is opened when the mixer is first used (the launcher uses it once, at exit), not at
// start: its pages and its loading stay out of the start.
#define QF_ALSA_FUNCTIONS(X)                                                                   \
  X(snd_lib_error_set_handler) X(snd_card_next) X(snd_mixer_open) X(snd_mixer_close)          \
  X(snd_mixer_attach) X(snd_mixer_selem_register) X(snd_mixer_load) X(snd_mixer_find_selem)   \
  X(snd_mixer_selem_id_sizeof) X(snd_mixer_selem_id_set_name) X(snd_mixer_selem_id_set_index) \
  X(snd_mixer_selem_has_playback_switch) X(snd_mixer_selem_is_playback_mono)                  \
  X(snd_mixer_selem_has_playback_channel) X(snd_mixer_selem_get_playback_switch)              \
  X(snd_mixer_selem_set_playback_switch_all)

struct Alsa {
#define QF_DECLARE(f) decltype(&::f) f = nullptr;
  QF_ALSA_FUNCTIONS(QF_DECLARE)
#undef QF_DECLARE
};

void Silent(const char*, int, const char*, int, const char*, ...);

// Null when libasound or one of its functions is missing: then there is no mixer device.
const Alsa* LoadAlsa() {
  static const Alsa* const alsa = []() -> const Alsa* {
    const SharedLibrary library("libasound.so.2");
    static Alsa loaded;
    bool complete = true;
#define QF_LOAD(f)                             \
  loaded.f = library.Find<decltype(&::f)>(#f); \
  complete = complete && loaded.f != nullptr;
    QF_ALSA_FUNCTIONS(QF_LOAD)
#undef QF_LOAD
    if (!complete) return nullptr;
    loaded.snd_lib_error_set_handler(&Silent);
    return &loaded;
  }();
  return alsa;
}

constexpr std::uint32_t kComponentSpeakers = 4;      // MIXERLINE_COMPONENTTYPE_DST_SPEAKERS
constexpr std::uint32_t kControlMute = 0x20010002;   // MIXERCONTROL_CONTROLTYPE_MUTE
// A destination line's id, as winmm numbers them.
constexpr std::uint32_t kSpeakersLineId = 0xFFFF0000;
constexpr std::uint32_t kMuteControlId = 1;

// libasound prints its failures ("ALSA lib ...") on stderr unless told otherwise; the results
// say everything the caller needs.
void Silent(const char*, int, const char*, int, const char*, ...) {}

snd_mixer_elem_t* FindSwitch(const Alsa& alsa, snd_mixer_t* mixer, const char* name) {
  std::vector<unsigned char> storage(alsa.snd_mixer_selem_id_sizeof(), 0);
  auto* id = reinterpret_cast<snd_mixer_selem_id_t*>(storage.data());
  alsa.snd_mixer_selem_id_set_name(id, name);
  alsa.snd_mixer_selem_id_set_index(id, 0);
  snd_mixer_elem_t* elem = alsa.snd_mixer_find_selem(mixer, id);
  return elem != nullptr && alsa.snd_mixer_selem_has_playback_switch(elem) ? elem : nullptr;
}

std::uint32_t PlaybackChannels(const Alsa& alsa, snd_mixer_elem_t* elem) {
  if (alsa.snd_mixer_selem_is_playback_mono(elem)) return 1;
  std::uint32_t count = 0;
  for (int c = 0; c <= SND_MIXER_SCHN_LAST; ++c) {
    if (alsa.snd_mixer_selem_has_playback_channel(elem,
                                                  static_cast<snd_mixer_selem_channel_id_t>(c))) {
      ++count;
    }
  }
  return count;
}

}  // namespace

// A mixer exists only once libasound was loaded.
void AlsaMixer::MixerCloser::operator()(snd_mixer_t* m) const { LoadAlsa()->snd_mixer_close(m); }

AlsaMixer::AlsaMixer() = default;

AlsaMixer::~AlsaMixer() { sessions_.clear(); }

unsigned AlsaMixer::DeviceCount() {
  const Alsa* alsa = LoadAlsa();
  if (alsa == nullptr) return 0;
  unsigned count = 0;
  int card = -1;
  while (alsa->snd_card_next(&card) == 0 && card >= 0) ++count;
  return count;
}

std::uint32_t AlsaMixer::Open(unsigned device, MixerHandle* out) {
  *out = 0;
  const Alsa* alsa = LoadAlsa();
  if (device != 0 || alsa == nullptr) return kMixerBadDeviceId;  // one mixer: the default device's
  snd_mixer_t* raw = nullptr;
  if (alsa->snd_mixer_open(&raw, 0) < 0) return kMixerBadDeviceId;
  Session session;
  session.mixer.reset(raw);
  if (alsa->snd_mixer_attach(raw, "default") < 0 ||
      alsa->snd_mixer_selem_register(raw, nullptr, nullptr) < 0 || alsa->snd_mixer_load(raw) < 0) {
    return kMixerBadDeviceId;
  }
  session.speakers = FindSwitch(*alsa, raw, "Master");
  if (session.speakers == nullptr) session.speakers = FindSwitch(*alsa, raw, "Speaker");
  *out = next_handle_++;
  sessions_.emplace(*out, std::move(session));
  return kMixerOk;
}

AlsaMixer::Session* AlsaMixer::Find(MixerHandle handle) {
  auto it = sessions_.find(handle);
  return it == sessions_.end() ? nullptr : &it->second;
}

std::uint32_t AlsaMixer::LineByComponentType(MixerHandle mixer, std::uint32_t component_type,
                                             MixerLineInfo* out) {
  Session* s = Find(mixer);
  if (s == nullptr) return kMixerInvalidHandle;
  if (component_type != kComponentSpeakers || s->speakers == nullptr) return kMixerInvalidLine;
  *out = MixerLineInfo{kSpeakersLineId, kComponentSpeakers,
                       PlaybackChannels(*LoadAlsa(), s->speakers), 1};
  return kMixerOk;
}

std::uint32_t AlsaMixer::ControlByType(MixerHandle mixer, std::uint32_t line_id,
                                       std::uint32_t control_type, MixerControlInfo* out) {
  Session* s = Find(mixer);
  if (s == nullptr) return kMixerInvalidHandle;
  if (line_id != kSpeakersLineId || s->speakers == nullptr) return kMixerInvalidLine;
  if (control_type != kControlMute) return kMixerInvalidControl;
  *out = MixerControlInfo{kMuteControlId, kControlMute};
  return kMixerOk;
}

snd_mixer_elem_t* AlsaMixer::MuteSwitch(MixerHandle handle, std::uint32_t control_id,
                                        std::uint32_t* error) {
  Session* s = Find(handle);
  *error = s == nullptr                                            ? kMixerInvalidHandle
           : control_id != kMuteControlId || s->speakers == nullptr ? kMixerInvalidControl
                                                                     : kMixerOk;
  return *error == kMixerOk ? s->speakers : nullptr;
}

std::uint32_t AlsaMixer::GetDetails(MixerHandle mixer, std::uint32_t control_id, std::uint32_t,
                                    std::int32_t* value) {
  std::uint32_t error = kMixerOk;
  snd_mixer_elem_t* elem = MuteSwitch(mixer, control_id, &error);
  if (elem == nullptr) return error;
  int on = 1;
  LoadAlsa()->snd_mixer_selem_get_playback_switch(elem, SND_MIXER_SCHN_FRONT_LEFT, &on);
  *value = on ? 0 : 1;
  return kMixerOk;
}

std::uint32_t AlsaMixer::SetDetails(MixerHandle mixer, std::uint32_t control_id, std::uint32_t,
                                    std::int32_t value) {
  std::uint32_t error = kMixerOk;
  snd_mixer_elem_t* elem = MuteSwitch(mixer, control_id, &error);
  if (elem == nullptr) return error;
  LoadAlsa()->snd_mixer_selem_set_playback_switch_all(elem, value != 0 ? 0 : 1);
  return kMixerOk;
}

std::uint32_t AlsaMixer::Close(MixerHandle mixer) {
  return sessions_.erase(mixer) != 0 ? kMixerOk : kMixerInvalidHandle;
}

}  // namespace pf::posix
