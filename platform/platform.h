#pragma once
// The platform: windows, the message loop and the system services the framework needs. One
// realisation per folder (win32/, linux/, headless/); CMake links exactly one.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/accessibility.h"
#include "platform/device.h"
#include "platform/geometry.h"
#include "platform/mixer.h"

namespace pf {

// An OS window handle as an opaque number (HWND on Windows), for owners of message boxes and
// shell requests. 0 is none.
using NativeHandle = std::uintptr_t;

enum class MouseButton : std::uint8_t { Left, Right, Middle };

// The shift state as the framework's TShiftState has it.
enum ShiftFlag : unsigned {
  kShiftKey = 1u << 0,
  kAltKey = 1u << 1,
  kCtrlKey = 1u << 2,
  kLeftButton = 1u << 3,
  kRightButton = 1u << 4,
  kMiddleButton = 1u << 5,
  kDoubleClick = 1u << 6,
};

struct MouseEvent {
  MouseButton button = MouseButton::Left;
  unsigned shift = 0;  // ShiftFlag bits, kDoubleClick on the second press of a double click
  Point pos;           // client coordinates of the window
};

enum class CursorShape : std::uint8_t { Arrow, HandPoint, IBeam, Wait, Cross };

// The keys the framework acts on, by the seam's names; their values are Windows' virtual-key
// codes, and another key comes with its Windows code where a realisation knows it. A letter or
// a digit is its own capital's code ('C', Ctrl+C's key, is kKeyA + 2); F1 to F12 follow each
// other.
enum KeyCode : unsigned {
  kKeyBack = 0x08,
  kKeyTab = 0x09,
  kKeyReturn = 0x0D,
  kKeyEscape = 0x1B,
  kKeySpace = 0x20,
  kKeyPrior = 0x21,  // Page Up
  kKeyNext = 0x22,   // Page Down
  kKeyEnd = 0x23,
  kKeyHome = 0x24,
  kKeyLeft = 0x25,
  kKeyUp = 0x26,
  kKeyRight = 0x27,
  kKeyDown = 0x28,
  kKeyInsert = 0x2D,
  kKeyDelete = 0x2E,
  kKey0 = 0x30,
  kKeyA = 0x41,
  kKeyF1 = 0x70,
  kKeyF9 = 0x78,
  kKeyF12 = 0x7B,
};

struct KeyEvent {
  unsigned key = 0;     // a KeyCode
  unsigned shift = 0;   // ShiftFlag bits: Shift, Ctrl, Alt
  bool repeat = false;  // the key is held and the system repeats it
};

// What a window reports to the framework. The framework's forms implement it. Mouse events come
// while the window is enabled, with the position the system gives them; while the window holds
// the capture, wherever the pointer is (client coordinates, outside the client area included).
class WindowHandler {
 public:
  virtual ~WindowHandler() = default;
  virtual void WindowMouseDown(const MouseEvent& e) = 0;
  virtual void WindowMouseUp(const MouseEvent& e) = 0;
  virtual void WindowMouseMove(unsigned shift, Point pos) = 0;
  // The device draws on the window, clipped to `update` (client coordinates).
  virtual void WindowPaint(Device& device, const Rect& update) = 0;
  // The user or the system asks the window to close.
  virtual void WindowCloseRequest() = 0;
  // The mouse capture was taken away (another window took it, or it was released).
  virtual void WindowCaptureLost() = 0;
  // The window is back on screen after it was minimised (or first mapped, where the system
  // reports that alike).
  virtual void WindowRestored() {}
  // The pointer left the window (or the window left the pointer: it was hidden or covered), for
  // a place where no other window of the program reports it.
  virtual void WindowPointerLeft() {}
  // A key went down while the window has the keyboard focus and is enabled.
  virtual void WindowKeyDown(const KeyEvent& e) { (void)e; }
  // The character a key typed, after that key's WindowKeyDown, to the same window: one printable
  // Windows-1252 character (0x20-0x7E, 0x80-0xFF but the five bytes it leaves to the C1
  // controls). Control characters stay keys (Backspace, Return, Tab, Esc), a key held with Ctrl
  // or Alt types none of its own (Ctrl+C is a key; Ctrl with Alt is AltGr, which types), and a
  // character Windows-1252 lacks is not typed.
  virtual void WindowChar(char c) { (void)c; }
  // The window got (true) or lost (false) the keyboard focus.
  virtual void WindowFocusChanged(bool focused) { (void)focused; }
};

// Where the pointer is: over which of this program's windows (the handler it reports to; null
// over none of them) and where in that window's client area.
struct PointerSpot {
  WindowHandler* window = nullptr;
  Point client;
  friend bool operator==(const PointerSpot&, const PointerSpot&) = default;
};

struct WindowParams {
  std::string title;
  Rect bounds;              // screen coordinates of the client area
  bool borderless = true;   // no caption, no frame
  bool layered = false;     // opacity through SetOpacity
  std::uint8_t alpha = 255;
};

struct IconImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0xAARRGGBB top-down
};

class Window {
 public:
  virtual ~Window() = default;  // destroys the OS window
  virtual NativeHandle Handle() const = 0;
  virtual void Show(bool visible) = 0;
  virtual bool IsVisible() const = 0;
  // Shown but off the screen until the user brings it back: minimised itself or with its owner.
  virtual bool IsMinimized() const = 0;
  virtual void SetBounds(const Rect& client_screen_bounds) = 0;
  virtual Rect Bounds() const = 0;  // the client area in screen coordinates
  virtual void SetOpacity(bool layered, std::uint8_t alpha) = 0;
  virtual void Invalidate(const Rect& client_rect) = 0;
  // Paints what is invalid now, without going through the queue.
  virtual void Update() = 0;
  // A device on the window outside the paint cycle; it gives the surface back when destroyed.
  virtual std::unique_ptr<Device> GetDevice() = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual void SetFocus() = 0;
  virtual void SetCursor(CursorShape shape) = 0;
  virtual void SetCapture() = 0;
  virtual void ReleaseCapture() = 0;
  virtual void SetTitle(std::string_view title) = 0;
  virtual void SetIcon(const IconImage& icon) = 0;
  // The description screen readers get of this window, or null for none. Its owner sets it and
  // takes it back (null) before it goes; from then on every object served from it answers that
  // it is gone, without calling into it.
  virtual void SetAccessibleTree(AccessibleTree* tree) = 0;
  // Tells screen readers that an object of the tree changed.
  virtual void AccessibleChanged(AccessibleId id, AccessibleChange change) = 0;
};

// The single-instance marker: a named system-wide object. Destroying it closes it.
class InstanceMarker {
 public:
  virtual ~InstanceMarker() = default;
  // Gives up ownership (ReleaseMutex); closing follows on destruction.
  virtual void Release() = 0;
};

struct MarkerResult {
  std::unique_ptr<InstanceMarker> marker;  // may be null when the OS refused
  bool already_exists = false;
};

// The seam's own names for the codes that cross it. Their values are the ones Windows uses, so
// that what a test records is what the system would have been given; platform/win32 checks each
// against the system's own definition.

// What Process::Wait reports.
enum WaitResult : std::uint32_t {
  kWaitEnded = 0,
  kWaitTimedOut = 258,
  kWaitFailed = 0xFFFFFFFFu,
};
inline constexpr unsigned kWaitForever = 0xFFFFFFFFu;

// ShellRequest::mask bits.
enum ShellFlag : unsigned {
  kShellKeepProcess = 0x40,   // hand back the started process
  kShellNoErrorUi = 0x400,    // the shell shows no error box of its own
  kShellNoConsole = 0x8000,   // a console program gets a new console
};

// How a started program's first window is shown.
enum ShowCommand : int {
  kShowHidden = 0,
  kShowNormal = 1,
  kShowActivated = 5,  // shown and activated, at its own size and place
};

// Message box styles (combined with |) and the id of the button that closed the box. The buttons
// (kBoxButtons): OK; Yes and No; Yes, No and Cancel. The first is the default; Esc and the close
// of the box answer Cancel where the box has it (Windows' Yes/No box takes neither; the box Linux
// draws answers No).
enum BoxStyle : unsigned {
  kBoxOk = 0,
  kBoxYesNoCancel = 3,
  kBoxYesNo = 4,
  kBoxButtons = 0xF,
  kBoxIconError = 0x10,
  kBoxIconQuestion = 0x20,
  kBoxIconWarning = 0x30,
  kBoxIconInformation = 0x40,
  kBoxTopmost = 0x40000,
};
enum BoxResult : int {
  kBoxResultNone = 0,  // the box could not be shown
  kBoxResultOk = 1,
  kBoxResultCancel = 2,
  kBoxResultYes = 6,
  kBoxResultNo = 7,
};

// A process started through the shell; destroying it closes the handle, never the process.
class Process {
 public:
  virtual ~Process() = default;
  // A WaitResult, or another value for a failure the system names otherwise.
  virtual std::uint32_t Wait(unsigned timeout_ms) = 0;
};

// The file, its parameters and the folder are paths: UTF-8, as every path crosses the seam.
struct ShellRequest {
  unsigned mask = 0;  // ShellFlag bits
  NativeHandle owner = 0;
  std::string verb;
  std::string file;
  std::string parameters;
  std::optional<std::string> directory;
  int show = kShowActivated;  // a ShowCommand
};

struct ShellResult {
  bool ok = false;
  std::unique_ptr<Process> process;  // when the request asked for it and one was started
};

struct OsVersion {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
  std::uint32_t platform_id = 0;
  std::string service_pack;
};

enum class PumpResult { Empty, Dispatched, Quit };

// The thread's place in the system's object model (COM's single-threaded apartment on Windows),
// which the shell, the screen readers' server and the endpoint's mute share. Destroying it leaves.
class Apartment {
 public:
  virtual ~Apartment() = default;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Windows.
  virtual std::unique_ptr<Window> CreateWindow(const WindowParams& params,
                                               WindowHandler* handler) = 0;
  virtual Size ScreenSize() = 0;
  // Where the pointer is now: over the topmost of the program's shown windows there (a disabled
  // one counts; what the pointer passes through, a click-through overlay, does not), or over none.
  // Asked when the windows' own reports cannot tell: after a window was shown, restored or
  // enabled again, and while a message is handled (later reports may still wait). `reported` is
  // where those reports last put it, when they said: a platform that can tell nothing newer
  // without a round trip to a display server answers with it.
  virtual PointerSpot PointerNow(const std::optional<PointerSpot>& reported) = 0;

  // The application's main window: the one its taskbar entry closes and hands the keyboard to
  // (the application says which; null for none). A system whose windows have no such entry
  // leaves this to each window's own close.
  virtual void SetMainWindow(Window* window) { (void)window; }

  // The application window: owner of the taskbar entry and of message boxes.
  virtual NativeHandle ApplicationHandle() = 0;
  virtual void SetApplicationTitle(std::string_view title) = 0;
  virtual void MinimizeApplication() = 0;

  // The loop. PumpOne dispatches one message if there is one. Wait blocks until there is one.
  virtual PumpResult PumpOne() = 0;
  virtual void WaitMessage() = 0;
  virtual void PostQuit() = 0;

  // Timers fire from the loop; 0 means the timer could not be made.
  virtual std::uintptr_t StartTimer(unsigned interval_ms, std::function<void()> on_tick) = 0;
  virtual void StopTimer(std::uintptr_t id) = 0;

  // System.
  virtual MarkerResult TakeInstanceMarker(std::string_view name) = 0;
  virtual void DebugOutput(std::string_view text) = 0;
  virtual ShellResult ShellExecute(const ShellRequest& request) = 0;
  virtual void Sleep(unsigned ms) = 0;
  virtual OsVersion GetOsVersion() = 0;
  // A path: UTF-8, whatever the system's own encoding of names (docs/ARCHITECTURE.md).
  virtual std::string ExecutablePath() = 0;
  // `path` as the program's texts are written, for a text that shows it: in Windows-1252, '?'
  // for what it lacks (Windows: in its ANSI code page, as its ANSI calls always wrote paths).
  virtual std::string PathText(std::string_view path) = 0;
  // Joins the thread's apartment for as long as the result lives. Null where the system has none,
  // or where it could not be joined: the program goes on without (each user says how).
  virtual std::unique_ptr<Apartment> JoinApartment() { return nullptr; }
  // As MessageBoxA: flags are BoxStyle bits; returns a BoxResult.
  virtual int MessageBox(NativeHandle owner, std::string_view text, std::string_view caption,
                         unsigned flags) = 0;
  // The system clipboard's text, a text of the program's (Windows-1252, lines ending "\n"; '?'
  // for a character it lacks). Set: false when the clipboard could not be taken. Read: nullopt
  // when it holds no text, or its owner did not give it.
  virtual bool SetClipboardText(std::string_view text) = 0;
  virtual std::optional<std::string> ClipboardText() = 0;
  virtual ColorRef SysColor(int index) = 0;
  // Resource bytes by name from the executable's resource section (RCDATA on Windows; a table of
  // the test's in the headless platform), viewed where they lie: valid as long as the platform.
  // Nullopt where there is none: an ELF program carries its resources linked in (app/).
  virtual std::optional<std::string_view> FindResource(std::string_view name) = 0;
  virtual Mixer& AudioMixer() = 0;
};

// The platform in force. The program entry installs the one its build provides; tests install a
// headless one per test.
Platform& Current();
void Install(std::unique_ptr<Platform> platform);
std::unique_ptr<Platform> Uninstall();

// Made by the realisation that is linked in, for the program called `program_name`: the
// platform names the program's windows and window classes after it.
std::unique_ptr<Platform> CreateNativePlatform(std::string_view program_name);

}  // namespace pf
