// The default output's own mute, through the Core Audio endpoint API (Vista and later). Where the
// API is missing (2000, XP) the device enumerator's class is not registered: nothing happens.
#include "platform/win32/win.h"

#include <endpointvolume.h>

// Turns the class id that mmdeviceapi.h declares into its definition, in this file only.
#include <initguid.h>

#include <mmdeviceapi.h>

#include "platform/win32/mixer_win32.h"

namespace pf::win32 {
namespace {

// Holds one reference to a COM object and releases it.
template <typename I>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() {
    if (p_ != nullptr) p_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;

  I* operator->() const { return p_; }
  I** Out() { return &p_; }
  void** OutVoid() { return reinterpret_cast<void**>(&p_); }

 private:
  I* p_ = nullptr;
};

// COM for this thread while it lives. A thread whose COM was set up otherwise already (another
// apartment model) may still use it, but must not tear it down.
class ComApartment {
 public:
  ComApartment() : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) ::CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

 private:
  HRESULT result_;
};

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

EndpointMute WinmmMixer::ClearEndpointMute() {
  const ComApartment com;
  if (!com.Usable()) return EndpointMute::kFailed;
  return ClearDefaultRenderMute();  // every reference is released before COM goes
}

}  // namespace pf::win32
