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

EndpointMute ClearDefaultRenderMute() {
  ComRef<IMMDeviceEnumerator> devices;
  const HRESULT created =
      ::CoCreateInstance(CLSID_MMDeviceEnumerator, nullptr, CLSCTX_INPROC_SERVER,
                         __uuidof(IMMDeviceEnumerator), devices.OutVoid());
  if (created == REGDB_E_CLASSNOTREG) return EndpointMute::kAbsent;
  if (FAILED(created)) return EndpointMute::kFailed;
  ComRef<IMMDevice> speakers;
  if (FAILED(devices->GetDefaultAudioEndpoint(eRender, eConsole, speakers.Out()))) {
    return EndpointMute::kFailed;  // no output device at all
  }
  ComRef<IAudioEndpointVolume> volume;
  if (FAILED(speakers->Activate(__uuidof(IAudioEndpointVolume), CLSCTX_INPROC_SERVER, nullptr,
                                volume.OutVoid()))) {
    return EndpointMute::kFailed;
  }
  return SUCCEEDED(volume->SetMute(FALSE, nullptr)) ? EndpointMute::kCleared
                                                    : EndpointMute::kFailed;
}

}  // namespace

// In the program's apartment (Win32Platform::JoinApartment), which it leaves only after this;
// without one, COM answers CO_E_NOTINITIALIZED and nothing is cleared.
EndpointMute WinmmMixer::ClearEndpointMute() { return ClearDefaultRenderMute(); }

}  // namespace pf::win32
