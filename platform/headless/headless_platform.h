#pragma once
// The platform inside the tests: a virtual clock that fires timers as it advances, a scripted
// pointer, windows drawn into memory, and every side effect recorded for assertions.
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/buffered/buffered_window.h"
#include "platform/headless/headless_mixer.h"
#include "platform/platform.h"

namespace pf::headless {

class HeadlessPlatform;

class HeadlessWindow : public Window, private ScreenPort {
 public:
  HeadlessWindow(HeadlessPlatform& platform, const WindowParams& params, WindowHandler* handler,
                 NativeHandle handle);
  ~HeadlessWindow() override;

  NativeHandle Handle() const override { return handle_; }
  void Show(bool visible) override;
  bool IsVisible() const override { return buffer_.IsShown(); }
  bool IsMinimized() const override;
  void SetBounds(const Rect& bounds) override;
  Rect Bounds() const override { return bounds_; }
  void SetOpacity(bool layered, std::uint8_t alpha) override;
  void SetBorderless(bool borderless) override { borderless_ = borderless; }
  void Invalidate(const Rect& client_rect) override;
  void Update() override;
  std::unique_ptr<Device> GetDevice() override;
  void SetEnabled(bool enabled) override;
  void SetFocus() override;
  void SetCursor(CursorShape shape) override { cursor_ = shape; }
  void SetCapture() override;
  void ReleaseCapture() override;
  void SetTitle(std::string_view title) override { title_ = title; }
  void SetIcon(const IconImage& icon) override { icon_ = icon; }
  void SetAccessibleTree(AccessibleTree* tree) override { accessible_ = tree; }
  void AccessibleChanged(AccessibleId id, AccessibleChange change) override;

  // For tests.
  // The description a screen reader reads, as the window holds it now (null: none).
  AccessibleTree* Accessible() const { return accessible_; }
  WindowHandler* Handler() const { return handler_; }
  bool Enabled() const { return enabled_; }
  bool Borderless() const { return borderless_; }
  bool Layered() const { return layered_; }
  std::uint8_t Alpha() const { return alpha_; }
  CursorShape Cursor() const { return cursor_; }
  const std::string& Title() const { return title_; }
  const IconImage& Icon() const { return icon_; }
  const Rect& InvalidRect() const { return buffer_.InvalidRect(); }
  bool NeedsPaint() const { return buffer_.NeedsPaint(); }
  ImageView Pixels() const { return buffer_.Pixels(); }
  // Paints what is invalid, as the loop does, and puts the painted area.
  void PaintNow();
  int paint_count = 0;
  // What a screen would have been sent, as a native window sends it: the whole window when the
  // first paint maps it, then each painted update area, and once per turn of the loop the union
  // of what was drawn outside paints.
  std::vector<Rect> puts;
  // 4 bytes a pixel, as a 32-bit image goes to the screen.
  std::uint64_t PutBytes() const;

 private:
  friend class HeadlessPlatform;
  void FlushDrawn() { buffer_.FlushDrawn(); }
  // The screen port of the buffer: what would go out is recorded in `puts`.
  void PutOnScreen(const ImageView& buffer, const Rect& area) override;
  void MapWithBuffer(const ImageView& buffer) override;

  HeadlessPlatform& platform_;
  WindowHandler* handler_;
  NativeHandle handle_;
  Rect bounds_;
  BufferedWindow buffer_;
  bool enabled_ = true;
  bool borderless_;
  bool layered_ = false;
  std::uint8_t alpha_ = 255;
  CursorShape cursor_ = CursorShape::Arrow;
  std::string title_;
  IconImage icon_;
  AccessibleTree* accessible_ = nullptr;
};

struct MessageBoxCall {
  NativeHandle owner = 0;
  std::string text;
  std::string caption;
  unsigned flags = 0;
};

struct OpacityStep {
  std::uint64_t time_ms = 0;
  bool layered = false;
  std::uint8_t alpha = 0;
};

class HeadlessPlatform : public Platform {
 public:
  HeadlessPlatform();
  ~HeadlessPlatform() override;

  // ---- the virtual clock ----
  std::uint64_t Now() const { return now_; }
  // Moves the clock on; timers that fall due post their tick.
  void Advance(std::uint64_t ms);
  // Runs `action` when the clock reaches `time_ms` (from WaitMessage or Advance).
  void At(std::uint64_t time_ms, std::function<void()> action);

  // ---- the scripted pointer (screen coordinates) ----
  // Leaving a window tells it through the queue, as X's LeaveNotify and WM_MOUSELEAVE do.
  void MoveTo(Point screen);
  void Press(MouseButton button = MouseButton::Left);
  void Release(MouseButton button = MouseButton::Left);
  void Click(Point screen, MouseButton button = MouseButton::Left);
  unsigned double_click_ms = 500;

  // ---- the scripted keyboard ----
  // A key goes down on the window with the focus, as the system sends it: only to an enabled
  // window on screen. `shift`: ShiftFlag bits.
  void Key(unsigned key, unsigned shift = 0, bool repeat = false);
  // Types `text` (Windows-1252) as a US keyboard would to the same window: for each character
  // its key down (with Shift where the keyboard needs it; VK_PACKET for a character no key has,
  // as Windows sends one typed by other means), then the character itself. "\n", "\t" and "\b"
  // are Return, Tab and Backspace, keys without a character.
  void Type(std::string_view text);

  // ---- configuration ----
  Size screen{1024, 768};
  OsVersion os_version{5, 1, 2600, 2, "Service Pack 3"};
  std::string executable_path = "D:\\Quenfor.exe";
  std::map<std::string, std::string, std::less<>> resources;
  std::map<int, ColorRef> sys_colors;
  // Decides whether the shell takes a request; the default takes every request.
  std::function<bool(const ShellRequest&)> shell_accepts;
  // The button the user presses in a message box; a box without it is closed by its default
  // button (its first, as Return presses it).
  int message_box_answer = kBoxResultOk;
  // The system clipboard's text: what SetClipboardText put there, or a test did as another
  // program would (nullopt: no text).
  std::optional<std::string> clipboard;
  HeadlessMixer mixer;

  // ---- what happened ----
  std::vector<std::string> debug_output;
  std::vector<ShellRequest> shell_requests;
  std::vector<MessageBoxCall> message_boxes;
  std::vector<OpacityStep> opacity_steps;
  // One line per notable event, with the time: "1200 minimize", "1200 enable 65537 0",
  // "0 apartment joined", "5000 endpoint mute 0", "5000 apartment left".
  std::vector<std::string> events;
  // What screen readers were told of changes: "<window> <id> state|name|created|destroyed|focus|
  // value|caret".
  std::vector<std::string> accessible_events;
  std::uint64_t slept_ms = 0;
  // How often the framework asked where the pointer is (PointerNow), as it would ask a display
  // server.
  int pointer_queries = 0;
  int open_processes = 0;
  bool application_minimized = false;
  // The window with the keyboard focus: the one last shown or asked for it, none while the
  // application is minimised (it comes back to the same window on a restore). Each window hears
  // of it at once, as Windows sends WM_KILLFOCUS and WM_SETFOCUS.
  NativeHandle focused = 0;
  // The window the application named main: the taskbar entry's close goes to it.
  NativeHandle main_window = 0;

  const std::vector<HeadlessWindow*>& Windows() const { return windows_; }
  HeadlessWindow* WindowOf(const WindowHandler* handler) const;
  // The user brings the application back: its shown windows hear of it through the queue.
  void RestoreApplication();
  // The user closes the application from its taskbar entry: the main window hears the close.
  void CloseApplication();
  // A screen reader asks for the default action of `id` in `window`'s description: refused
  // (false) when it cannot run now, else it runs from the loop, as the native platforms run it.
  bool RequestDefaultAction(const HeadlessWindow& window, AccessibleId id);
  bool HasPendingMessages() const;

  // ---- Platform ----
  std::unique_ptr<Window> CreateWindow(const WindowParams& params, WindowHandler* handler) override;
  Size ScreenSize() override { return screen; }
  // The scripted pointer, ahead of the moves still in the queue, as GetCursorPos is.
  PointerSpot PointerNow(const std::optional<PointerSpot>& reported) override;
  void SetMainWindow(Window* window) override { main_window = window ? window->Handle() : 0; }
  NativeHandle ApplicationHandle() override { return kApplicationHandle; }
  void SetApplicationTitle(std::string_view title) override { application_title = title; }
  void MinimizeApplication() override;
  PumpResult PumpOne() override;
  void WaitMessage() override;
  void PostQuit() override;
  std::uintptr_t StartTimer(unsigned interval_ms, std::function<void()> on_tick) override;
  void StopTimer(std::uintptr_t id) override;
  MarkerResult TakeInstanceMarker(std::string_view name) override;
  void DebugOutput(std::string_view text) override { debug_output.emplace_back(text); }
  ShellResult ShellExecute(const ShellRequest& request) override;
  void Sleep(unsigned ms) override;
  OsVersion GetOsVersion() override { return os_version; }
  std::string ExecutablePath() override { return executable_path; }
  std::string PathText(std::string_view path) override;
  std::unique_ptr<Apartment> JoinApartment() override;
  int MessageBox(NativeHandle owner, std::string_view text, std::string_view caption,
                 unsigned flags) override;
  bool SetClipboardText(std::string_view text) override;
  std::optional<std::string> ClipboardText() override { return clipboard; }
  ColorRef SysColor(int index) override;
  std::optional<std::string_view> FindResource(std::string_view name) override;
  Mixer& AudioMixer() override { return mixer; }

  static constexpr NativeHandle kApplicationHandle = 0x10000;
  std::string application_title;

 private:
  friend class HeadlessWindow;
  struct Timer {
    unsigned interval = 0;
    std::uint64_t next_due = 0;
    bool pending = false;
    std::function<void()> on_tick;
  };
  struct Scripted {
    std::uint64_t time = 0;
    std::uint64_t order = 0;
    std::function<void()> action;
  };

  void Record(const std::string& what);
  void Post(std::function<void()> message) { queue_.push_back(std::move(message)); }
  void PostMouse(bool down, MouseButton button, unsigned extra_flags);
  void PostPointerLeft(const HeadlessWindow& window);
  // The window keys go to now: the focused one, enabled and on screen; else null.
  HeadlessWindow* KeyWindow() const;
  HeadlessWindow* InputWindow() const;
  HeadlessWindow* WindowByHandle(NativeHandle handle) const;
  HeadlessWindow* VisibleWindowAt(Point p) const;
  unsigned ButtonFlags() const;
  void RunScriptUntil(std::uint64_t time);
  void FireDueTimers();
  bool DispatchPendingTimer();
  bool PaintOneWindow();
  void FlushDrawn();
  std::uint64_t NextEventTime() const;
  void WindowGone(HeadlessWindow* window);
  // Moves the focus to `handle` (0: none), telling the windows concerned.
  void MoveFocus(NativeHandle handle);
  void TellFocus(NativeHandle handle, bool has_focus);
  NativeHandle focused_before_minimize_ = 0;

  std::uint64_t now_ = 0;
  std::deque<std::function<void()>> queue_;
  std::map<std::uintptr_t, Timer> timers_;
  std::uintptr_t next_timer_id_ = 1;
  std::vector<Scripted> script_;
  std::uint64_t script_order_ = 0;
  std::vector<HeadlessWindow*> windows_;
  NativeHandle next_handle_ = 0x10001;
  HeadlessWindow* capture_ = nullptr;
  Point cursor_;
  unsigned buttons_down_ = 0;
  // The last press, for double clicks.
  std::uint64_t last_press_time_ = 0;
  Point last_press_pos_;
  MouseButton last_press_button_ = MouseButton::Left;
  bool last_press_counts_ = false;
};

}  // namespace pf::headless
