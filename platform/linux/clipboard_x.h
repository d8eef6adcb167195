#pragma once
// The system clipboard on X: the CLIPBOARD selection, served while we own it and asked of its
// owner otherwise (ICCCM). Served as UTF8_STRING, STRING (Latin-1) and TEXT, a large text in
// pieces (INCR); asked for UTF8_STRING first, then STRING, waiting for the owner about a second
// at each step without dispatching the program's other events, which stay queued. Our own
// selection is answered from memory. Its atoms are interned at its first use: a program that
// never copies or pastes pays nothing for it.
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "platform/linux/x_connection.h"

namespace pf::linux_x {

class XClipboard {
 public:
  // `window` owns the selection and receives what is asked: a window of ours whose events are
  // the clipboard's alone (it selects them), that outlives the clipboard.
  XClipboard(XConnection& x, ::Window window) : x_(x), window_(window) {}

  // Owns the selection with `text` (Windows-1252), from the server time `time` on (the event
  // that asked for it; CurrentTime where none is known). False when the server gave it to none.
  bool Set(std::string_view text, Time time);
  // The selection's text in Windows-1252, lines ending "\n"; nullopt for none.
  std::optional<std::string> Get(Time time);
  // Takes the events that belong to it (requests for the selection, its loss, the progress of
  // a piece-by-piece transfer); false for any other.
  bool HandleEvent(const XEvent& event);

 private:
  struct ClipAtoms {
    Atom clipboard = None, targets = None, text = None, incr = None, timestamp = None, utf8 = None,
         property = None;
  };
  // A text going out piece by piece: the next piece is written when the requestor has deleted
  // the last one.
  struct Outgoing {
    ::Window requestor;
    Atom property;
    Atom type;
    std::string bytes;
    std::size_t sent = 0;
    bool done = false;  // the closing empty piece is written
    std::chrono::steady_clock::time_point last;
  };
  struct Received {
    Atom type = None;
    std::string bytes;
  };
  using Deadline = std::chrono::steady_clock::time_point;

  void Prepare();
  void Answer(const XSelectionRequestEvent& request);
  bool Write(::Window requestor, Atom property, Atom target);
  std::optional<std::pair<Atom, std::string>> Encoded(Atom target) const;
  // Whether the event was the progress of one of our transfers.
  bool Continue(const XPropertyEvent& event);
  void Finish(std::vector<Outgoing>::iterator transfer);
  void DropStale();
  // One target asked of the owner: `answered` is false when it said nothing in time.
  std::optional<std::string> Ask(Atom target, Time time, bool& answered);
  std::optional<Received> ReadIncrementally();
  // Reads and deletes our property; nullopt when it is not there.
  std::optional<Received> Take();
  std::size_t PieceSize() const;
  void HeardClear();

  XConnection& x_;
  ::Window window_;
  std::optional<ClipAtoms> atoms_;
  bool owned_ = false;
  Time owned_since_ = CurrentTime;
  std::string text_;
  std::vector<Outgoing> outgoing_;
};

}  // namespace pf::linux_x
