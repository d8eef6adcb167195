#pragma once
// What a window tells screen readers: an accessible object for the window itself and one for each
// part of it that asks to be seen (the framework's windowless controls), each with a role, a
// name, its bounds on the screen, its states and at most one default action. The framework
// describes; each platform serves the description to its screen readers (MSAA on Windows, AT-SPI
// on Linux, a record on the headless platform) and tells them when something changed.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/geometry.h"

namespace pf {

enum class AccessibleRole : std::uint8_t {
  kWindow,        // the window itself
  kPushButton,    // a part that does one thing when pressed
  kEditableText,  // a field of one line of text the user edits: its value is the text
};

// State bits of an accessible object.
enum AccessibleState : unsigned {
  kAccessibleUnavailable = 1u << 0,  // it takes no input now: it, or its window, is disabled
  kAccessibleHot = 1u << 1,          // it shows its pointer-over look
  kAccessibleInvisible = 1u << 2,    // it is hidden
  kAccessibleFocusable = 1u << 3,    // it can be the window's current part, which keys act on
  kAccessibleFocused = 1u << 4,      // it is, and the window has the keyboard focus
};

struct AccessibleObject {
  AccessibleRole role = AccessibleRole::kWindow;
  std::string name;            // in Windows-1252, like every text of the program
  Rect bounds;                 // screen coordinates
  unsigned states = 0;         // AccessibleState bits
  std::string default_action;  // what its action is called ("press"); empty: it has none
  std::string value;           // an editable text's text, in Windows-1252; else empty
  int caret = 0;               // an editable text's caret: the characters before it
};

// An accessible object's identity within its window. The window itself is kAccessibleWindow; a
// part's id is never given to another part, so one that is gone stays gone.
using AccessibleId = std::uint32_t;
inline constexpr AccessibleId kAccessibleWindow = 0;

// The description of one window, owned by the framework's form. Every call comes from the
// program's own thread, from the platform's loop.
class AccessibleTree {
 public:
  virtual ~AccessibleTree() = default;
  // The object now; nullopt for an id whose part is gone (or never was).
  virtual std::optional<AccessibleObject> Describe(AccessibleId id) const = 0;
  // The window's parts that ask to be seen, in the window's own order.
  virtual std::vector<AccessibleId> Children() const = 0;
  // The part under a screen point; the window itself where the point is on the window but on no
  // part; nullopt off the window.
  virtual std::optional<AccessibleId> ObjectAt(Point screen) const = 0;
  // Whether the default action would run now: the part has one and it, and its window, take
  // input (as for a click of the mouse).
  virtual bool CanDoDefaultAction(AccessibleId id) const = 0;
  // Runs it exactly as a click would, when it still can. A platform calls this from its loop, not
  // from inside a screen reader's request: the action may pump messages for a while.
  virtual void DoDefaultAction(AccessibleId id) = 0;
  // The object with the keyboard focus: the window's current part while the window has the focus
  // (the window itself when it has no part to be current); nullopt while it has not.
  virtual std::optional<AccessibleId> Focus() const = 0;
  // Makes the part the window's current one, as a screen reader may ask (it runs nothing and may
  // be done inside the request); false when the part cannot be current now.
  virtual bool TakeFocus(AccessibleId id) = 0;
};

// What changed, for the events screen readers listen to.
enum class AccessibleChange : std::uint8_t {
  kState,      // its states (hot, unavailable, invisible)
  kName,
  kCreated,    // a part that asks to be seen joined the window
  kDestroyed,  // a part left: its id answers no more
  kFocus,      // it took the keyboard focus: it became the current part of a window that has the
               // focus, or its window got the focus (the window's own id when it has no part)
  kValue,      // its value (an editable text's text) changed
  kCaret,      // an editable text's caret moved, its text unchanged
};

}  // namespace pf
