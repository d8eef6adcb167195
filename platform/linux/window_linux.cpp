#include "platform/linux/window_linux.h"

#include <X11/XKBlib.h>

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "platform/linux/atspi/server.h"
#include "platform/linux/window_props.h"

namespace pf::linux_x {
namespace {

// Crossings tell the framework where the pointer is, and leaving the window wakes the loop, whose
// idle processing then sends the leave to the control the pointer was over. Releases tell a held
// key's repeats from new presses.
constexpr long kEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                            EnterWindowMask | LeaveWindowMask | StructureNotifyMask | KeyPressMask |
                            KeyReleaseMask | FocusChangeMask;

::Window CreateXWindow(const XConnection& x, const Rect& b) {
  XSetWindowAttributes attrs{};
  attrs.background_pixmap = None;  // until the first paint gives it one: no clearing flash
  attrs.event_mask = kEventMask;
  attrs.colormap = DefaultColormap(x.display(), x.screen());
  const ::Window w = XCreateWindow(
      x.display(), x.root(), b.left, b.top, static_cast<unsigned>(std::max(b.Width(), 1)),
      static_cast<unsigned>(std::max(b.Height(), 1)), 0, x.depth(), InputOutput, x.visual(),
      CWBackPixmap | CWEventMask | CWColormap, &attrs);
  if (w == None) throw std::runtime_error("XCreateWindow failed");
  return w;
}

// The character a key press typed: XLookupString's symbol, which the state's Shift, Caps Lock and
// third level chose, names it (its text is in the locale's encoding, which the program does not
// set).
std::optional<char> TypedChar(const XKeyEvent& e) {
  XKeyEvent copy = e;
  char text[8];
  KeySym sym = NoSymbol;
  XLookupString(&copy, text, sizeof text, &sym, nullptr);
  return CharFromX(sym, e.state);
}

}  // namespace

LinuxWindow::LinuxWindow(WindowHost& host, const WindowParams& params, WindowHandler* handler)
    : host_(host), x_(host.x()),
      window_(x_.display(), CreateXWindow(x_, params.bounds)), gc_(x_.display(), window_.get()),
      handler_(handler), bounds_(params.bounds),
      buffer_(*this, std::max(bounds_.Width(), 1), std::max(bounds_.Height(), 1)),
      caption_(params.title), borderless_(params.borderless) {
  if (params.borderless) SetBorderless(x_, xid());
  SetClassHint(x_, xid(), host_.ProgramName());
  SetManagementHints(x_, xid(), host_.Leader(), bounds_);
  ShowName();
  if (params.layered) SetOpacityProperty(x_, xid(), true, params.alpha);
  host_.WindowCreated(*this);
}

LinuxWindow::~LinuxWindow() {
  handler_ = nullptr;
  host_.accessible().SetTree(served(), nullptr);
  host_.WindowGone(*this);
  // The grab, if any, ends with the window on the server.
}

void LinuxWindow::Show(bool visible) {
  if (visible == IsVisible()) return;
  if (visible) {
    // Mapped by the first paint, with its pixels; then it takes the focus, as a window shown on
    // Windows is activated.
    focus_when_mapped_ = true;
    buffer_.Show();
    return;
  }
  const bool was_mapped = buffer_.Hide();
  if (host_.GrabbingWindow() == this) ReleaseCapture();
  if (view_ == ServerView::kIconified) view_ = ServerView::kUnviewable;
  if (was_mapped) XWithdrawWindow(x_.display(), xid(), x_.screen());
  XFlush(x_.display());
}

// The painted buffer becomes the window's background before the map: the server shows it the
// moment the window appears, with or without a window manager, before any exposure is answered.
void LinuxWindow::MapWithBuffer(const ImageView& buffer) {
  const unsigned w = static_cast<unsigned>(buffer.width);
  const unsigned h = static_cast<unsigned>(buffer.height);
  background_ = PixmapOwner(x_.display(), XCreatePixmap(x_.display(), xid(), w, h, x_.depth()));
  const ImagePtr image = x_.WrapPixels(buffer);
  XPutImage(x_.display(), background_.get(), gc_.get(), image.get(), 0, 0, 0, 0, w, h);
  XSetWindowBackgroundPixmap(x_.display(), xid(), background_.get());
  XMapRaised(x_.display(), xid());
  XFlush(x_.display());
}

void LinuxWindow::PutOnScreen(const ImageView& buffer, const Rect& area) {
  const ImagePtr image = x_.WrapPixels(buffer);
  XPutImage(x_.display(), xid(), gc_.get(), image.get(), area.left, area.top, area.left, area.top,
            static_cast<unsigned>(area.Width()), static_cast<unsigned>(area.Height()));
  XFlush(x_.display());
}

void LinuxWindow::SetBounds(const Rect& b) {
  const bool resized = b.Width() != bounds_.Width() || b.Height() != bounds_.Height();
  bounds_ = b;
  origin_.reset();
  SetManagementHints(x_, xid(), host_.Leader(), b);
  XMoveResizeWindow(x_.display(), xid(), b.left, b.top,
                    static_cast<unsigned>(std::max(b.Width(), 1)),
                    static_cast<unsigned>(std::max(b.Height(), 1)));
  if (resized) buffer_.Resize(std::max(b.Width(), 1), std::max(b.Height(), 1));
}

// Where the server has the window (a window manager may have placed it elsewhere).
// Pointer events tell it on the way; the server is asked only when none has since a move.
Rect LinuxWindow::Bounds() const {
  if (!buffer_.IsMapped()) return bounds_;
  if (!origin_) {
    int x = bounds_.left, y = bounds_.top;
    ::Window child = None;
    XTranslateCoordinates(x_.display(), xid(), x_.root(), 0, 0, &x, &y, &child);
    origin_ = Point{x, y};
  }
  return Rect{origin_->x, origin_->y, origin_->x + bounds_.Width(), origin_->y + bounds_.Height()};
}

void LinuxWindow::SetOpacity(bool layered, std::uint8_t alpha) {
  SetOpacityProperty(x_, xid(), layered, alpha);
}

void LinuxWindow::Invalidate(const Rect& client_rect) { buffer_.Invalidate(client_rect); }

void LinuxWindow::Update() {
  if (NeedsPaint()) PaintPending();
}

std::unique_ptr<Device> LinuxWindow::GetDevice() { return buffer_.NewDrawingDevice(); }

void LinuxWindow::SetEnabled(bool enabled) {
  enabled_ = enabled;
  // A disabled window loses the mouse it held.
  if (!enabled && host_.GrabbingWindow() == this) ReleaseCapture();
}

void LinuxWindow::SetFocus() {
  if (!IsVisible()) return;
  EnsureMapped();
  // Activating an iconified window would restore it, and a window not yet viewable cannot take
  // the focus: it takes it when it is mapped.
  if (view_ != ServerView::kViewable) {
    focus_when_mapped_ = true;
    return;
  }
  if (x_.HasWindowManager()) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = xid();
    e.xclient.message_type = x_.atoms().net_active_window;
    e.xclient.format = 32;
    e.xclient.data.l[0] = 1;  // from an application
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(x_.display(), x_.root(), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &e);
  } else {
    XSetInputFocus(x_.display(), xid(), RevertToParent, CurrentTime);
  }
  XFlush(x_.display());
}

void LinuxWindow::SetCursor(CursorShape shape) {
  if (shape == cursor_) return;
  cursor_ = shape;
  XDefineCursor(x_.display(), xid(), x_.CursorFor(shape));
  XFlush(x_.display());
}

void LinuxWindow::SetCapture() {
  EnsureMapped();
  LinuxWindow* previous = host_.GrabbingWindow();
  host_.SetGrabbingWindow(this);
  XGrabPointer(x_.display(), xid(), False,
               ButtonPressMask | ButtonReleaseMask | PointerMotionMask, GrabModeAsync,
               GrabModeAsync, None, None, CurrentTime);
  XFlush(x_.display());
  if (previous != nullptr && previous != this) previous->CaptureTaken();
}

void LinuxWindow::ReleaseCapture() {
  if (host_.GrabbingWindow() != this) return;
  host_.SetGrabbingWindow(nullptr);
  XUngrabPointer(x_.display(), CurrentTime);
  XFlush(x_.display());
  // As on Windows, the window hears of it also when it let go itself.
  CaptureTaken();
}

void LinuxWindow::CaptureTaken() {
  if (handler_ != nullptr) handler_->WindowCaptureLost();
}

void LinuxWindow::SetTitle(std::string_view title) {
  caption_ = std::string(title);
  ShowName();
}

// A window without a frame shows its name only in the taskbar, which on Windows shows the
// application's title: so does this one. A window with a frame shows its own text there.
void LinuxWindow::ShowName() {
  const std::string& application = host_.ApplicationTitle();
  SetTitleProperties(x_, xid(), borderless_ && !application.empty() ? application : caption_);
}

void LinuxWindow::SetIcon(const IconImage& icon) { SetIconProperty(x_, xid(), icon); }

void LinuxWindow::SetAccessibleTree(AccessibleTree* tree) {
  host_.accessible().SetTree(served(), tree);
}

void LinuxWindow::AccessibleChanged(AccessibleId id, AccessibleChange change) {
  host_.accessible().Changed(served(), id, change);
}

// ---- events ---------------------------------------------------------------------------

void LinuxWindow::HandleEvent(const XEvent& event) {
  switch (event.type) {
    case Expose: {
      // The server has painted the background, the map's pixels.
      const XExposeEvent& e = event.xexpose;
      buffer_.Exposed(Rect{e.x, e.y, e.x + e.width, e.y + e.height});
      break;
    }
    case EnterNotify:
    case LeaveNotify: OnCrossing(event.xcrossing); break;
    case ConfigureNotify:
    case ReparentNotify: origin_.reset(); break;
    case ButtonPress: OnButton(event.xbutton, true); break;
    case ButtonRelease: OnButton(event.xbutton, false); break;
    case MotionNotify: OnMotion(event.xmotion); break;
    case MapNotify: OnMapped(); break;
    case UnmapNotify:
      view_ = buffer_.IsMapped() ? ServerView::kIconified : ServerView::kUnviewable;
      // An unviewable window's grab ends on the server, and the pointer is off it.
      origin_.reset();
      if (host_.GrabbingWindow() == this) ReleaseCapture();
      handler_->WindowPointerLeft();
      break;
    case KeyPress:
    case KeyRelease: OnKey(event.xkey); break;
    case FocusIn:
    case FocusOut: OnFocus(event.xfocus); break;
    case ClientMessage: OnClientMessage(event.xclient); break;
    default: break;
  }
}

void LinuxWindow::OnButton(const XButtonEvent& e, bool press) {
  OriginSeen(e.x, e.y, e.x_root, e.y_root);
  const std::optional<MouseButton> button = ButtonFromX(e.button);
  if (!enabled_ || !button) return;
  MouseEvent m;
  m.button = *button;
  m.pos = Point{e.x, e.y};
  // X reports the state before the event; Windows' includes the button going down, not the
  // one coming up.
  m.shift = ShiftFromXState(e.state) & ~ButtonFlag(*button);
  if (press) {
    m.shift |= ButtonFlag(*button);
    if (host_.clicks().Press(xid(), *button, static_cast<std::uint32_t>(e.time), m.pos)) {
      m.shift |= kDoubleClick;
    }
    handler_->WindowMouseDown(m);
  } else {
    handler_->WindowMouseUp(m);
  }
}

void LinuxWindow::OnMotion(const XMotionEvent& e) {
  OriginSeen(e.x, e.y, e.x_root, e.y_root);
  if (!enabled_) return;
  handler_->WindowMouseMove(ShiftFromXState(e.state), Point{e.x, e.y});
}

// Keys come to the window with the focus; an enabled one passes on those it knows a Windows code
// for, then the character the key typed, if it still is (the key may have closed it, or shown a
// box that disabled it).
void LinuxWindow::OnKey(const XKeyEvent& e) {
  if (e.type == KeyRelease) {
    held_.Release(e.keycode);
    return;
  }
  const bool repeat = held_.Press(e.keycode);
  if (!enabled_) return;
  const auto keycode = static_cast<::KeyCode>(e.keycode);
  KeySym effective = NoSymbol;
  unsigned consumed = 0;
  XkbLookupKeySym(x_.display(), keycode, e.state, &consumed, &effective);
  std::optional<KeyEvent> key =
      KeyFromX(XkbKeycodeToKeysym(x_.display(), keycode, 0, 0), effective, e.state);
  const std::optional<char> typed = TypedChar(e);
  const WeakRef<LinuxWindow> self(this, life_);
  if (key) {
    key->repeat = repeat;
    handler_->WindowKeyDown(*key);
  }
  if (typed && self.Alive() && enabled_) handler_->WindowChar(*typed);
}

// Only what moves the focus from one window to another counts: not the pointer's window while
// the root has the focus (NotifyPointer and the like), not a move within the window, not a
// keyboard grab's start or end (the keys come back when it ends). Screen readers hear of the
// window's activation, one of its states on Linux, after the framework has heard of the focus.
void LinuxWindow::OnFocus(const XFocusChangeEvent& e) {
  if (e.mode == NotifyGrab || e.mode == NotifyUngrab) return;
  if (e.detail != NotifyAncestor && e.detail != NotifyVirtual && e.detail != NotifyNonlinear &&
      e.detail != NotifyNonlinearVirtual) {
    return;
  }
  const bool focused = e.type == FocusIn;
  if (focused == focused_) return;
  focused_ = focused;
  held_.Forget();
  handler_->WindowFocusChanged(focused);
  AccessibleChanged(kAccessibleWindow, AccessibleChange::kState);
}

void LinuxWindow::OnMapped() {
  view_ = ServerView::kViewable;
  if (std::exchange(focus_when_mapped_, false)) SetFocus();
  handler_->WindowRestored();  // last: the handler may destroy this window
}

// Entering is a move, as it is on Windows; leaving tells the handler. The crossings a grab's
// start brings say nothing of where the pointer is (it has not moved; only who hears of it
// changed): the grabbing window reports every move from then on, and the end of the grab brings
// crossings of its own.
void LinuxWindow::OnCrossing(const XCrossingEvent& e) {
  if (e.mode == NotifyGrab) return;
  OriginSeen(e.x, e.y, e.x_root, e.y_root);
  if (e.type == LeaveNotify) {
    handler_->WindowPointerLeft();
  } else if (enabled_) {
    handler_->WindowMouseMove(ShiftFromXState(e.state), Point{e.x, e.y});
  }
}

void LinuxWindow::OnClientMessage(const XClientMessageEvent& e) {
  if (e.message_type != x_.atoms().wm_protocols || e.format != 32) return;
  if (static_cast<Atom>(e.data.l[0]) == x_.atoms().wm_delete_window && enabled_) {
    handler_->WindowCloseRequest();
  }
}

}  // namespace pf::linux_x
