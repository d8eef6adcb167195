#pragma once
// The platform on Win32: user32, gdi32, shell32, ole32 (the apartment, the endpoint mute),
// oleaut32 and kernel32 at load time; winmm and oleacc (the screen readers' server) at run time.
#include <map>
#include <memory>

#include "platform/platform.h"
#include "platform/win32/handles.h"
#include "platform/win32/mixer_win32.h"

namespace pf::win32 {

class Win32Platform : public Platform {
 public:
  explicit Win32Platform(std::string_view program_name);
  ~Win32Platform() override;

  std::unique_ptr<Window> CreateWindow(const WindowParams& params, WindowHandler* handler) override;
  Size ScreenSize() override;
  PointerSpot PointerNow(const std::optional<PointerSpot>& reported) override;

  void SetMainWindow(Window* window) override;

  NativeHandle ApplicationHandle() override { return reinterpret_cast<NativeHandle>(app_window_); }
  void SetApplicationTitle(std::string_view title) override;
  void MinimizeApplication() override;

  PumpResult PumpOne() override;
  void WaitMessage() override;
  void PostQuit() override;

  std::uintptr_t StartTimer(unsigned interval_ms, std::function<void()> on_tick) override;
  void StopTimer(std::uintptr_t id) override;

  MarkerResult TakeInstanceMarker(std::string_view name) override;
  void DebugOutput(std::string_view text) override;
  ShellResult ShellExecute(const ShellRequest& request) override;
  void Sleep(unsigned ms) override;
  OsVersion GetOsVersion() override;
  std::string ExecutablePath() override;
  std::string PathText(std::string_view path) override;
  std::unique_ptr<Apartment> JoinApartment() override;
  int MessageBox(NativeHandle owner, std::string_view text, std::string_view caption,
                 unsigned flags) override;
  bool SetClipboardText(std::string_view text) override;
  std::optional<std::string> ClipboardText() override;
  ColorRef SysColor(int index) override;
  std::optional<std::string_view> FindResource(std::string_view name) override;
  Mixer& AudioMixer() override { return mixer_; }

 private:
  static LRESULT CALLBACK ApplicationProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void OnTimer(UINT_PTR id);
  void CloseMainForm();
  // Hands the keyboard focus from the application window to the main form.
  void FocusMainForm();

  HINSTANCE instance_;
  HWND app_window_ = nullptr;
  HWND main_form_ = nullptr;
  UINT_PTR next_timer_id_ = 1;
  std::map<UINT_PTR, std::shared_ptr<std::function<void()>>> timers_;
  WinmmMixer mixer_;
};

}  // namespace pf::win32
