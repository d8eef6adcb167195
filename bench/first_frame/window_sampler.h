#pragma once
// Watches the X server for the window a started program maps (a top-level window of the
// artwork's size) and reads its pixels back through shared memory, fast enough to poll.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/shm.h>

#include "jpeg_pixels.h"

namespace qf_bench {

class WindowSampler {
 public:
  // Throws std::runtime_error without a display or MIT-SHM.
  explicit WindowSampler(const Picture& artwork);
  ~WindowSampler();
  WindowSampler(const WindowSampler&) = delete;
  WindowSampler& operator=(const WindowSampler&) = delete;

  int fd() const { return ConnectionNumber(display_); }
  // Takes in the server's notifications about windows; never blocks.
  void HandleEvents();
  // Forgets the last program's window.
  void Reset();
  ::Window Window() const { return window_; }
  bool Mapped() const { return mapped_; }
  // Reads the window back: every pixel the artwork's.
  bool MatchesArtwork();
  void WarpPointer(int root_x, int root_y);
  void WarpPointerToWindow(int x, int y);
  // Until the window is destroyed (at most 2 s).
  void WaitUntilGone();

 private:
  const Picture& artwork_;
  Display* display_ = nullptr;
  XImage* image_ = nullptr;
  XShmSegmentInfo shm_{};
  ::Window window_ = None;
  bool mapped_ = false;
  bool gone_ = false;
};

}  // namespace qf_bench
