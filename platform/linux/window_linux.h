#pragma once
// A form's window on X: a managed top-level window whose pixels live in a client-side buffer that
// the raster device draws on and XPutImage shows. It is mapped only once its first paint is in
// the buffer, with those pixels as its background, so the server never shows anything else
// first; drawing outside a paint is put on screen, once per turn of the loop, as the union of
// the rectangles it touched.
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/alive.h"
#include "platform/drawn_area.h"
#include "platform/linux/x_connection.h"
#include "platform/platform.h"
#include "platform/raster/raster_surface.h"

namespace pf::linux_x {

class LinuxPlatform;

class LinuxWindow : public Window {
 public:
  LinuxWindow(LinuxPlatform& platform, const WindowParams& params, WindowHandler* handler);
  ~LinuxWindow() override;

  NativeHandle Handle() const override { return xid(); }
  void Show(bool visible) override;
  bool IsVisible() const override { return visible_; }
  // Shown but not viewable: iconified by the window manager, or not mapped yet.
  bool IsMinimized() const override { return visible_ && iconified_; }
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

  // For the platform's loop.
  ::Window xid() const { return window_.get(); }
  WindowHandler* handler() const { return handler_; }
  bool IsEnabled() const { return enabled_; }
  bool NeedsPaint() const { return visible_ && !invalid_.IsEmpty(); }
  // One WindowPaint for everything invalid, then the painted area on screen (the first time, the
  // window is mapped with it).
  void PaintPending();
  // Maps a shown window now if its first paint has not done it yet (the server refuses focus and
  // grabs to an unmapped window).
  void EnsureMapped();
  void HandleEvent(const XEvent& event);
  // Puts the union of what was drawn outside paints since the last time; what a pending paint
  // will cover waits for it.
  void FlushDrawn();
  // The capture was taken from this window: tell the handler.
  void CaptureTaken();
  // Keys pressed while the window has the focus (a message box's Return); none are asked for
  // otherwise.
  void SetKeyHandler(std::function<void(KeySym)> on_key);

 private:
  void OnButton(const XButtonEvent& e, bool press);
  void OnMotion(const XMotionEvent& e);
  void OnCrossing(const XCrossingEvent& e);
  void OnClientMessage(const XClientMessageEvent& e);
  void OnMapped();
  // Where the pointer is, from an event that reports it: `inside` when it is in this window.
  void PointerSeen(int x, int y, int x_root, int y_root, bool inside);
  // Shows the buffer's pixels in `r` (client coordinates).
  void Put(const Rect& r);
  void MapWithBuffer();
  void ResizeBuffer(int width, int height);
  Rect ClientRect() const { return {0, 0, surface_->Width(), surface_->Height()}; }

  LinuxPlatform& platform_;
  XConnection& x_;
  XWindowOwner window_;
  GcOwner gc_;
  WindowHandler* handler_;
  Rect bounds_;
  bool visible_ = false;
  bool mapped_ = false;    // asked of the server (by the first paint)
  bool viewable_ = false;  // the server says so: not yet, withdrawn or iconified is false
  bool iconified_ = false;  // unmapped by someone else (the window manager) while we want it shown
  bool focus_when_mapped_ = false;
  bool enabled_ = true;
  std::function<void(KeySym)> on_key_;
  CursorShape cursor_ = CursorShape::Arrow;
  std::vector<std::uint32_t> pixels_;
  std::unique_ptr<raster::RasterSurface> surface_;
  ImagePtr image_;
  Rect invalid_;
  // Drawn outside a paint (or exposed), not yet put.
  DrawnArea drawn_;
  // The first painted frame, the window's background from its map on.
  PixmapOwner background_;
  // The background still equals the buffer: an exposure needs no put.
  bool background_is_buffer_ = false;
  // The client area's top-left corner on the root window, from the last event that told it;
  // forgotten when the window is moved.
  mutable std::optional<Point> origin_;
  // Expires when the window goes: a handler may destroy its window from inside a call.
  AliveToken life_;
};

}  // namespace pf::linux_x
