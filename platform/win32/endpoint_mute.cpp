// The default output's own mute, through the Core Audio endpoint API (Vista and later). Where the
// API is missing (2000, XP) the device enumerator's class is not registered: nothing happens.
#include "platform/win32/win.h"

#include "platform/win32/com.h"

#include <endpointvolume.h>

// Turns the class id that mmdeviceapi.h declares into its definition, in this file only.
#include <initguid.h>

#include <mmdeviceapi.h>

#include "platform/win32/mixer_win32.h"

namespace pf::win32 {
namespace {

// Each step may fail (no enumerator before Vista, no output device at all): the first that does
// ends it, silently.
void ClearDefaultRenderMute() {
  ComRef<IMMDeviceEnumerator> devices;
  if (FAILED(::CoCreateInstance(CLSID_MMDeviceEnumerator, nullptr, CLSCTX_INPROC_SERVER,
                                __uuidof(IMMDeviceEnumerator), devices.OutVoid()))) {
    return;
  }
  ComRef<IMMDevice> speakers;
  if (FAILED(devices->GetDefaultAudioEndpoint(eRender, eConsole, speakers.Out()))) return;
  ComRef<IAudioEndpointVolume> volume;
  if (FAILED(speakers->Activate(__uuidof(IAudioEndpointVolume), CLSCTX_INPROC_SERVER, nullptr,
                                volume.OutVoid()))) {
    return;
  }
  volume->SetMute(FALSE, nullptr);
}

}  // namespace

// In the program's apartment (Win32Platform::JoinApartment), which it leaves only after this;
// without one, COM answers CO_E_NOTINITIALIZED and nothing is cleared.
void WinmmMixer::ClearEndpointMute() { ClearDefaultRenderMute(); }

}  // namespace pf::win32
