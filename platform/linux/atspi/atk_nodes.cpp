#include "platform/linux/atspi/atk_nodes.h"

#include <algorithm>
#include <utility>

#include "platform/linux/atspi/atk_libs.h"
#include "platform/shared/cp1252.h"

namespace pf::atspi {
namespace {

constexpr std::uint64_t Bit(AtkStateType state) { return std::uint64_t{1} << state; }

// The description's states as ATK has them. ATK has no state for the pointer-over look: the one
// meant for "the currently active item of its container that is neither focusable nor
// selectable" is the nearest (ARMED, the other candidate, is deprecated and means pressed). A
// frame is active while its window has the focus, which its description does not say.
std::uint64_t AtkStates(const std::optional<AccessibleObject>& d, bool window_shown) {
  if (!d) return Bit(ATK_STATE_DEFUNCT);
  std::uint64_t states = 0;
  if ((d->states & kAccessibleUnavailable) == 0) {
    states |= Bit(ATK_STATE_ENABLED) | Bit(ATK_STATE_SENSITIVE);
  }
  if ((d->states & kAccessibleInvisible) == 0) {
    states |= Bit(ATK_STATE_VISIBLE);
    if (window_shown) states |= Bit(ATK_STATE_SHOWING);
  }
  if ((d->states & kAccessibleHot) != 0) states |= Bit(ATK_STATE_ACTIVE);
  if ((d->states & kAccessibleFocusable) != 0) states |= Bit(ATK_STATE_FOCUSABLE);
  if ((d->states & kAccessibleFocused) != 0) states |= Bit(ATK_STATE_FOCUSED);
  return states;
}

AtkRole RoleOf(AccessibleRole role) {
  switch (role) {
    case AccessibleRole::kWindow: return ATK_ROLE_FRAME;
    case AccessibleRole::kEditableText: return ATK_ROLE_ENTRY;
    case AccessibleRole::kPushButton: break;
  }
  return ATK_ROLE_PUSH_BUTTON;
}

// A part's role, as it is when its object is made.
AccessibleRole PartRole(const FrameNode& frame, AccessibleId id) {
  const std::optional<AccessibleObject> d = frame.tree().Describe(id);
  return d ? d->role : AccessibleRole::kPushButton;
}

AtkKind KindOf(AccessibleRole role) {
  return role == AccessibleRole::kEditableText ? AtkKind::kText : AtkKind::kButton;
}

void EmitChildrenChanged(AtkObject* parent, const char* change, int index, AtkObject* child) {
  Atk().g_signal_emit_by_name(parent, change, static_cast<guint>(std::max(index, 0)),
                              static_cast<gpointer>(child));
}

AtkObject* Ref(AtkObject* object) {
  return static_cast<AtkObject*>((Atk().g_object_ref)(object));
}

}  // namespace

// ---- DescribedNode ------------------------------------------------------------------------

DescribedNode::DescribedNode(FrameNode& frame, AccessibleId id, AtkKind kind, AtkRole role)
    : frame_(frame), id_(id), object_(NewAtkObject(kind, role, this)) {}

DescribedNode::~DescribedNode() {
  CutOff(object_);
  Atk().g_object_unref(object_);
}

std::optional<AccessibleObject> DescribedNode::Describe() const {
  return frame_.tree().Describe(id_);
}

std::uint64_t DescribedNode::States() const {
  const bool window_shown = id_ == kAccessibleWindow || frame_.Shown();
  return AtkStates(Describe(), window_shown);
}

std::uint64_t DescribedNode::TellStates() {
  const std::uint64_t now = States();
  const std::uint64_t changed = now ^ told_;
  told_ = now;
  for (int s = 0; s < ATK_STATE_LAST_DEFINED; ++s) {
    const auto state = static_cast<AtkStateType>(s);
    if ((changed & Bit(state)) != 0) {
      Atk().atk_object_notify_state_change(object_, state, (now & Bit(state)) != 0);
    }
  }
  return changed;
}

// ATK's objects hear of a property through GObject's notification, and ask the name anew.
void DescribedNode::NotifyName() {
  Atk().g_object_notify(reinterpret_cast<GObject*>(object_), "accessible-name");
}

void DescribedNode::Detach() {
  CutOff(object_);
  Atk().atk_object_notify_state_change(object_, ATK_STATE_DEFUNCT, TRUE);
}

const char* DescribedNode::Name() {
  const std::optional<AccessibleObject> d = Describe();
  name_ = d ? text::Utf8FromCp1252(d->name) : std::string();
  return name_.c_str();
}

void DescribedNode::AddStates(AtkStateSet* set) {
  const std::uint64_t states = States();
  for (int s = 0; s < ATK_STATE_LAST_DEFINED; ++s) {
    const auto state = static_cast<AtkStateType>(s);
    if ((states & Bit(state)) != 0) Atk().atk_state_set_add_state(set, state);
  }
}

std::optional<Rect> DescribedNode::Bounds() {
  const std::optional<AccessibleObject> d = Describe();
  return d ? std::optional<Rect>(d->bounds) : std::nullopt;
}

// The window tells of the focus it moves, as it would for a key.
bool DescribedNode::GrabFocus() { return frame_.tree().TakeFocus(id_); }

// ---- PartNode -----------------------------------------------------------------------------

PartNode::PartNode(FrameNode& frame, AccessibleId id)
    : DescribedNode(frame, id, KindOf(PartRole(frame, id)), RoleOf(PartRole(frame, id))) {
  Remember();
  text_told_.Remember(Text(), Caret());
}

std::string PartNode::Text() {
  const std::optional<AccessibleObject> d = Describe();
  return d ? d->value : std::string();
}

int PartNode::Caret() {
  const std::optional<AccessibleObject> d = Describe();
  return d ? d->caret : 0;
}

// Only an entry has the text's signals: its role was fixed when it was made.
void PartNode::NotifyText() {
  const std::optional<AccessibleObject> d = Describe();
  if (d && object()->role == ATK_ROLE_ENTRY) text_told_.Tell(object(), d->value, d->caret);
}

AtkObject* PartNode::Parent() { return frame_.object(); }

int PartNode::IndexInParent() { return frame_.IndexOf(id_); }

Point PartNode::WindowOrigin() { return frame_.WindowOrigin(); }

Point PartNode::ParentOrigin() { return frame_.WindowOrigin(); }

const char* PartNode::ActionName() {
  const std::optional<AccessibleObject> d = Describe();
  if (!d || d->default_action.empty()) return nullptr;
  action_ = text::Utf8FromCp1252(d->default_action);
  return action_.c_str();
}

// Refused when it could not run now, as a click would do nothing; otherwise it runs from the
// platform's loop, after this request has been answered: it may pump messages for a while.
bool PartNode::RequestAction() {
  if (!frame_.tree().CanDoDefaultAction(id_)) return false;
  frame_.application().requests().Ask(frame_.window(), id_);
  return true;
}

// ---- FrameNode ----------------------------------------------------------------------------

FrameNode::FrameNode(ApplicationNode& application, ServedWindow window, AccessibleTree& tree)
    : DescribedNode(*this, kAccessibleWindow, AtkKind::kFrame, ATK_ROLE_FRAME),
      application_(application), window_(window), tree_(tree) {
  Remember();
  for (AccessibleId id : Children()) PartFor(id);
}

FrameNode::~FrameNode() { parts_.clear(); }

std::uint64_t FrameNode::States() const {
  const std::uint64_t states = DescribedNode::States();
  return tree_.Focus() ? states | Bit(ATK_STATE_ACTIVE) : states;
}

// The bridge says window:activate and window:deactivate from AtkWindow's signals. ATK's focus
// tracker tells of a focus only when it moves to another object: a window that loses the focus
// takes it from the tracker, so that the same part is heard again when the window gets it back.
void FrameNode::NotifyStates() {
  if ((TellStates() & Bit(ATK_STATE_ACTIVE)) == 0) return;
  const bool active = (Told() & Bit(ATK_STATE_ACTIVE)) != 0;
  Atk().g_signal_emit_by_name(object(), active ? "activate" : "deactivate");
  if (!active) Atk().atk_focus_tracker_notify(nullptr);
}

bool FrameNode::Shown() const {
  const std::optional<AccessibleObject> d = tree_.Describe(kAccessibleWindow);
  return d && (d->states & kAccessibleInvisible) == 0;
}

const std::vector<AccessibleId>& FrameNode::Children() {
  seen_ = tree_.Children();
  return seen_;
}

PartNode& FrameNode::PartFor(AccessibleId id) {
  std::unique_ptr<PartNode>& part = parts_[id];
  if (!part) part = std::make_unique<PartNode>(*this, id);
  return *part;
}

// Every part the window has is made when it joins: an id without one has nothing to tell.
PartNode* FrameNode::Find(AccessibleId id) const {
  const auto it = parts_.find(id);
  return it == parts_.end() ? nullptr : it->second.get();
}

int FrameNode::IndexOf(AccessibleId id) {
  const std::vector<AccessibleId>& children = Children();
  const auto it = std::find(children.begin(), children.end(), id);
  return it == children.end() ? -1 : static_cast<int>(it - children.begin());
}

void FrameNode::Changed(AccessibleId id, AccessibleChange change) {
  switch (change) {
    case AccessibleChange::kState:
      if (id != kAccessibleWindow) {
        if (PartNode* part = Find(id)) part->NotifyStates();
        return;
      }
      // The window's states reach its parts: shown, and available.
      NotifyStates();
      for (auto& [part_id, part] : parts_) part->NotifyStates();
      return;
    case AccessibleChange::kName:
      if (id == kAccessibleWindow) {
        NotifyName();
      } else if (PartNode* part = Find(id)) {
        part->NotifyName();
      }
      return;
    case AccessibleChange::kCreated: PartCreated(id); return;
    case AccessibleChange::kDestroyed: PartDestroyed(id); return;
    case AccessibleChange::kFocus: FocusTaken(id); return;
    case AccessibleChange::kValue:
    case AccessibleChange::kCaret:
      if (PartNode* part = Find(id)) part->NotifyText();
      return;
  }
}

// The window's activation first, then the parts' focused states, the one that lost it before the
// one that took it, then ATK's focus event, which the bridge says as "focus:". A part readers have
// not been told of yet has nothing to tell.
void FrameNode::FocusTaken(AccessibleId id) {
  NotifyStates();
  PartNode* taker = Find(id);
  if (id != kAccessibleWindow && taker == nullptr) return;
  for (auto& [part_id, part] : parts_) {
    if (part.get() != taker) part->NotifyStates();
  }
  if (taker != nullptr) taker->NotifyStates();
  Atk().atk_focus_tracker_notify(taker != nullptr ? taker->object() : object());
}

void FrameNode::PartCreated(AccessibleId id) {
  if (id == kAccessibleWindow || parts_.count(id) != 0) return;
  PartNode& part = PartFor(id);
  EmitChildrenChanged(object(), "children-changed::add", IndexOf(id), part.object());
}

// Its place is the one it had when the parts were last seen: it is no longer among them.
void FrameNode::PartDestroyed(AccessibleId id) {
  const auto seen = std::find(seen_.begin(), seen_.end(), id);
  const int index = seen == seen_.end() ? 0 : static_cast<int>(seen - seen_.begin());
  if (seen != seen_.end()) seen_.erase(seen);
  auto it = parts_.find(id);
  if (it == parts_.end()) return;
  const std::unique_ptr<PartNode> part = std::move(it->second);
  parts_.erase(it);
  part->Detach();
  EmitChildrenChanged(object(), "children-changed::remove", index, part->object());
}

void FrameNode::DetachAll() {
  for (auto& [id, part] : parts_) part->Detach();
  Detach();
}

AtkObject* FrameNode::Parent() { return application_.object(); }

int FrameNode::IndexInParent() { return application_.IndexOf(*this); }

int FrameNode::ChildCount() { return static_cast<int>(Children().size()); }

AtkObject* FrameNode::RefChild(int index) {
  const std::vector<AccessibleId>& children = Children();
  if (index < 0 || static_cast<std::size_t>(index) >= children.size()) return nullptr;
  return Ref(PartFor(children[static_cast<std::size_t>(index)]).object());
}

Point FrameNode::WindowOrigin() {
  const std::optional<Rect> bounds = Bounds();
  return bounds ? Point{bounds->left, bounds->top} : Point{};
}

// On the window but on none of its parts, ATK wants no child.
AtkObject* FrameNode::RefChildAt(Point screen) {
  const std::optional<AccessibleId> id = tree_.ObjectAt(screen);
  if (!id || *id == kAccessibleWindow) return nullptr;
  return Ref(PartFor(*id).object());
}

// ---- ApplicationNode -----------------------------------------------------------------------

ApplicationNode::ApplicationNode(std::string title, ActionRequests& requests)
    : title_(text::Utf8FromCp1252(title)), requests_(requests),
      object_(NewAtkObject(AtkKind::kApplication, ATK_ROLE_APPLICATION, this)) {}

ApplicationNode::~ApplicationNode() {
  frames_.clear();
  CutOff(object_);
  Atk().g_object_unref(object_);
}

FrameNode* ApplicationNode::Find(ServedWindow window) const {
  for (const auto& frame : frames_) {
    if (frame->window() == window) return frame.get();
  }
  return nullptr;
}

int ApplicationNode::IndexOf(const FrameNode& frame) const {
  for (std::size_t i = 0; i < frames_.size(); ++i) {
    if (frames_[i].get() == &frame) return static_cast<int>(i);
  }
  return -1;
}

void ApplicationNode::Serve(ServedWindow window, AccessibleTree& tree) {
  frames_.push_back(std::make_unique<FrameNode>(*this, window, tree));
  EmitChildrenChanged(object_, "children-changed::add", static_cast<int>(frames_.size()) - 1,
                      frames_.back()->object());
}

// The tree may already be on its way out: nothing here reads it any more.
void ApplicationNode::Withdraw(ServedWindow window) {
  FrameNode* frame = Find(window);
  if (frame == nullptr) return;
  const int index = IndexOf(*frame);
  const std::unique_ptr<FrameNode> gone = std::move(frames_[static_cast<std::size_t>(index)]);
  frames_.erase(frames_.begin() + index);
  gone->DetachAll();
  EmitChildrenChanged(object_, "children-changed::remove", index, gone->object());
}

void ApplicationNode::Changed(ServedWindow window, AccessibleId id, AccessibleChange change) {
  if (FrameNode* frame = Find(window)) frame->Changed(id, change);
}

void ApplicationNode::SetTitle(std::string title) {
  title_ = text::Utf8FromCp1252(title);
  Atk().g_object_notify(reinterpret_cast<GObject*>(object_), "accessible-name");
}

AtkObject* ApplicationNode::RefChild(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= frames_.size()) return nullptr;
  return Ref(frames_[static_cast<std::size_t>(index)]->object());
}

}  // namespace pf::atspi
