#include "platform/linux/clipboard_x.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <utility>

#include "platform/shared/cp1252.h"

namespace pf::linux_x {
namespace {

using Clock = std::chrono::steady_clock;

// How long the owner of the selection may take to answer each step, and how long a requestor
// may leave a piece of ours unread before the transfer is given up.
constexpr auto kOwnerWait = std::chrono::milliseconds(1000);
constexpr auto kStaleTransfer = std::chrono::seconds(10);
// Pieces of at most this size: what every server takes in one request without BIG-REQUESTS.
constexpr std::size_t kLargestPiece = 256 * 1024;

bool IsLatin1(std::string_view cp1252) {
  return text::Cp1252FromLatin1(text::Latin1FromCp1252(cp1252)) == cp1252;
}

// Waits for an event `matches` accepts until the deadline, leaving every other one queued for
// the loop.
template <typename Matches>
bool WaitFor(const XConnection& x, XEvent& out, const Matches& matches, Clock::time_point until) {
  const auto predicate = [](Display*, XEvent* e, XPointer arg) -> Bool {
    return (*reinterpret_cast<const Matches*>(arg))(*e) ? True : False;
  };
  const auto arg = reinterpret_cast<XPointer>(const_cast<Matches*>(&matches));
  for (;;) {
    // Flushes what we asked and reads what has come.
    if (XCheckIfEvent(x.display(), &out, predicate, arg)) return true;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now());
    if (left.count() <= 0) return false;
    pollfd fd{x.fd(), POLLIN, 0};
    while (poll(&fd, 1, static_cast<int>(left.count())) < 0 && errno == EINTR) {
    }
  }
}

}  // namespace

void XClipboard::Prepare() {
  if (atoms_) return;
  const char* names[] = {"CLIPBOARD", "TARGETS", "TEXT", "INCR", "TIMESTAMP", "_QF_SELECTION"};
  Atom values[std::size(names)];
  XInternAtoms(x_.display(), const_cast<char**>(names), static_cast<int>(std::size(names)), False,
               values);
  atoms_ = ClipAtoms{values[0], values[1], values[2], values[3], values[4], x_.atoms().utf8_string,
                     values[5]};
  // The pieces of a large text come as new values of our property.
  XSelectInput(x_.display(), window_, PropertyChangeMask);
}

bool XClipboard::Set(std::string_view text, Time time) {
  Prepare();
  text_ = std::string(text);
  XSetSelectionOwner(x_.display(), atoms_->clipboard, window_, time);
  owned_ = XGetSelectionOwner(x_.display(), atoms_->clipboard) == window_;
  owned_since_ = time;
  if (!owned_) text_.clear();
  return owned_;
}

// ---- serving ------------------------------------------------------------------------------

bool XClipboard::HandleEvent(const XEvent& event) {
  if (!atoms_) return false;  // nothing of ours asked or served yet
  switch (event.type) {
    case SelectionRequest:
      if (event.xselectionrequest.owner != window_) return false;
      Answer(event.xselectionrequest);
      return true;
    case SelectionClear:
      if (event.xselectionclear.window != window_) return false;
      if (event.xselectionclear.selection == atoms_->clipboard) HeardClear();
      return true;
    case PropertyNotify:
      // Our own property's, outside a Get: what is left of an answer that came too late.
      if (event.xproperty.window == window_) return event.xproperty.atom == atoms_->property;
      return Continue(event.xproperty);
    case DestroyNotify:
      std::erase_if(outgoing_,
                    [&](const Outgoing& o) { return o.requestor == event.xdestroywindow.window; });
      return false;
    default: return false;
  }
}

void XClipboard::HeardClear() {
  owned_ = false;
  text_.clear();
}

// ICCCM: a request before we owned the selection is refused; a client that names no property
// (an obsolete one) gets the answer in the property named as the target.
void XClipboard::Answer(const XSelectionRequestEvent& request) {
  XSelectionEvent reply{};
  reply.type = SelectionNotify;
  reply.requestor = request.requestor;
  reply.selection = request.selection;
  reply.target = request.target;
  reply.time = request.time;
  reply.property = None;
  const Atom property = request.property != None ? request.property : request.target;
  const bool in_time =
      request.time == CurrentTime || owned_since_ == CurrentTime || request.time >= owned_since_;
  if (owned_ && request.selection == atoms_->clipboard && in_time &&
      Write(request.requestor, property, request.target)) {
    reply.property = property;
  }
  XEvent event{};
  event.xselection = reply;
  XSendEvent(x_.display(), request.requestor, False, NoEventMask, &event);
  XFlush(x_.display());
}

bool XClipboard::Write(::Window requestor, Atom property, Atom target) {
  Display* d = x_.display();
  if (target == atoms_->targets) {
    const Atom targets[] = {atoms_->targets, atoms_->timestamp, atoms_->utf8, XA_STRING,
                            atoms_->text};
    XChangeProperty(d, requestor, property, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(targets),
                    static_cast<int>(std::size(targets)));
    return true;
  }
  if (target == atoms_->timestamp) {
    const long time = static_cast<long>(owned_since_);
    XChangeProperty(d, requestor, property, XA_INTEGER, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&time), 1);
    return true;
  }
  std::optional<std::pair<Atom, std::string>> encoded = Encoded(target);
  if (!encoded) return false;
  auto& [type, bytes] = *encoded;
  if (bytes.size() <= PieceSize()) {
    XChangeProperty(d, requestor, property, type, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(bytes.data()),
                    static_cast<int>(bytes.size()));
    return true;
  }
  // Too large for one request: the size first, as INCR; the pieces as the requestor reads them.
  DropStale();
  XSelectInput(d, requestor, PropertyChangeMask | StructureNotifyMask);
  const long size = static_cast<long>(bytes.size());
  XChangeProperty(d, requestor, property, atoms_->incr, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&size), 1);
  outgoing_.push_back(
      Outgoing{requestor, property, type, std::move(bytes), 0, false, Clock::now()});
  return true;
}

std::optional<std::pair<Atom, std::string>> XClipboard::Encoded(Atom target) const {
  const bool as_string = target == XA_STRING || (target == atoms_->text && IsLatin1(text_));
  if (as_string) return std::pair{XA_STRING, text::Latin1FromCp1252(text_)};
  if (target == atoms_->utf8 || target == atoms_->text) {
    return std::pair{atoms_->utf8, text::Utf8FromCp1252(text_)};
  }
  return std::nullopt;
}

// The requestor deleted the last piece: the next one, then an empty one to end.
bool XClipboard::Continue(const XPropertyEvent& event) {
  const auto it = std::find_if(outgoing_.begin(), outgoing_.end(), [&](const Outgoing& o) {
    return o.requestor == event.window && o.property == event.atom;
  });
  if (it == outgoing_.end()) return false;
  if (event.state != PropertyDelete) return true;  // our own writing, told back
  if (it->done) {
    Finish(it);
    return true;
  }
  const std::size_t piece = std::min(PieceSize(), it->bytes.size() - it->sent);
  XChangeProperty(x_.display(), it->requestor, it->property, it->type, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(it->bytes.data() + it->sent),
                  static_cast<int>(piece));
  XFlush(x_.display());
  it->sent += piece;
  it->done = piece == 0;
  it->last = Clock::now();
  return true;
}

// We stop listening to the requestor's window once no transfer to it is left.
void XClipboard::Finish(std::vector<Outgoing>::iterator transfer) {
  const ::Window requestor = transfer->requestor;
  outgoing_.erase(transfer);
  const bool more = std::any_of(outgoing_.begin(), outgoing_.end(),
                                [&](const Outgoing& o) { return o.requestor == requestor; });
  if (!more) XSelectInput(x_.display(), requestor, NoEventMask);
}

// A requestor that stopped reading (gone without our hearing, or stuck) holds nothing for long.
void XClipboard::DropStale() {
  const Clock::time_point now = Clock::now();
  std::erase_if(outgoing_, [&](const Outgoing& o) { return now - o.last > kStaleTransfer; });
}

std::size_t XClipboard::PieceSize() const {
  const std::size_t largest = static_cast<std::size_t>(XMaxRequestSize(x_.display())) * 4 - 100;
  return std::min(largest, kLargestPiece);
}

// ---- asking -------------------------------------------------------------------------------

// UTF-8 first, which every character of ours survives; then Latin-1, which older owners give.
std::optional<std::string> XClipboard::Get(Time time) {
  Prepare();
  // A loss already on its way is heard first; then our own text needs no owner to answer.
  XEvent cleared;
  while (XCheckTypedWindowEvent(x_.display(), window_, SelectionClear, &cleared)) {
    HandleEvent(cleared);
  }
  if (owned_) return text_;
  for (const Atom target : {atoms_->utf8, Atom{XA_STRING}}) {
    bool answered = false;
    std::optional<std::string> text = Ask(target, time, answered);
    if (text) return text::LinesEndingLf(*text);
    if (!answered) break;  // an owner that says nothing is not asked again
  }
  return std::nullopt;
}

std::optional<std::string> XClipboard::Ask(Atom target, Time time, bool& answered) {
  XConvertSelection(x_.display(), atoms_->clipboard, target, atoms_->property, window_, time);
  // An answer that came too late for an earlier request (another paste's time) is not this one.
  const auto is_answer = [&](const XEvent& e) {
    return e.type == SelectionNotify && e.xselection.requestor == window_ &&
           e.xselection.selection == atoms_->clipboard && e.xselection.target == target &&
           e.xselection.time == time;
  };
  XEvent notify;
  answered = WaitFor(x_, notify, is_answer, Clock::now() + kOwnerWait);
  if (!answered || notify.xselection.property == None) return std::nullopt;
  std::optional<Received> got = Take();
  if (got && got->type == atoms_->incr) got = ReadIncrementally();
  if (!got) return std::nullopt;
  if (got->type == XA_STRING) return text::Cp1252FromLatin1(got->bytes);
  return text::Cp1252FromUtf8(got->bytes);
}

// Each new value of the property is the next piece, an empty one the end. A notice may come for a
// piece already read (it was there when an earlier notice was answered): the property is gone
// then, and the notice says nothing. The owner has a second for each piece.
std::optional<XClipboard::Received> XClipboard::ReadIncrementally() {
  const auto is_piece = [&](const XEvent& e) {
    return e.type == PropertyNotify && e.xproperty.window == window_ &&
           e.xproperty.atom == atoms_->property && e.xproperty.state == PropertyNewValue;
  };
  Received whole;
  for (;;) {
    XEvent notice;
    if (!WaitFor(x_, notice, is_piece, Clock::now() + kOwnerWait)) return std::nullopt;
    std::optional<Received> piece = Take();
    if (!piece) continue;
    if (piece->bytes.empty()) return whole;
    whole.type = piece->type;
    whole.bytes += piece->bytes;
  }
}

std::optional<XClipboard::Received> XClipboard::Take() {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  XGetWindowProperty(x_.display(), window_, atoms_->property, 0, 0x1FFFFFFF, True, AnyPropertyType,
                     &type, &format, &count, &after, &data);
  const std::unique_ptr<unsigned char, XFreeDeleter> owned(data);
  if (type == None) return std::nullopt;
  Received got;
  got.type = type;
  if (format == 8 && data != nullptr) got.bytes.assign(reinterpret_cast<const char*>(data), count);
  return got;
}

}  // namespace pf::linux_x
