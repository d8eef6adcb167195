#pragma once
// The connection to the X server and the X resources shared by every window: atoms, cursors, the
// visual the client-side buffers are shown with. The only owner of the Display.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
// X.h's constant for XQueryBestSize, never used here, would rename the seam's enum.
#undef CursorShape

#include <array>
#include <memory>
#include <string>
#include <utility>

#include "platform/platform.h"

namespace pf::linux_x {

// The atoms the windows use, interned once.
struct Atoms {
  Atom wm_protocols = None;
  Atom wm_delete_window = None;
  Atom wm_change_state = None;
  Atom motif_wm_hints = None;
  Atom net_wm_window_opacity = None;
  Atom net_wm_icon = None;
  Atom net_wm_name = None;
  Atom net_active_window = None;
  Atom net_supporting_wm_check = None;
  Atom net_wm_window_type = None;
  Atom net_wm_window_type_dialog = None;
  Atom utf8_string = None;
};

struct DisplayCloser {
  void operator()(Display* d) const { XCloseDisplay(d); }
};

// An XImage over pixels owned elsewhere: destroying it leaves the pixels alone.
struct ImageDestroyer {
  void operator()(XImage* image) const {
    image->data = nullptr;
    XDestroyImage(image);
  }
};
using ImagePtr = std::unique_ptr<XImage, ImageDestroyer>;

// Whatever Xlib allocated for us (XQueryTree's lists, property data).
struct XFreeDeleter {
  void operator()(void* p) const {
    if (p != nullptr) XFree(p);
  }
};

// A window on the server, destroyed with its owner.
class XWindowOwner {
 public:
  XWindowOwner(Display* display, ::Window window) : display_(display), window_(window) {}
  ~XWindowOwner() { XDestroyWindow(display_, window_); }
  XWindowOwner(const XWindowOwner&) = delete;
  XWindowOwner& operator=(const XWindowOwner&) = delete;
  ::Window get() const { return window_; }

 private:
  Display* display_;
  ::Window window_;
};

// A graphics context, freed with its owner.
class GcOwner {
 public:
  GcOwner(Display* display, ::Window window)
      : display_(display), gc_(XCreateGC(display, window, 0, nullptr)) {}
  ~GcOwner() { XFreeGC(display_, gc_); }
  GcOwner(const GcOwner&) = delete;
  GcOwner& operator=(const GcOwner&) = delete;
  GC get() const { return gc_; }

 private:
  Display* display_;
  GC gc_;
};

// A pixmap on the server, freed with its owner.
class PixmapOwner {
 public:
  PixmapOwner() = default;
  PixmapOwner(Display* display, Pixmap pixmap) : display_(display), pixmap_(pixmap) {}
  ~PixmapOwner() { reset(); }
  PixmapOwner(const PixmapOwner&) = delete;
  PixmapOwner& operator=(const PixmapOwner&) = delete;
  PixmapOwner& operator=(PixmapOwner&& other) noexcept {
    if (this != &other) {
      reset();
      display_ = other.display_;
      pixmap_ = std::exchange(other.pixmap_, None);
    }
    return *this;
  }
  Pixmap get() const { return pixmap_; }
  void reset() {
    if (pixmap_ != None) XFreePixmap(display_, std::exchange(pixmap_, None));
  }

 private:
  Display* display_ = nullptr;
  Pixmap pixmap_ = None;
};

class XConnection {
 public:
  // Opens $DISPLAY; throws std::runtime_error when there is no server or its visual is not the
  // 24-bit true colour one the buffers are laid out for.
  XConnection();
  ~XConnection();
  XConnection(const XConnection&) = delete;
  XConnection& operator=(const XConnection&) = delete;

  Display* display() const { return display_.get(); }
  int screen() const { return screen_; }
  ::Window root() const { return root_; }
  Visual* visual() const { return visual_; }
  int depth() const { return depth_; }
  int fd() const { return ConnectionNumber(display_.get()); }
  const Atoms& atoms() const { return atoms_; }

  ::Cursor CursorFor(CursorShape shape);
  // An XImage that shows the pixels where they lie, for XPutImage (which only reads them).
  ImagePtr WrapPixels(const ImageView& pixels) const;
  // Whether a window manager runs (it then decides about focus and iconic state).
  bool HasWindowManager() const;
  // The child of the root window that holds `w` (its frame under a window manager, else `w`).
  ::Window TopLevelOf(::Window w) const;
  // A STRING property of the root window (the desktop's), empty when it is not set.
  std::string RootStringProperty(const char* name) const;

 private:
  void InternAtoms();

  std::unique_ptr<Display, DisplayCloser> display_;
  int screen_ = 0;
  ::Window root_ = None;
  Visual* visual_ = nullptr;
  int depth_ = 0;
  Atoms atoms_;
  std::array<::Cursor, 5> cursors_{};
};

}  // namespace pf::linux_x
