// The reference program: what any program must do to show the launcher's picture, and no more.
// It decodes the JPEG, maps a borderless 600 x 400 window in the middle of the screen, and puts
// the picture once when the server asks for the window's contents. It then waits to be ended.
//
//   qf_reference_window PICTURE.jpg
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <exception>

#include "jpeg_pixels.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: qf_reference_window PICTURE.jpg\n");
    return 2;
  }
  qf_bench::Picture picture;
  try {
    picture = qf_bench::DecodeJpegFile(argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "qf_reference_window: %s\n", e.what());
    return 1;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return 1;
  const int screen = DefaultScreen(display);
  const int x = (DisplayWidth(display, screen) - picture.width) / 2;
  const int y = (DisplayHeight(display, screen) - picture.height) / 2;
  XSetWindowAttributes attrs{};
  attrs.background_pixmap = None;
  attrs.event_mask = ExposureMask;
  const Window window = XCreateWindow(
      display, RootWindow(display, screen), x, y, static_cast<unsigned>(picture.width),
      static_cast<unsigned>(picture.height), 0, 24, InputOutput, DefaultVisual(display, screen),
      CWBackPixmap | CWEventMask, &attrs);
  XImage* image = XCreateImage(display, DefaultVisual(display, screen), 24, ZPixmap, 0,
                               reinterpret_cast<char*>(picture.pixels.data()),
                               static_cast<unsigned>(picture.width),
                               static_cast<unsigned>(picture.height), 32, picture.width * 4);
  const GC gc = XCreateGC(display, window, 0, nullptr);
  XMapWindow(display, window);
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == Expose && event.xexpose.count == 0) {
      XPutImage(display, window, gc, image, 0, 0, 0, 0, static_cast<unsigned>(picture.width),
                static_cast<unsigned>(picture.height));
      XFlush(display);
    }
  }
}
