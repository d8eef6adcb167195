#pragma once
// A window whose pixels live in a buffer in memory: paints and drawing go into the buffer, and a
// port shows it. The port only knows how to put a rectangle of the buffer on screen and how to
// map the window with the whole buffer (an X window; the headless record of what a screen would
// be sent). The window is mapped by its first paint, with those pixels, so the screen never shows
// anything else first; drawing outside a paint is put once per turn of the loop, as the
// rectangles it touched (drawn_area.h); a paint puts its update area.
#include <memory>

#include "platform/alive.h"
#include "platform/buffered/drawn_area.h"
#include "platform/platform.h"

namespace pf {

// How a buffered window's pixels reach the screen.
class ScreenPort {
 public:
  // Shows the buffer's pixels in `area` (not empty, inside the buffer) on the mapped window.
  virtual void PutOnScreen(const ImageView& buffer, const Rect& area) = 0;
  // Brings the window on screen showing the whole buffer as it is now.
  virtual void MapWithBuffer(const ImageView& buffer) = 0;

 protected:
  ~ScreenPort() = default;
};

class BufferedWindow {
 public:
  // A hidden window with a white buffer of this size (not negative).
  BufferedWindow(ScreenPort& port, int width, int height);
  BufferedWindow(const BufferedWindow&) = delete;
  BufferedWindow& operator=(const BufferedWindow&) = delete;

  // Hidden -> shown: all of it is invalid, and the paint of it maps the window.
  void Show();
  // Shown or mapped -> hidden. True when it was mapped: the caller takes it off the screen.
  bool Hide();
  bool IsShown() const { return stage_ != Stage::kHidden; }
  bool IsMapped() const { return stage_ == Stage::kMapped; }

  // A new buffer of this size (not negative) with the old pixels in its top-left corner; all of
  // it is invalid.
  void Resize(int width, int height);
  Rect ClientRect() const;
  ImageView Pixels() const { return surface_->Pixels(); }

  void Invalidate(const Rect& client_rect);
  const Rect& InvalidRect() const { return invalid_; }
  bool NeedsPaint() const { return IsShown() && !invalid_.IsEmpty(); }
  // One WindowPaint of everything invalid, then its update area on screen, or the map when the
  // window is shown and not mapped yet. The handler may destroy the window (and this) meanwhile.
  void Paint(WindowHandler& handler);
  // A shown window that is not mapped yet is mapped now, after the paint that is due.
  void EnsureMapped(WindowHandler& handler);
  // Puts what was drawn outside paints since the last time, unless a pending paint will cover
  // it. Once per turn of the loop.
  void FlushDrawn();
  // The screen shows the map's pixels again in `client_rect` (an X exposure shows the window's
  // background): once the buffer has changed since the map, they go out with the next flush.
  void Exposed(const Rect& client_rect);
  // A device on the buffer outside the paint cycle; what it touched is put by the next flush. It
  // may be destroyed after the window, but draws only while the window lives.
  std::unique_ptr<Device> NewDrawingDevice();

 private:
  // Hidden; shown and waiting for its first paint; mapped.
  enum class Stage { kHidden, kShown, kMapped };

  void Map();
  void Put(const Rect& r);
  void Drawn(const Rect& touched);

  ScreenPort& port_;
  std::unique_ptr<Surface> surface_;
  Stage stage_ = Stage::kHidden;
  Rect invalid_;
  // Drawn outside a paint (or exposed), not yet put.
  DrawnArea drawn_;
  // Nothing was painted or drawn since the map: the screen's own copy of the map's pixels (the X
  // window's background) still equals the buffer.
  bool buffer_as_mapped_ = false;
  // Expires with the window: a handler may destroy it inside a paint, and drawing devices
  // outlive it.
  AliveToken life_;
};

}  // namespace pf
