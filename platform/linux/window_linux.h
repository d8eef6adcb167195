#pragma once
// A form's window on X: a managed top-level window whose pixels live in a client-side buffer that
// the raster device draws on and XPutImage shows.
#include <functional>
#include <memory>
#include <vector>

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
  bool IsMinimized() const override { return visible_ && !mapped_; }
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
  // One WindowPaint for everything invalid, then the painted area on screen.
  void PaintPending();
  void HandleEvent(const XEvent& event);
  // Shows the buffer's pixels in `r` (client coordinates).
  void Put(const Rect& r);
  // The capture was taken from this window: tell the handler.
  void CaptureTaken();
  // Keys pressed while the window has the focus (a message box's Return); none are asked for
  // otherwise.
  void SetKeyHandler(std::function<void(KeySym)> on_key);

 private:
  void OnButton(const XButtonEvent& e, bool press);
  void OnMotion(const XMotionEvent& e);
  void OnClientMessage(const XClientMessageEvent& e);
  void OnMapped();
  void ResizeBuffer(int width, int height);
  Rect ClientRect() const { return {0, 0, surface_->Width(), surface_->Height()}; }

  LinuxPlatform& platform_;
  XConnection& x_;
  XWindowOwner window_;
  GcOwner gc_;
  WindowHandler* handler_;
  Rect bounds_;
  bool visible_ = false;
  bool mapped_ = false;
  bool focus_when_mapped_ = false;
  bool enabled_ = true;
  std::function<void(KeySym)> on_key_;
  CursorShape cursor_ = CursorShape::Arrow;
  std::vector<std::uint32_t> pixels_;
  std::unique_ptr<raster::RasterSurface> surface_;
  ImagePtr image_;
  Rect invalid_;
  // Expires when the window goes: a handler may destroy its window from inside a call.
  std::shared_ptr<int> life_ = std::make_shared<int>(0);
};

}  // namespace pf::linux_x
