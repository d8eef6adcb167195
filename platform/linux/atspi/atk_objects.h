#pragma once
// ATK's objects for the windows' accessible descriptions: GObject classes registered at run time
// whose every answer comes from a node of ours. Cut off from its node, an object is defunct: it
// answers with ATK's defunct state and nothing else, and never reaches the node again.
#include <atk/atk.h>

#include <optional>
#include <string>

#include "platform/geometry.h"

namespace pf::atspi {

// What one accessible object answers. Its owner keeps it for as long as the object is attached.
class AtkNode {
 public:
  virtual ~AtkNode() = default;
  // UTF-8, valid until the next call.
  virtual const char* Name() = 0;
  // Not a new reference; null at the top.
  virtual AtkObject* Parent() = 0;
  virtual int IndexInParent() = 0;
  virtual int ChildCount() { return 0; }
  // A new reference, or null.
  virtual AtkObject* RefChild(int /*index*/) { return nullptr; }
  virtual void AddStates(AtkStateSet* set) = 0;
  // Screen coordinates; nullopt when the part is gone.
  virtual std::optional<Rect> Bounds() { return std::nullopt; }
  // Where the window it is in, and its parent, begin on the screen.
  virtual Point WindowOrigin() { return Point{}; }
  virtual Point ParentOrigin() { return Point{}; }
  // The child under a screen point (a new reference), or null.
  virtual AtkObject* RefChildAt(Point /*screen*/) { return nullptr; }
  // Its one action's name, or null for none; valid until the next call.
  virtual const char* ActionName() { return nullptr; }
  // Whether the action was taken on: it runs later, from the platform's loop.
  virtual bool RequestAction() { return false; }
  // Makes it the keyboard's current object, as a screen reader may ask: whether it could.
  virtual bool GrabFocus() { return false; }
  // An editable text's text, in Windows-1252 (one byte a character), and its caret; empty where
  // there is none.
  virtual std::string Text() { return {}; }
  virtual int Caret() { return 0; }
};

enum class AtkKind {
  kApplication,  // the root
  kFrame,        // a window: a component and an ATK window
  kButton,       // a part: a component with an action
  kText,         // a part that is an editable text: a component with an action and a text
};

// A new object (the caller holds its one reference) answering from `node`, with ATK's `role`.
AtkObject* NewAtkObject(AtkKind kind, AtkRole role, AtkNode* node);
// From now on `object` is defunct.
void CutOff(AtkObject* object);

}  // namespace pf::atspi
