#include "platform/win32/accessible_win32.h"

#include <oleacc.h>

#include <atomic>
#include <string>
#include <vector>

#include "platform/win32/accessible_arguments.h"
#include "platform/win32/accessible_dispatch.h"
#include "platform/win32/callback_guard.h"
#include "platform/win32/com.h"
#include "platform/win32/seam_codes.h"
#include "platform/win32/system_dlls.h"

namespace pf::win32 {
namespace {

void SetChild(VARIANT* out, LONG child) {
  out->vt = VT_I4;
  out->lVal = child;
}

// A part's child id: its place among the window's parts, from 1.
std::optional<LONG> PlaceOf(const std::vector<AccessibleId>& ids, AccessibleId id) {
  for (std::size_t i = 0; i < ids.size(); ++i) {
    if (ids[i] == id) return static_cast<LONG>(i + 1);
  }
  return std::nullopt;
}

std::uint32_t NextSerial() {
  static std::uint32_t serial = 0;
  return ++serial;
}

}  // namespace

// The window's client object. Every call comes on the window's thread: from the screen reader's
// requests dispatched by the loop (across processes), or straight from a client in this thread.
class WindowAccessible final : public DispatchedAccessible {
 public:
  WindowAccessible(HWND hwnd, AccessibleTree* tree, std::uint32_t serial)
      : hwnd_(hwnd), tree_(tree), serial_(serial) {}

  // From now on every call answers CO_E_OBJNOTCONNECTED.
  void Disconnect() {
    hwnd_ = nullptr;
    tree_ = nullptr;
  }

  // The child id an event names: a part still in the window, else the place it had when it was
  // last seen there (a part that already left); nullopt for a part never seen.
  std::optional<LONG> ChildIdForEvent(AccessibleId id) {
    if (id == kAccessibleWindow) return CHILDID_SELF;
    const std::vector<AccessibleId> before = seen_;
    if (const std::optional<LONG> now = PlaceOf(Children(), id)) return now;
    return PlaceOf(before, id);
  }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (parent == nullptr) return E_POINTER;
    *parent = nullptr;
    if (tree_ == nullptr) return CO_E_OBJNOTCONNECTED;
    const auto create = Oleacc().create_std_accessible_object;
    if (create == nullptr) return E_FAIL;
    return create(hwnd_, OBJID_WINDOW, IID_IDispatch, reinterpret_cast<void**>(parent));
  }

  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return Serve([&] {
      *count = static_cast<LONG>(Children().size());
      return S_OK;
    });
  }

  // The parts are simple elements, with no object of their own.
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    Found found;
    if (const HRESULT result = Find(child, found); result != S_OK) return result;
    return found.id == kAccessibleWindow ? E_INVALIDARG : S_FALSE;
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    return Text(child, name, &AccessibleObject::name);
  }

  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return Text(child, action, &AccessibleObject::default_action);
  }

  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (role == nullptr) return E_POINTER;
    role->vt = VT_EMPTY;
    Found found;
    if (const HRESULT result = Find(child, found); result != S_OK) return result;
    SetChild(role, ToAccessibleRole(found.object.role));
    return S_OK;
  }

  // The window's object also tells whether the window has the keyboard focus; a part is focused
  // when the tree says it is the current one.
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (state == nullptr) return E_POINTER;
    state->vt = VT_EMPTY;
    Found found;
    if (const HRESULT result = Find(child, found); result != S_OK) return result;
    LONG states = ToAccessibleStates(found.object.states);
    if (found.id == kAccessibleWindow && !(states & STATE_SYSTEM_UNAVAILABLE)) {
      states |= STATE_SYSTEM_FOCUSABLE;
      if (::GetFocus() == hwnd_) states |= STATE_SYSTEM_FOCUSED;
    }
    SetChild(state, states);
    return S_OK;
  }

  // The tree's focus: the current part, or the window itself; nothing while the window has not
  // the keyboard focus.
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    if (focus == nullptr) return E_POINTER;
    focus->vt = VT_EMPTY;
    return Serve([&] {
      const std::optional<AccessibleId> id = tree_->Focus();
      if (!id) return S_FALSE;
      const std::optional<LONG> place =
          *id == kAccessibleWindow ? std::nullopt : PlaceOf(Children(), *id);
      SetChild(focus, place.value_or(CHILDID_SELF));
      return S_OK;
    });
  }

  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
      return E_POINTER;
    }
    *left = *top = *width = *height = 0;
    Found found;
    if (const HRESULT result = Find(child, found); result != S_OK) return result;
    const Rect& bounds = found.object.bounds;
    *left = bounds.left;
    *top = bounds.top;
    *width = bounds.Width();
    *height = bounds.Height();
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* out) override {
    if (out == nullptr) return E_POINTER;
    out->vt = VT_EMPTY;
    return Serve([&] {
      const std::optional<AccessibleId> id = tree_->ObjectAt(Point{x, y});
      if (!id) return S_FALSE;  // off the window
      const std::optional<LONG> place =
          *id == kAccessibleWindow ? std::nullopt : PlaceOf(Children(), *id);
      SetChild(out, place.value_or(CHILDID_SELF));
      return S_OK;
    });
  }

  // Between the parts, and from the window to its first and last part. The window's own
  // siblings are its parent's to tell; there is no spatial navigation.
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    if (end == nullptr) return E_POINTER;
    end->vt = VT_EMPTY;
    Found found;
    if (const HRESULT result = Find(start, found); result != S_OK) return result;
    const auto count = static_cast<LONG>(seen_.size());  // as Find saw them
    const bool from_window = found.id == kAccessibleWindow;
    const LONG place = from_window ? 0 : *ChildNumber(start);
    LONG to = 0;
    switch (direction) {
      case NAVDIR_FIRSTCHILD: to = from_window ? 1 : 0; break;
      case NAVDIR_LASTCHILD: to = from_window ? count : 0; break;
      case NAVDIR_NEXT: to = from_window ? 0 : place + 1; break;
      case NAVDIR_PREVIOUS: to = from_window ? 0 : place - 1; break;
      case NAVDIR_UP:
      case NAVDIR_DOWN:
      case NAVDIR_LEFT:
      case NAVDIR_RIGHT: return DISP_E_MEMBERNOTFOUND;
      default: return E_INVALIDARG;
    }
    if (to < 1 || to > count) return S_FALSE;  // nothing that way
    SetChild(end, to);
    return S_OK;
  }

  // Accepted or refused now; an accepted action runs from the window's loop, since it may pump
  // messages for a while and the client waits for this call to return.
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    Found found;
    if (const HRESULT result = Find(child, found); result != S_OK) return result;
    if (found.object.default_action.empty()) return DISP_E_MEMBERNOTFOUND;
    bool can = false;
    if (const HRESULT result = Serve([&] {
          can = tree_->CanDoDefaultAction(found.id);
          return S_OK;
        });
        result != S_OK) {
      return result;
    }
    if (!can) return E_FAIL;
    const auto id = static_cast<LPARAM>(found.id);
    return ::PostMessageA(hwnd_, kRunDefaultActionMessage, serial_, id) ? S_OK : E_FAIL;
  }

  // An editable text's value is its text, empty or not; nothing else has one.
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    Found found;
    if (const HRESULT result = Find(child, found); result != S_OK) return result;
    if (found.object.role != AccessibleRole::kEditableText) return DISP_E_MEMBERNOTFOUND;
    *out = BstrFrom1252(found.object.value);
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
  }

  // What the parts do not have.
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
    return Unsupported(child, out);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* out) override {
    return Unsupported(child, out);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
    return Unsupported(child, out);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    if (topic == nullptr) return E_POINTER;
    *topic = -1;
    return Unsupported(child, file);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
    if (out == nullptr) return E_POINTER;
    out->vt = VT_EMPTY;
    return tree_ == nullptr ? CO_E_OBJNOTCONNECTED : DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    Found found;
    if (const HRESULT result = Find(child, found); result != S_OK) return result;
    return Select(flags, found.id);
  }
  // Set by no one: MSAA has deprecated both.
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return Unimplemented(); }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return Unimplemented(); }

 private:
  struct Found {
    AccessibleId id = kAccessibleWindow;
    AccessibleObject object;
  };

  ~WindowAccessible() = default;  // through Release only

  // Runs `answer`, a call into the tree, once the object is known to be connected. An exception
  // from the tree is parked for the loop to throw again; the client hears E_UNEXPECTED.
  template <typename F>
  HRESULT Serve(F&& answer) {
    if (tree_ == nullptr) return CO_E_OBJNOTCONNECTED;
    HRESULT result = E_UNEXPECTED;
    Guarded([&] { result = answer(); });
    return result;
  }

  // The object that `child` names, described. A child id that names no part now is E_INVALIDARG:
  // the call's argument is wrong, while the object called is still connected.
  HRESULT Find(const VARIANT& child, Found& found) {
    return Serve([&]() -> HRESULT {
      const std::optional<AccessibleId> id = IdOf(child);
      if (!id) return E_INVALIDARG;
      std::optional<AccessibleObject> object = tree_->Describe(*id);
      if (!object) return E_INVALIDARG;
      found.id = *id;
      found.object = std::move(*object);
      return S_OK;
    });
  }

  // The parts are read for the window's own id too: accNavigate counts them.
  std::optional<AccessibleId> IdOf(const VARIANT& child) {
    const std::optional<LONG> number = ChildNumber(child);
    if (!number) return std::nullopt;
    const std::vector<AccessibleId>& ids = Children();
    if (*number == CHILDID_SELF) return kAccessibleWindow;
    if (*number < 1 || static_cast<std::size_t>(*number) > ids.size()) return std::nullopt;
    return ids[static_cast<std::size_t>(*number) - 1];
  }

  // The parts are never selected, only made current: SELFLAG_TAKEFOCUS alone. The window's own
  // focus is the system's to give (the user's, the window manager's): asked for it, the window
  // answers whether it has it.
  HRESULT Select(LONG flags, AccessibleId id) {
    if (const std::optional<HRESULT> answer = AnswerWithoutFocus(flags)) return *answer;
    return Serve([&] {
      const bool focused =
          id == kAccessibleWindow ? tree_->Focus().has_value() : tree_->TakeFocus(id);
      return focused ? S_OK : S_FALSE;
    });
  }

  // The parts now; kept, so that an event for a part that already left can name its place.
  const std::vector<AccessibleId>& Children() {
    seen_ = tree_->Children();
    return seen_;
  }

  // A name or a default action; S_FALSE for none.
  HRESULT Text(const VARIANT& child, BSTR* out, std::string AccessibleObject::*field) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    Found found;
    if (const HRESULT result = Find(child, found); result != S_OK) return result;
    const std::string& text = found.object.*field;
    if (text.empty()) return S_FALSE;
    *out = BstrFrom1252(text);
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
  }

  // What no object here has: DISP_E_MEMBERNOTFOUND, once `child` is known to name one.
  HRESULT Unsupported(const VARIANT& child, BSTR* out) {
    if (out != nullptr) *out = nullptr;
    Found found;
    const HRESULT result = Find(child, found);
    return result == S_OK ? DISP_E_MEMBERNOTFOUND : result;
  }

  HRESULT Unimplemented() const { return tree_ == nullptr ? CO_E_OBJNOTCONNECTED : E_NOTIMPL; }

  std::atomic<ULONG> refs_{1};
  HWND hwnd_;
  AccessibleTree* tree_;
  std::uint32_t serial_;
  std::vector<AccessibleId> seen_;
};

AccessibleServer::AccessibleServer(HWND hwnd, AccessibleTree* tree)
    : hwnd_(hwnd), tree_(tree), serial_(NextSerial()),
      object_(new WindowAccessible(hwnd, tree, serial_)) {}

AccessibleServer::~AccessibleServer() { object_->Disconnect(); }

std::optional<LRESULT> AccessibleServer::AnswerGetObject(WPARAM wp, LPARAM lp) {
  if (static_cast<DWORD>(lp) != static_cast<DWORD>(OBJID_CLIENT)) return std::nullopt;
  // Only in the program's apartment (Win32Platform::JoinApartment): a thread in the
  // multithreaded one would get calls on other threads.
  const auto lresult_from_object = Oleacc().lresult_from_object;
  if (!ComApartment::ServesObjects() || lresult_from_object == nullptr) return std::nullopt;
  const LRESULT result = lresult_from_object(IID_IAccessible, wp, object_.get());
  if (result <= 0) return std::nullopt;  // the system's own client object, then
  return result;
}

void AccessibleServer::RunPostedAction(WPARAM wp, LPARAM lp) {
  if (wp != serial_) return;  // posted for a tree this window no longer serves
  AccessibleTree* tree = tree_;
  const auto id = static_cast<AccessibleId>(lp);
  Guarded([tree, id] { tree->DoDefaultAction(id); });
}

std::optional<std::string> AccessibleServer::WindowName() const {
  std::optional<std::string> name;
  Guarded([&] {
    std::optional<AccessibleObject> window = tree_->Describe(kAccessibleWindow);
    if (window && !window->name.empty()) name = std::move(window->name);
  });
  return name;
}

void AccessibleServer::Changed(AccessibleId id, AccessibleChange change) {
  const std::optional<DWORD> event = ToWinEvent(change);
  const std::optional<LONG> child = event ? object_->ChildIdForEvent(id) : std::nullopt;
  if (!child) return;
  CallingBack([&] { ::NotifyWinEvent(*event, hwnd_, OBJID_CLIENT, *child); });
}

}  // namespace pf::win32
