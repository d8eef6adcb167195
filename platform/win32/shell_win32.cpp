// The shell and the kernel objects of the Win32 platform: "open" requests with their process
// handle, and the named single-instance marker.
#include <string>

#include "platform/win32/callback_guard.h"
#include "platform/win32/platform_win32.h"
#include "platform/win32/seam_codes.h"

namespace pf::win32 {
namespace {

static_assert(sizeof(SHELLEXECUTEINFOA) == 60, "the shell request record is 60 bytes");

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

const char* NullWhenEmpty(const std::string& s) { return s.empty() ? nullptr : s.c_str(); }

}  // namespace

ShellResult Win32Platform::ShellExecute(const ShellRequest& request) {
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof(info);
  info.fMask = ToShellMask(request.mask);
  info.hwnd = reinterpret_cast<HWND>(request.owner);
  info.lpVerb = NullWhenEmpty(request.verb);
  info.lpFile = request.file.c_str();
  info.lpParameters = request.parameters.c_str();
  info.lpDirectory = request.directory ? request.directory->c_str() : nullptr;
  info.nShow = ToShowCommand(request.show);
  ShellResult result;
  // Its error box, if any, dispatches our messages.
  result.ok = CallingBack([&] { return ::ShellExecuteExA(&info); }) != FALSE;
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
