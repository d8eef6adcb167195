#pragma once
// A form's window on X: a managed top-level window whose pixels live in a buffered window. It is
// the buffer's screen port: XPutImage puts a rectangle of it, and the map first makes the painted
// buffer the window's background.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/alive.h"
#include "platform/buffered/buffered_window.h"
#include "platform/linux/atspi/action_requests.h"
#include "platform/linux/window_host.h"
#include "platform/linux/x_connection.h"
#include "platform/platform.h"

namespace pf::linux_x {

class LinuxWindow : public Window, private ScreenPort {
 public:
  LinuxWindow(WindowHost& host, const WindowParams& params, WindowHandler* handler);
  ~LinuxWindow() override;

  NativeHandle Handle() const override { return xid(); }
  void Show(bool visible) override;
  bool IsVisible() const override { return buffer_.IsShown(); }
  // Shown but unmapped by someone else: iconified by the window manager.
  bool IsMinimized() const override { return IsVisible() && view_ == ServerView::kIconified; }
  void SetBounds(const Rect& client_screen_bounds) override;
  Rect Bounds() const override;
  void SetOpacity(bool layered, std::uint8_t alpha) override;
  void Invalidate(const Rect& client_rect) override;
  void Update() override;
  std::unique_ptr<Device> GetDevice() override;
  void SetEnabled(bool enabled) override;
  void SetFocus() override;
  void SetCursor(CursorShape shape) override;
  void SetCapture() override;
  void ReleaseCapture() override;
  void SetTitle(std::string_view title) override;
  void SetIcon(const IconImage& icon) override;
  void SetAccessibleTree(AccessibleTree* tree) override;
  void AccessibleChanged(AccessibleId id, AccessibleChange change) override;

  // For the platform's loop.
  ::Window xid() const { return window_.get(); }
  atspi::ServedWindow served() const { return atspi::ServedWindow{xid()}; }
  WindowHandler* handler() const { return handler_; }
  bool IsEnabled() const { return enabled_; }
  bool NeedsPaint() const { return buffer_.NeedsPaint(); }
  void PaintPending() { buffer_.Paint(*handler_); }
  // Maps a shown window now if its first paint has not done it yet (the server refuses focus and
  // grabs to an unmapped window).
  void EnsureMapped() { buffer_.EnsureMapped(*handler_); }
  void HandleEvent(const XEvent& event);
  void FlushDrawn() { buffer_.FlushDrawn(); }
  // The capture was taken from this window: tell the handler.
  void CaptureTaken();
  // Whether the window has the keyboard focus, as the server last said.
  bool HasFocus() const { return focused_; }
  // Names the window anew after the application's title changed.
  void ShowName();

 private:
  void OnButton(const XButtonEvent& e, bool press);
  void OnMotion(const XMotionEvent& e);
  void OnCrossing(const XCrossingEvent& e);
  void OnClientMessage(const XClientMessageEvent& e);
  void OnKey(const XKeyEvent& e);
  void OnFocus(const XFocusChangeEvent& e);
  void OnMapped();
  // Where the client area lies on the root window, from an event that reports the pointer in
  // both coordinates.
  void OriginSeen(int x, int y, int x_root, int y_root) { origin_ = Point{x_root - x, y_root - y}; }
  // The screen port of the buffer.
  void PutOnScreen(const ImageView& buffer, const Rect& area) override;
  void MapWithBuffer(const ImageView& buffer) override;

  WindowHost& host_;
  XConnection& x_;
  XWindowOwner window_;
  GcOwner gc_;
  WindowHandler* handler_;
  Rect bounds_;
  // X has no empty windows: the buffer is at least 1 x 1.
  BufferedWindow buffer_;
  // The first painted frame, the window's background from its map on.
  PixmapOwner background_;
  // What the server last said of the window: viewable from a MapNotify on; an UnmapNotify of a
  // window we keep mapped makes it iconified (the window manager took it off), else unviewable;
  // hiding an iconified window makes it unviewable.
  enum class ServerView { kUnviewable, kViewable, kIconified };
  ServerView view_ = ServerView::kUnviewable;
  // The focus was asked for (or the window shown) before the window was viewable: it is taken
  // when it is mapped.
  bool focus_when_mapped_ = false;
  bool focused_ = false;
  HeldKey held_;
  bool enabled_ = true;
  CursorShape cursor_ = CursorShape::Arrow;
  // The window's own text, and whether it has a frame to show it in.
  std::string caption_;
  bool borderless_;
  // The client area's top-left corner on the root window, from the last event that told it;
  // forgotten when the window is moved.
  mutable std::optional<Point> origin_;
  // A handler may destroy its window from inside a call.
  AliveToken life_;
};

}  // namespace pf::linux_x
