#include "platform/win32/window_win32.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

#include "platform/win32/callback_guard.h"
#include "platform/win32/device_gdi.h"
#include "platform/win32/icon.h"
#include "platform/win32/optional_api.h"

namespace pf::win32 {
namespace {

ATOM form_class_atom = 0;

unsigned ShiftFromKeys(WPARAM keys) {
  unsigned shift = 0;
  if (keys & MK_SHIFT) shift |= kShiftKey;
  if (keys & MK_CONTROL) shift |= kCtrlKey;
  if (keys & MK_LBUTTON) shift |= kLeftButton;
  if (keys & MK_RBUTTON) shift |= kRightButton;
  if (keys & MK_MBUTTON) shift |= kMiddleButton;
  if (::GetKeyState(VK_MENU) < 0) shift |= kAltKey;
  return shift;
}

// The keys held as a key message was sent.
unsigned KeyShift() {
  unsigned shift = 0;
  if (::GetKeyState(VK_SHIFT) < 0) shift |= kShiftKey;
  if (::GetKeyState(VK_CONTROL) < 0) shift |= kCtrlKey;
  if (::GetKeyState(VK_MENU) < 0) shift |= kAltKey;
  return shift;
}

// A key message's previous-state bit: the key was already down, and the system repeats it.
bool IsRepeat(LPARAM lp) { return (lp & (LPARAM{1} << 30)) != 0; }

// A key held with Ctrl types nothing of its own (Ctrl+C is a key); Ctrl with Alt is AltGr, the
// third level of a keyboard's keys (AltGr+E is the euro sign on many), which does.
bool TypesCharacters() { return ::GetKeyState(VK_CONTROL) >= 0 || ::GetKeyState(VK_MENU) < 0; }

// Signed: with the capture held, positions left of or above the window are negative.
Point PointFromLParam(LPARAM lp) {
  return Point{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
}

HCURSOR CursorFor(CursorShape shape) {
  switch (shape) {
    case CursorShape::HandPoint: return ::LoadCursor(nullptr, IDC_HAND);
    case CursorShape::IBeam: return ::LoadCursor(nullptr, IDC_IBEAM);
    case CursorShape::Wait: return ::LoadCursor(nullptr, IDC_WAIT);
    case CursorShape::Cross: return ::LoadCursor(nullptr, IDC_CROSS);
    case CursorShape::Arrow: break;
  }
  return ::LoadCursor(nullptr, IDC_ARROW);
}

// A layered window that nobody gives an opacity is never drawn: where the system cannot set one,
// the window is not layered, shows at full opacity at once, and opacity changes do nothing.
bool CanBeLayered() { return Optional().set_layered_window_attributes != nullptr; }

DWORD StyleFor(const WindowParams& p) {
  DWORD style = WS_POPUP | WS_CLIPCHILDREN;
  if (!p.borderless) style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  return style;
}

}  // namespace

void Win32Window::RegisterClassOnce(HINSTANCE instance, const std::string& name) {
  if (form_class_atom != 0) return;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;  // so a second click arrives as WM_xBUTTONDBLCLK
  wc.lpfnWndProc = &Win32Window::WindowProc;
  wc.hInstance = instance;
  wc.hCursor = nullptr;  // WM_SETCURSOR sets the window's own shape
  wc.lpszClassName = name.c_str();
  form_class_atom = ::RegisterClassExA(&wc);
}

Win32Window* Win32Window::FromHandle(HWND hwnd) {
  if (hwnd == nullptr || form_class_atom == 0) return nullptr;
  if (static_cast<ATOM>(::GetClassLongPtrA(hwnd, GCW_ATOM)) != form_class_atom) return nullptr;
  return reinterpret_cast<Win32Window*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

Win32Window::Win32Window(HINSTANCE instance, HWND owner, const WindowParams& params,
                         WindowHandler* handler)
    : handler_(handler), cursor_(CursorFor(CursorShape::Arrow)) {
  const DWORD style = StyleFor(params);
  const bool layered = params.layered && CanBeLayered();
  const DWORD ex_style = layered ? WS_EX_LAYERED : 0;
  RECT r = ToRECT(params.bounds);
  ::AdjustWindowRectEx(&r, style, FALSE, ex_style);
  // hwnd_ is set by WM_NCCREATE, before the first message reaches OnMessage.
  ::CreateWindowExA(ex_style, MAKEINTATOM(form_class_atom), params.title.c_str(), style, r.left, r.top,
                    r.right - r.left, r.bottom - r.top, owner, nullptr, instance, this);
  if (hwnd_ == nullptr) throw std::runtime_error("CreateWindowExA failed");
  if (layered) Optional().set_layered_window_attributes(hwnd_, 0, params.alpha, LWA_ALPHA);
}

Win32Window::~Win32Window() {
  accessible_.reset();  // before the window goes: objects handed out answer that it is gone
  // Messages sent while the window goes (capture changes, focus) find no window any more.
  ::SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
  ::DestroyWindow(hwnd_);
}

LRESULT CALLBACK Win32Window::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Win32Window*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcA(hwnd, msg, wp, lp);
  return self->OnMessage(msg, wp, lp);
}

// The handler may destroy this window from inside any call: nothing touches `this` after one.
LRESULT Win32Window::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the handler paints every pixel; erasing first would flicker
    case WM_SETCURSOR:
      if (LOWORD(lp) == HTCLIENT) {
        ::SetCursor(cursor_);
        return TRUE;
      }
      break;
    case WM_CLOSE:
      Guarded([h = handler_] { h->WindowCloseRequest(); });
      return 0;
    case WM_CAPTURECHANGED:
      Guarded([h = handler_] { h->WindowCaptureLost(); });
      return 0;
    case WM_SHOWWINDOW:
      // Shown again because the owner (the application window) was restored.
      if (wp != FALSE && lp == SW_PARENTOPENING) {
        const LRESULT result = ::DefWindowProcA(hwnd_, msg, wp, lp);
        Guarded([h = handler_] { h->WindowRestored(); });
        return result;
      }
      break;
    case WM_MOUSELEAVE:
      Guarded([h = handler_] { h->WindowPointerLeft(); });
      return 0;
    case WM_DESTROY:
      accessible_.reset();  // destroyed with its owner, the application window
      break;
    default:
      if (OnMouseMessage(msg, wp, lp) || OnKeyboardMessage(msg, wp, lp)) return 0;
      if (const std::optional<LRESULT> answer = OnAccessibilityMessage(msg, wp, lp)) return *answer;
      break;
  }
  return ::DefWindowProcA(hwnd_, msg, wp, lp);
}

// Keys held with Alt come as WM_SYSKEYDOWN and their characters as WM_SYSCHAR: the system's
// (Alt+F4 closes the window through WM_CLOSE, Alt+Space, Alt+Esc); DefWindowProc has them, the
// form never takes them for its own. A key's character follows its WM_KEYDOWN as WM_CHAR, which
// TranslateMessage posted.
bool Win32Window::OnKeyboardMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_KEYDOWN: {
      const KeyEvent e{static_cast<unsigned>(wp), KeyShift(), IsRepeat(lp)};
      Guarded([h = handler_, e] { h->WindowKeyDown(e); });
      return true;
    }
    case WM_CHAR: {
      const std::optional<char> c = typing_.Take(static_cast<unsigned char>(wp));
      if (c && TypesCharacters() && ::IsWindowEnabled(hwnd_)) {
        Guarded([h = handler_, c = *c] { h->WindowChar(c); });
      }
      return true;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Guarded([h = handler_, got = msg == WM_SETFOCUS] { h->WindowFocusChanged(got); });
      return true;
    default: return false;
  }
}

bool Win32Window::OnMouseMessage(UINT msg, WPARAM wp, LPARAM lp) {
  MouseEvent e;
  e.shift = ShiftFromKeys(wp);
  e.pos = PointFromLParam(lp);
  enum { kMove, kDown, kUp } kind;
  switch (msg) {
    case WM_MOUSEMOVE: kind = kMove; break;
    case WM_LBUTTONDBLCLK: e.shift |= kDoubleClick; [[fallthrough]];
    case WM_LBUTTONDOWN: kind = kDown; e.button = MouseButton::Left; break;
    case WM_RBUTTONDBLCLK: e.shift |= kDoubleClick; [[fallthrough]];
    case WM_RBUTTONDOWN: kind = kDown; e.button = MouseButton::Right; break;
    case WM_MBUTTONDBLCLK: e.shift |= kDoubleClick; [[fallthrough]];
    case WM_MBUTTONDOWN: kind = kDown; e.button = MouseButton::Middle; break;
    case WM_LBUTTONUP: kind = kUp; e.button = MouseButton::Left; break;
    case WM_RBUTTONUP: kind = kUp; e.button = MouseButton::Right; break;
    case WM_MBUTTONUP: kind = kUp; e.button = MouseButton::Middle; break;
    default: return false;
  }
  if (kind == kMove) TrackPointerLeaving();
  Guarded([h = handler_, kind, &e] {
    if (kind == kMove) h->WindowMouseMove(e.shift, e.pos);
    else if (kind == kDown) h->WindowMouseDown(e);
    else h->WindowMouseUp(e);
  });
  return true;
}

// The window's text and object for screen readers, and the action one asked for; nullopt leaves
// the message to DefWindowProc.
std::optional<LRESULT> Win32Window::OnAccessibilityMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: return AnswerText(msg, wp, lp);
    case WM_GETOBJECT:
      return accessible_ ? accessible_->AnswerGetObject(wp, lp) : std::nullopt;
    case kRunDefaultActionMessage:
      if (accessible_) accessible_->RunPostedAction(wp, lp);  // may destroy this window
      return 0;
    default: return std::nullopt;
  }
}

// Screen readers name a window by the text WM_GETTEXT gives; FindWindow compares the text the
// window was given, which the system keeps. While a tree describes the window, the first is the
// tree's name for it (the application's title) and the second stays the caption.
std::optional<LRESULT> Win32Window::AnswerText(UINT msg, WPARAM wp, LPARAM lp) {
  if (!accessible_) return std::nullopt;
  const std::optional<std::string> name = accessible_->WindowName();
  if (!name) return std::nullopt;
  if (msg == WM_GETTEXTLENGTH) return static_cast<LRESULT>(name->size());
  if (wp == 0 || lp == 0) return 0;
  const std::size_t length = std::min<std::size_t>(wp - 1, name->size());
  auto* buffer = reinterpret_cast<char*>(lp);
  std::memcpy(buffer, name->data(), length);
  buffer[length] = '\0';
  return static_cast<LRESULT>(length);
}

void Win32Window::TrackPointerLeaving() {
  TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd_, 0};
  ::TrackMouseEvent(&track);  // does nothing unless the pointer is over the window
}

// The handler paints off screen, starting from what the window shows, and the result goes to the
// window in one blit: nothing it paints on the way (the form's colour under its picture) is
// ever seen. The blit keeps to the update region, to which BeginPaint clipped the DC.
void Win32Window::Paint() {
  PaintScope paint(hwnd_);
  const Rect update = FromRECT(paint.update());
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  MemoryDc memory(::CreateCompatibleDC(paint.dc()));
  Bitmap frame(::CreateCompatibleBitmap(paint.dc(), std::max<LONG>(client.right, 1),
                                        std::max<LONG>(client.bottom, 1)));
  if (!memory || !frame || update.IsEmpty()) {
    GdiDevice device(paint.dc());  // no memory for a frame: straight on the window
    Guarded([&] { handler_->WindowPaint(device, update); });
    return;
  }
  Selection use_frame(memory.get(), frame.get());
  const int w = update.Width(), h = update.Height();
  ::BitBlt(memory.get(), update.left, update.top, w, h, paint.dc(), update.left, update.top,
           SRCCOPY);
  GdiDevice device(memory.get());
  const WeakRef<Win32Window> self(this, life_);
  Guarded([&] { handler_->WindowPaint(device, update); });
  if (!self.Alive()) return;  // the painting closed the window: nothing left to show it on
  ::BitBlt(paint.dc(), update.left, update.top, w, h, memory.get(), update.left, update.top,
           SRCCOPY);
}

void Win32Window::Show(bool visible) {
  CallingBack([&] { ::ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE); });
}

bool Win32Window::IsVisible() const { return ::IsWindowVisible(hwnd_) != FALSE; }

// Minimising the application hides its forms: a form counts as minimised with its owner.
bool Win32Window::IsMinimized() const {
  const HWND owner = ::GetWindow(hwnd_, GW_OWNER);
  return ::IsIconic(hwnd_) != FALSE || (owner != nullptr && ::IsIconic(owner) != FALSE);
}

RECT Win32Window::WindowRectFor(const Rect& client) const {
  RECT r = ToRECT(client);
  ::AdjustWindowRectEx(&r, static_cast<DWORD>(::GetWindowLongPtrA(hwnd_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(::GetWindowLongPtrA(hwnd_, GWL_EXSTYLE)));
  return r;
}

void Win32Window::SetBounds(const Rect& client_screen_bounds) {
  const RECT r = WindowRectFor(client_screen_bounds);
  CallingBack([&] {
    ::SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  });
}

Rect Win32Window::Bounds() const {
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  POINT origin{0, 0};
  ::ClientToScreen(hwnd_, &origin);
  return FromRECT(client).Offset(origin.x, origin.y);
}

void Win32Window::SetOpacity(bool layered, std::uint8_t alpha) {
  LONG_PTR ex_style = ::GetWindowLongPtrA(hwnd_, GWL_EXSTYLE);
  if (!layered || !CanBeLayered()) {
    if (ex_style & WS_EX_LAYERED) ::SetWindowLongPtrA(hwnd_, GWL_EXSTYLE, ex_style & ~WS_EX_LAYERED);
    return;
  }
  if (!(ex_style & WS_EX_LAYERED)) ::SetWindowLongPtrA(hwnd_, GWL_EXSTYLE, ex_style | WS_EX_LAYERED);
  Optional().set_layered_window_attributes(hwnd_, 0, alpha, LWA_ALPHA);
}

void Win32Window::Invalidate(const Rect& client_rect) {
  const RECT r = ToRECT(client_rect);
  ::InvalidateRect(hwnd_, &r, FALSE);
}

void Win32Window::Update() {
  CallingBack([&] { ::UpdateWindow(hwnd_); });  // WM_PAINT is sent, not queued
}

std::unique_ptr<Device> Win32Window::GetDevice() { return NewWindowDevice(hwnd_); }

void Win32Window::SetEnabled(bool enabled) {
  // Disabling takes the capture away.
  CallingBack([&] { ::EnableWindow(hwnd_, enabled ? TRUE : FALSE); });
}

void Win32Window::SetFocus() {
  CallingBack([&] { ::SetFocus(hwnd_); });
}

void Win32Window::SetCursor(CursorShape shape) {
  cursor_ = CursorFor(shape);
  // Change it now if the pointer is over the window, not only at the next move.
  POINT p{};
  if (::GetCursorPos(&p) && ::WindowFromPoint(p) == hwnd_) ::SetCursor(cursor_);
}

void Win32Window::SetCapture() {
  CallingBack([&] { ::SetCapture(hwnd_); });  // the window losing it hears WM_CAPTURECHANGED now
}

void Win32Window::ReleaseCapture() {
  if (::GetCapture() == hwnd_) CallingBack([] { ::ReleaseCapture(); });
}

void Win32Window::SetTitle(std::string_view title) {
  ::SetWindowTextA(hwnd_, std::string(title).c_str());
}

void Win32Window::SetAccessibleTree(AccessibleTree* tree) {
  accessible_.reset();
  if (tree != nullptr) accessible_ = std::make_unique<AccessibleServer>(hwnd_, tree);
}

void Win32Window::AccessibleChanged(AccessibleId id, AccessibleChange change) {
  if (accessible_) accessible_->Changed(id, change);
}

void Win32Window::SetIcon(const IconImage& image) {
  Icon icon = IconFromImage(image);
  if (!icon) return;
  ::SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon.get()));
  ::SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon.get()));
  icon_ = std::move(icon);  // the previous icon is no longer in use
}

}  // namespace pf::win32
