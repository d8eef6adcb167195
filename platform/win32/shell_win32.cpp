// The shell and the kernel objects of the Win32 platform: "open" requests with their process
// handle, and the named single-instance marker.
#include <string>

#include "platform/win32/callback_guard.h"
#include "platform/win32/platform_win32.h"
#include "platform/win32/seam_codes.h"
#include "platform/win32/wide_text.h"

namespace pf::win32 {
namespace {

static_assert(sizeof(SHELLEXECUTEINFOW) == 60, "the shell request record is 60 bytes");

class Win32Process : public Process {
 public:
  explicit Win32Process(HANDLE process) : process_(process) {}
  std::uint32_t Wait(unsigned timeout_ms) override {
    return FromWaitResult(::WaitForSingleObject(process_.get(), timeout_ms));
  }

 private:
  KernelHandle process_;
};

class Win32Mutex : public InstanceMarker {
 public:
  explicit Win32Mutex(HANDLE mutex) : mutex_(mutex) {}
  void Release() override { ::ReleaseMutex(mutex_.get()); }

 private:
  KernelHandle mutex_;
};

const wchar_t* NullWhenEmpty(const std::wstring& s) { return s.empty() ? nullptr : s.c_str(); }

}  // namespace

// Wide, so that a path named in any script reaches the shell whole.
ShellResult Win32Platform::ShellExecute(const ShellRequest& request) {
  const std::wstring verb = WideFromUtf8(request.verb), file = WideFromUtf8(request.file),
                     parameters = WideFromUtf8(request.parameters),
                     directory = WideFromUtf8(request.directory.value_or(std::string()));
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = ToShellMask(request.mask);
  info.hwnd = reinterpret_cast<HWND>(request.owner);
  info.lpVerb = NullWhenEmpty(verb);
  info.lpFile = file.c_str();
  info.lpParameters = parameters.c_str();
  info.lpDirectory = request.directory ? directory.c_str() : nullptr;
  info.nShow = ToShowCommand(request.show);
  ShellResult result;
  // Its error box, if any, dispatches our messages.
  result.ok = CallingBack([&] { return ::ShellExecuteExW(&info); }) != FALSE;
  if (result.ok && info.hProcess != nullptr) {
    result.process = std::make_unique<Win32Process>(info.hProcess);
  }
  return result;
}

MarkerResult Win32Platform::TakeInstanceMarker(std::string_view name) {
  const std::string key(name);
  HANDLE mutex = ::CreateMutexA(nullptr, TRUE, key.c_str());
  // Read at once: the error code is the only sign that the mutex existed before.
  const DWORD error = ::GetLastError();
  MarkerResult result;
  result.already_exists = error == ERROR_ALREADY_EXISTS;
  if (mutex != nullptr) result.marker = std::make_unique<Win32Mutex>(mutex);
  return result;
}

}  // namespace pf::win32
