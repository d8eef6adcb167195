#pragma once
// What the application's accessible objects answer: the application (ATK's root), one frame for
// each window that has a description, one push button or entry for each of its parts. Every answer
// is read from the description when asked; the nodes remember only what the events need (the states
// last told, the order of the parts last seen). A node that goes cuts its object off, which stays
// defunct for whoever still holds it.
#include <atk/atk.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/accessibility.h"
#include "platform/linux/atspi/action_requests.h"
#include "platform/linux/atspi/atk_objects.h"
#include "platform/linux/atspi/atk_text.h"

namespace pf::atspi {

class ApplicationNode;
class FrameNode;

// An object described by a window's tree: the window itself, or one of its parts.
class DescribedNode : public AtkNode {
 public:
  DescribedNode(FrameNode& frame, AccessibleId id, AtkKind kind, AtkRole role);
  ~DescribedNode() override;
  DescribedNode(const DescribedNode&) = delete;
  DescribedNode& operator=(const DescribedNode&) = delete;

  AtkObject* object() const { return object_; }
  // Tells of the states that changed since they were last told.
  virtual void NotifyStates() { TellStates(); }
  void NotifyName();
  // Cuts the object off and tells that it is defunct.
  void Detach();

  const char* Name() override;
  void AddStates(AtkStateSet* set) override;
  std::optional<Rect> Bounds() override;
  bool GrabFocus() override;

 protected:
  std::optional<AccessibleObject> Describe() const;
  // ATK's states now, as bits 1 << AtkStateType.
  virtual std::uint64_t States() const;
  // Takes the states now as told (once the description can be read).
  void Remember() { told_ = States(); }
  // Tells of the states that changed since they were last told: those bits.
  std::uint64_t TellStates();
  std::uint64_t Told() const { return told_; }

  FrameNode& frame_;
  const AccessibleId id_;

 private:
  AtkObject* object_;
  std::string name_;
  std::uint64_t told_ = 0;
};

class PartNode : public DescribedNode {
 public:
  PartNode(FrameNode& frame, AccessibleId id);

  // An editable text's text or caret changed: tells how.
  void NotifyText();

  AtkObject* Parent() override;
  int IndexInParent() override;
  Point WindowOrigin() override;
  Point ParentOrigin() override;
  const char* ActionName() override;
  bool RequestAction() override;
  std::string Text() override;
  int Caret() override;

 private:
  std::string action_;
  TextTold text_told_;
};

class FrameNode : public DescribedNode {
 public:
  FrameNode(ApplicationNode& application, ServedWindow window, AccessibleTree& tree);
  ~FrameNode() override;

  ServedWindow window() const { return window_; }
  AccessibleTree& tree() const { return tree_; }
  ApplicationNode& application() const { return application_; }
  // Whether the window itself is shown (its parts show only then).
  bool Shown() const;
  void Changed(AccessibleId id, AccessibleChange change);
  // Its states, and its activation with them.
  void NotifyStates() override;
  // The window's object and every part's go defunct.
  void DetachAll();
  // The part's place among the window's parts now; -1 when it is not one.
  int IndexOf(AccessibleId id);

  AtkObject* Parent() override;
  int IndexInParent() override;
  int ChildCount() override;
  AtkObject* RefChild(int index) override;
  Point WindowOrigin() override;
  AtkObject* RefChildAt(Point screen) override;

 protected:
  // Active while the window has the keyboard focus.
  std::uint64_t States() const override;

 private:
  // The parts now, remembered for the place of one that leaves.
  const std::vector<AccessibleId>& Children();
  PartNode& PartFor(AccessibleId id);
  PartNode* Find(AccessibleId id) const;
  void PartCreated(AccessibleId id);
  void PartDestroyed(AccessibleId id);
  void FocusTaken(AccessibleId id);

  ApplicationNode& application_;
  ServedWindow window_;
  AccessibleTree& tree_;
  std::vector<AccessibleId> seen_;
  std::map<AccessibleId, std::unique_ptr<PartNode>> parts_;
};

class ApplicationNode : public AtkNode {
 public:
  ApplicationNode(std::string title, ActionRequests& requests);
  ~ApplicationNode() override;
  ApplicationNode(const ApplicationNode&) = delete;
  ApplicationNode& operator=(const ApplicationNode&) = delete;

  AtkObject* object() const { return object_; }
  ActionRequests& requests() const { return requests_; }
  void Serve(ServedWindow window, AccessibleTree& tree);
  void Withdraw(ServedWindow window);
  void Changed(ServedWindow window, AccessibleId id, AccessibleChange change);
  void SetTitle(std::string title);
  int IndexOf(const FrameNode& frame) const;

  const char* Name() override { return title_.c_str(); }
  AtkObject* Parent() override { return nullptr; }
  int IndexInParent() override { return -1; }
  int ChildCount() override { return static_cast<int>(frames_.size()); }
  AtkObject* RefChild(int index) override;
  void AddStates(AtkStateSet*) override {}

 private:
  FrameNode* Find(ServedWindow window) const;

  std::string title_;  // UTF-8
  ActionRequests& requests_;
  AtkObject* object_;
  std::vector<std::unique_ptr<FrameNode>> frames_;
};

}  // namespace pf::atspi
