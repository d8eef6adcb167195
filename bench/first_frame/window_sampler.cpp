#include "window_sampler.h"

#include <poll.h>
#include <sys/ipc.h>

#include <chrono>
#include <stdexcept>

namespace qf_bench {
namespace {

// Reading back a window that is going away fails; that is a sample with no frame, not an error.
int IgnoreError(Display*, XErrorEvent*) { return 0; }

}  // namespace

WindowSampler::WindowSampler(const Picture& artwork) : artwork_(artwork) {
  display_ = XOpenDisplay(nullptr);
  if (display_ == nullptr) throw std::runtime_error("no X display");
  if (!XShmQueryExtension(display_)) throw std::runtime_error("the X server has no MIT-SHM");
  XSetErrorHandler(IgnoreError);
  const int screen = DefaultScreen(display_);
  image_ =
      XShmCreateImage(display_, DefaultVisual(display_, screen), 24, ZPixmap, nullptr, &shm_,
                      static_cast<unsigned>(artwork.width), static_cast<unsigned>(artwork.height));
  shm_.shmid =
      shmget(IPC_PRIVATE, static_cast<std::size_t>(image_->bytes_per_line) * image_->height,
             IPC_CREAT | 0600);
  shm_.shmaddr = image_->data = static_cast<char*>(shmat(shm_.shmid, nullptr, 0));
  shm_.readOnly = False;
  XShmAttach(display_, &shm_);
  XSync(display_, False);
  shmctl(shm_.shmid, IPC_RMID, nullptr);  // gone once both sides detach
  XSelectInput(display_, DefaultRootWindow(display_), SubstructureNotifyMask);
  XSync(display_, False);
}

WindowSampler::~WindowSampler() {
  XShmDetach(display_, &shm_);
  XSync(display_, False);
  image_->data = nullptr;
  XDestroyImage(image_);
  shmdt(shm_.shmaddr);
  XCloseDisplay(display_);
}

void WindowSampler::HandleEvents() {
  while (XPending(display_) > 0) {
    XEvent e;
    XNextEvent(display_, &e);
    switch (e.type) {
      case CreateNotify:
        if (e.xcreatewindow.width == artwork_.width && e.xcreatewindow.height == artwork_.height &&
            !e.xcreatewindow.override_redirect && window_ == None) {
          window_ = e.xcreatewindow.window;
        }
        break;
      case ConfigureNotify:
        // Programs may make the window first and size it afterwards.
        if (e.xconfigure.width == artwork_.width && e.xconfigure.height == artwork_.height &&
            !e.xconfigure.override_redirect && window_ == None) {
          window_ = e.xconfigure.window;
        }
        break;
      case MapNotify:
        if (e.xmap.window == window_) mapped_ = true;
        break;
      case UnmapNotify:
        if (e.xunmap.window == window_) mapped_ = false;
        break;
      case DestroyNotify:
        if (e.xdestroywindow.window == window_) {
          mapped_ = false;
          gone_ = true;
        }
        break;
      default:
        break;
    }
  }
}

void WindowSampler::Reset() {
  HandleEvents();
  window_ = None;
  mapped_ = false;
  gone_ = false;
}

bool WindowSampler::MatchesArtwork() {
  if (window_ == None || !XShmGetImage(display_, window_, image_, 0, 0, AllPlanes)) return false;
  for (int y = 0; y < artwork_.height; ++y) {
    const auto* row =
        reinterpret_cast<const std::uint32_t*>(image_->data + y * image_->bytes_per_line);
    const std::uint32_t* want =
        artwork_.pixels.data() + static_cast<std::size_t>(y) * artwork_.width;
    for (int x = 0; x < artwork_.width; ++x) {
      if ((row[x] & 0xFFFFFFu) != want[x]) return false;
    }
  }
  return true;
}

void WindowSampler::WarpPointer(int root_x, int root_y) {
  XWarpPointer(display_, None, DefaultRootWindow(display_), 0, 0, 0, 0, root_x, root_y);
  XSync(display_, False);
}

void WindowSampler::WarpPointerToWindow(int x, int y) {
  if (window_ == None) return;
  XWarpPointer(display_, None, window_, 0, 0, 0, 0, x, y);
  XSync(display_, False);
}

void WindowSampler::WaitUntilGone() {
  const auto t0 = std::chrono::steady_clock::now();
  while (!gone_ && window_ != None &&
         std::chrono::steady_clock::now() - t0 < std::chrono::seconds(2)) {
    pollfd fd{ConnectionNumber(display_), POLLIN, 0};
    poll(&fd, 1, 10);
    HandleEvents();
  }
}

}  // namespace qf_bench
