#include "platform/win32/platform_win32.h"

#include <stdexcept>
#include <string>

#include "platform/win32/callback_guard.h"
#include "platform/win32/optional_api.h"
#include "platform/win32/window_win32.h"

namespace pf::win32 {
namespace {

// Posted to the application window when it takes the focus, for the main form to take it once the
// activation is over: taken inside it, the system would give it back to the application window.
constexpr UINT kFocusMainFormMessage = WM_APP + 1;
// The program icon, as the resource script names it.
constexpr char kProgramIcon[] = "MAINICON";

void RegisterApplicationClass(HINSTANCE instance, const std::string& name, WNDPROC proc) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hIcon = ::LoadIconA(instance, kProgramIcon);
  if (wc.hIcon == nullptr) wc.hIcon = ::LoadIcon(nullptr, IDI_APPLICATION);
  wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = name.c_str();
  ::RegisterClassExA(&wc);  // fails harmlessly when a second platform registers it again
}

// What the pointer passes through, as WindowFromPoint sees it: click-through overlays (layered
// and transparent at once) and windows the system keeps out of sight (cloaked).
bool PointerPassesThrough(HWND w) {
  constexpr LONG_PTR kClickThrough = WS_EX_LAYERED | WS_EX_TRANSPARENT;
  return (::GetWindowLongPtrA(w, GWL_EXSTYLE) & kClickThrough) == kClickThrough || IsCloaked(w);
}

}  // namespace

// The application window has no client area of its own: it is the owner of the forms and of
// message boxes, and carries the taskbar entry, so minimising it hides the forms it owns.
// Its class and the forms' are named after the program ("QuenforApplication", "QuenforForm"),
// which is how other programs (and the tests) find its windows.
Win32Platform::Win32Platform(std::string_view program_name)
    : instance_(::GetModuleHandleA(nullptr)) {
  const std::string application_class = std::string(program_name) + "Application";
  RegisterApplicationClass(instance_, application_class, &Win32Platform::ApplicationProc);
  Win32Window::RegisterClassOnce(instance_, std::string(program_name) + "Form");
  const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
  app_window_ = ::CreateWindowExA(0, application_class.c_str(), "",
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                  cx / 2, cy / 2, 0, 0, nullptr, nullptr, instance_, this);
  if (app_window_ == nullptr) throw std::runtime_error("the application window was not created");
  ::SetWindowLongPtrA(app_window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  // Shown with the first form: a program that ends before it has one (a second copy) shows none.
}

Win32Platform::~Win32Platform() {
  for (const auto& [id, tick] : timers_) ::KillTimer(app_window_, id);
  ::SetWindowLongPtrA(app_window_, GWLP_USERDATA, 0);
  ::DestroyWindow(app_window_);
}

LRESULT CALLBACK Win32Platform::ApplicationProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<Win32Platform*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self != nullptr) {
    switch (msg) {
      case WM_TIMER:
        Guarded([self, wp] { self->OnTimer(wp); });
        return 0;
      case WM_CLOSE:  // from the taskbar entry: the main form decides
        self->CloseMainForm();
        return 0;
      case WM_SIZE:  // restored from the taskbar: the forms hidden on minimising come back
        if (wp == SIZE_RESTORED || wp == SIZE_MAXIMIZED) {
          ::ShowOwnedPopups(hwnd, TRUE);
          ::PostMessageA(hwnd, kFocusMainFormMessage, 0, 0);
        }
        break;
      // Activated (its taskbar entry, Alt+Tab, the end of a message box it owns): it has no keys
      // of its own, so the keyboard goes to the main form.
      case WM_SETFOCUS:
        ::PostMessageA(hwnd, kFocusMainFormMessage, 0, 0);
        return 0;
      case kFocusMainFormMessage:
        self->FocusMainForm();
        return 0;
      default:
        break;
    }
  }
  return ::DefWindowProcA(hwnd, msg, wp, lp);
}

// Only to a main form on screen and taking input: taking the focus would bring back a hidden
// one, and a disabled one takes no keys (its program gives it the focus when it enables it).
void Win32Platform::FocusMainForm() {
  const HWND focus = ::GetFocus();
  if (focus != app_window_ && (focus != nullptr || ::GetActiveWindow() != app_window_)) return;
  if (Win32Window::FromHandle(main_form_) == nullptr || ::IsIconic(app_window_)) return;
  if (::IsWindowVisible(main_form_) && ::IsWindowEnabled(main_form_)) ::SetFocus(main_form_);
}

void Win32Platform::CloseMainForm() {
  if (Win32Window::FromHandle(main_form_) != nullptr) ::PostMessageA(main_form_, WM_CLOSE, 0, 0);
}

std::unique_ptr<Window> Win32Platform::CreateWindow(const WindowParams& params,
                                                    WindowHandler* handler) {
  if (!::IsWindowVisible(app_window_)) ::ShowWindow(app_window_, SW_SHOWNOACTIVATE);
  return std::make_unique<Win32Window>(instance_, app_window_, params, handler);
}

// The one the taskbar entry's "close" reaches and the application window hands the focus to.
void Win32Platform::SetMainWindow(Window* window) {
  main_form_ = window ? static_cast<Win32Window*>(window)->hwnd() : nullptr;
}

// GetCursorPos is the pointer now, whatever messages still wait: the reports are not asked.
// The topmost visible window under it decides, enabled or not (WindowFromPoint would skip a
// disabled form and report what lies beneath it); what the pointer passes through does not count.
PointerSpot Win32Platform::PointerNow(const std::optional<PointerSpot>&) {
  POINT p{};
  if (!::GetCursorPos(&p)) return {};
  for (HWND w = ::GetTopWindow(nullptr); w != nullptr; w = ::GetWindow(w, GW_HWNDNEXT)) {
    if (!::IsWindowVisible(w) || ::IsIconic(w) || PointerPassesThrough(w)) continue;
    RECT r{};
    if (!::GetWindowRect(w, &r) || !::PtInRect(&r, p)) continue;
    Win32Window* window = Win32Window::FromHandle(w);
    if (window == nullptr) return {};
    // Asked at idle time where the pointer is: a pointer back at the spot it left a hidden window
    // from brings no WM_MOUSEMOVE (the position did not change), so nothing else would ask for
    // the leave.
    window->TrackPointerLeaving();
    const Rect client = window->Bounds();
    return {window->handler(), Point{p.x - client.left, p.y - client.top}};
  }
  return {};
}

Size Win32Platform::ScreenSize() {
  return Size{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

void Win32Platform::SetApplicationTitle(std::string_view title) {
  ::SetWindowTextA(app_window_, std::string(title).c_str());
}

// Windows hides the owned forms when their owner is minimised; Wine leaves them on screen, so
// hide them explicitly. ShowOwnedPopups marks them, and the restore below brings back exactly those.
void Win32Platform::MinimizeApplication() {
  CallingBack([&] {
    ::ShowWindow(app_window_, SW_MINIMIZE);
    ::ShowOwnedPopups(app_window_, FALSE);
  });
}

PumpResult Win32Platform::PumpOne() {
  MSG msg{};
  if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return PumpResult::Empty;
  if (msg.message == WM_QUIT) return PumpResult::Quit;
  ::TranslateMessage(&msg);
  CallingBack([&] { ::DispatchMessageA(&msg); });
  return PumpResult::Dispatched;
}

void Win32Platform::WaitMessage() { ::WaitMessage(); }

void Win32Platform::PostQuit() { ::PostQuitMessage(0); }

std::uintptr_t Win32Platform::StartTimer(unsigned interval_ms, std::function<void()> on_tick) {
  const UINT_PTR id = next_timer_id_++;
  if (::SetTimer(app_window_, id, interval_ms, nullptr) == 0) return 0;
  timers_[id] = std::make_shared<std::function<void()>>(std::move(on_tick));
  return id;
}

void Win32Platform::StopTimer(std::uintptr_t id) {
  if (timers_.erase(id) != 0) ::KillTimer(app_window_, id);
}

void Win32Platform::OnTimer(UINT_PTR id) {
  auto it = timers_.find(id);
  if (it == timers_.end()) return;  // stopped while its message was queued
  // The tick may stop this timer or start others: hold the callback while it runs.
  const std::shared_ptr<std::function<void()>> tick = it->second;
  (*tick)();
}

}  // namespace pf::win32
