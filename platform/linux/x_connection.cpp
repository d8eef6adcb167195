#include "platform/linux/x_connection.h"

#include <X11/XKBlib.h>
#include <X11/cursorfont.h>

#include <bit>
#include <stdexcept>

namespace pf::linux_x {
namespace {

// Xlib's default handler ends the process on any protocol error. The requests that may fail
// harmlessly (focus on a window the window manager has not mapped yet, a window gone on the
// server's side) are ignored.
int IgnoreProtocolError(Display*, XErrorEvent*) { return 0; }

unsigned FontCursorShape(CursorShape shape) {
  switch (shape) {
    case CursorShape::HandPoint: return XC_hand2;
    case CursorShape::IBeam: return XC_xterm;
    case CursorShape::Wait: return XC_watch;
    case CursorShape::Cross: return XC_crosshair;
    case CursorShape::Arrow: break;
  }
  return XC_left_ptr;
}

bool IsDirectRgb(const Visual* v, int depth) {
  return (depth == 24 || depth == 32) && v->c_class == TrueColor && v->red_mask == 0xFF0000 &&
         v->green_mask == 0x00FF00 && v->blue_mask == 0x0000FF;
}

}  // namespace

XConnection::XConnection() : display_(XOpenDisplay(nullptr)) {
  if (!display_) throw std::runtime_error("cannot open the X display (is DISPLAY set?)");
  XSetErrorHandler(&IgnoreProtocolError);
  screen_ = DefaultScreen(display_.get());
  root_ = RootWindow(display_.get(), screen_);
  visual_ = DefaultVisual(display_.get(), screen_);
  depth_ = DefaultDepth(display_.get(), screen_);
  if (!IsDirectRgb(visual_, depth_)) {
    throw std::runtime_error("the X screen is not 24-bit true colour");
  }
  InternAtoms();
  // A held key then comes as presses without releases between them, which tells its repeats
  // from new presses (input_linux.h). A server without Xkb repeats as presses and releases:
  // every press is new there.
  Bool detectable = False;
  XkbSetDetectableAutoRepeat(display_.get(), True, &detectable);
}

XConnection::~XConnection() {
  for (::Cursor c : cursors_) {
    if (c != None) XFreeCursor(display_.get(), c);
  }
}

void XConnection::InternAtoms() {
  const char* names[] = {"WM_PROTOCOLS",
                         "WM_DELETE_WINDOW",
                         "WM_CHANGE_STATE",
                         "_MOTIF_WM_HINTS",
                         "_NET_WM_WINDOW_OPACITY",
                         "_NET_WM_ICON",
                         "_NET_WM_NAME",
                         "_NET_ACTIVE_WINDOW",
                         "_NET_SUPPORTING_WM_CHECK",
                         "_NET_WM_WINDOW_TYPE",
                         "_NET_WM_WINDOW_TYPE_DIALOG",
                         "UTF8_STRING"};
  Atom* slots[] = {&atoms_.wm_protocols,
                   &atoms_.wm_delete_window,
                   &atoms_.wm_change_state,
                   &atoms_.motif_wm_hints,
                   &atoms_.net_wm_window_opacity,
                   &atoms_.net_wm_icon,
                   &atoms_.net_wm_name,
                   &atoms_.net_active_window,
                   &atoms_.net_supporting_wm_check,
                   &atoms_.net_wm_window_type,
                   &atoms_.net_wm_window_type_dialog,
                   &atoms_.utf8_string};
  constexpr int kCount = static_cast<int>(std::size(names));
  Atom values[kCount];
  XInternAtoms(display_.get(), const_cast<char**>(names), kCount, False, values);
  for (int i = 0; i < kCount; ++i) *slots[i] = values[i];
}

::Cursor XConnection::CursorFor(CursorShape shape) {
  ::Cursor& slot = cursors_[static_cast<std::size_t>(shape)];
  if (slot == None) slot = XCreateFontCursor(display_.get(), FontCursorShape(shape));
  return slot;
}

ImagePtr XConnection::WrapPixels(const ImageView& pixels) const {
  // XImage's data is not const, but nothing writes through it here.
  char* data = const_cast<char*>(reinterpret_cast<const char*>(pixels.pixels));
  XImage* image = XCreateImage(display_.get(), visual_, static_cast<unsigned>(depth_), ZPixmap, 0,
                               data, static_cast<unsigned>(pixels.width),
                               static_cast<unsigned>(pixels.height), 32, pixels.stride * 4);
  if (image == nullptr) throw std::runtime_error("XCreateImage failed");
  // The pixels are host-order 32-bit values; Xlib converts if the server's order differs.
  image->byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
  return ImagePtr(image);
}

bool XConnection::HasWindowManager() const {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  XGetWindowProperty(display_.get(), root_, atoms_.net_supporting_wm_check, 0, 1, False, XA_WINDOW,
                     &type, &format, &count, &after, &data);
  std::unique_ptr<unsigned char, XFreeDeleter> owned(data);
  return type == XA_WINDOW && count == 1;
}

::Window XConnection::TopLevelOf(::Window w) const {
  for (;;) {
    ::Window root = None, parent = None, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display_.get(), w, &root, &parent, &children, &count)) return w;
    std::unique_ptr<::Window, XFreeDeleter> owned(children);
    if (parent == root || parent == None) return w;
    w = parent;
  }
}

std::string XConnection::RootStringProperty(const char* name) const {
  // Without the atom, no one ever set the property: that costs one round trip, no more.
  const Atom atom = XInternAtom(display_.get(), name, True);
  if (atom == None) return {};
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  XGetWindowProperty(display_.get(), root_, atom, 0, 1024, False, XA_STRING, &type, &format,
                     &count, &after, &data);
  const std::unique_ptr<unsigned char, XFreeDeleter> owned(data);
  if (type != XA_STRING || format != 8 || data == nullptr) return {};
  return std::string(reinterpret_cast<const char*>(data), count);
}

}  // namespace pf::linux_x
