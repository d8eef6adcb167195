// A form's window served to screen readers through MSAA, read as a client reads it: through
// AccessibleObjectFromWindow, on a real window under Wine.
#include <gtest/gtest.h>

#include <oleacc.h>

#include <chrono>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/win32/com.h"
#include "platform/win32/platform_win32.h"
#include "tests/win32/fake_accessible_tree.h"
#include "tests/win32/test_window.h"

namespace pf::win32 {
namespace {

struct TreeError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A BSTR a call returned, freed when it goes.
struct Text {
  BSTR b = nullptr;
  ~Text() { ::SysFreeString(b); }
  std::wstring str() const { return b == nullptr ? L"" : std::wstring(b, ::SysStringLen(b)); }
};

VARIANT Child(LONG id) {
  VARIANT v{};
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

struct Event {
  DWORD event;
  HWND hwnd;
  LONG object;
  LONG child;
  friend bool operator==(const Event&, const Event&) = default;
};
std::vector<Event> heard;

void CALLBACK Hear(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
  heard.push_back({event, hwnd, object, child});
}

class AccessibleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bounds = CentredOnScreen(platform, 200, 100);
    WindowParams params;
    params.title = "Quenfor accessible test";
    params.bounds = bounds;
    window = platform.CreateWindow(params, &handler);
    hwnd = reinterpret_cast<HWND>(window->Handle());
    window->Show(true);
    tree.window = {AccessibleRole::kWindow, "Caf\xE9 menu", bounds, 0, "", "", 0};
    tree.AddButton(11, "Install Driver & Utility", Place(10, 10),
                   kAccessibleFocusable | kAccessibleFocused);
    tree.AddButton(12, "User's Manual", Place(110, 10), kAccessibleHot | kAccessibleFocusable);
    tree.AddButton(13, "Exit", Place(10, 60), kAccessibleUnavailable | kAccessibleInvisible);
    window->SetAccessibleTree(&tree);
    ASSERT_EQ(Connect(client), S_OK);
  }

  // A 80 x 30 part at a place in the window.
  Rect Place(int x, int y) const {
    return Rect{x, y, x + 80, y + 30}.Offset(bounds.left, bounds.top);
  }

  HRESULT Connect(ComRef<IAccessible>& to) {
    return ::AccessibleObjectFromWindow(hwnd, OBJID_CLIENT, IID_IAccessible, to.OutVoid());
  }

  std::wstring Name(LONG child) {
    Text name;
    EXPECT_EQ(client->get_accName(Child(child), &name.b), S_OK) << "child " << child;
    return name.str();
  }
  using Getter = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, VARIANT*);
  LONG Number(Getter get, LONG child) {
    VARIANT v{};
    EXPECT_EQ((client.get()->*get)(Child(child), &v), S_OK) << "child " << child;
    EXPECT_EQ(v.vt, VT_I4);
    return v.lVal;
  }
  Rect Location(LONG child) {
    LONG x = 0, y = 0, w = 0, h = 0;
    EXPECT_EQ(client->accLocation(&x, &y, &w, &h, Child(child)), S_OK) << "child " << child;
    return Rect{x, y, x + w, y + h};
  }

  void PumpUntil(const std::function<bool()>& done) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!done() && std::chrono::steady_clock::now() < until) {
      while (platform.PumpOne() == PumpResult::Dispatched) {
      }
      platform.Sleep(5);
    }
  }

  ComApartment com;
  Win32Platform platform{"QfTest"};
  QuietHandler handler;
  FakeAccessibleTree tree;
  Rect bounds;
  std::unique_ptr<Window> window;
  HWND hwnd = nullptr;
  ComRef<IAccessible> client;
};

TEST_F(AccessibleTest, TheClientObjectIsTheWindowWithItsPartsAsChildrenInOrder) {
  EXPECT_EQ(Name(CHILDID_SELF), L"Caf\u00E9 menu") << "Windows-1252 read as such";
  EXPECT_EQ(Number(&IAccessible::get_accRole, CHILDID_SELF), ROLE_SYSTEM_CLIENT);
  EXPECT_EQ(Number(&IAccessible::get_accState, CHILDID_SELF) & ~STATE_SYSTEM_FOCUSED,
            STATE_SYSTEM_FOCUSABLE);
  EXPECT_EQ(Location(CHILDID_SELF), bounds);

  LONG count = 0;
  ASSERT_EQ(client->get_accChildCount(&count), S_OK);
  ASSERT_EQ(count, 3);
  VARIANT children[3]{};
  LONG got = 0;
  ASSERT_EQ(::AccessibleChildren(client.get(), 0, 3, children, &got), S_OK);
  ASSERT_EQ(got, 3);
  for (LONG i = 0; i < 3; ++i) {
    EXPECT_EQ(children[i].vt, VT_I4) << "simple elements, not objects";
    EXPECT_EQ(children[i].lVal, i + 1);
    IDispatch* object = client.get();
    EXPECT_EQ(client->get_accChild(Child(i + 1), &object), S_FALSE);
    EXPECT_EQ(object, nullptr);
  }
  EXPECT_EQ(Name(1), L"Install Driver & Utility");
  EXPECT_EQ(Name(2), L"User's Manual");
  EXPECT_EQ(Name(3), L"Exit");
  for (LONG i = 1; i <= 3; ++i) {
    EXPECT_EQ(Number(&IAccessible::get_accRole, i), ROLE_SYSTEM_PUSHBUTTON);
    Text action;
    EXPECT_EQ(client->get_accDefaultAction(Child(i), &action.b), S_OK);
    EXPECT_EQ(action.str(), L"press");
  }
  EXPECT_EQ(Number(&IAccessible::get_accState, 1), STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED);
  EXPECT_EQ(Number(&IAccessible::get_accState, 2), STATE_SYSTEM_HOTTRACKED | STATE_SYSTEM_FOCUSABLE);
  EXPECT_EQ(Number(&IAccessible::get_accState, 3),
            STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_INVISIBLE);
  EXPECT_EQ(Location(1), Place(10, 10));
  EXPECT_EQ(Location(3), Place(10, 60));

  ComRef<IDispatch> parent;
  ASSERT_EQ(client->get_accParent(parent.Out()), S_OK);
  ComRef<IOleWindow> frame;  // the system's object of the window itself (OBJID_WINDOW)
  ASSERT_EQ(parent->QueryInterface(IID_IOleWindow, frame.OutVoid()), S_OK);
  HWND of = nullptr;
  EXPECT_EQ(frame->GetWindow(&of), S_OK);
  EXPECT_EQ(of, hwnd);
}

// A property row of a designer: a field named by the property, its value the field's text.
TEST_F(AccessibleTest, AnEditableTextsValueIsItsTextAndNothingElseHasOne) {
  tree.AddText(14, "Caption", "Caf\xE9 \x80", Place(110, 60));
  tree.AddText(15, "Hint", "", Place(110, 80));
  EXPECT_EQ(Number(&IAccessible::get_accRole, 4), ROLE_SYSTEM_TEXT);
  EXPECT_EQ(Name(4), L"Caption");
  Text value, empty, none;
  EXPECT_EQ(client->get_accValue(Child(4), &value.b), S_OK);
  EXPECT_EQ(value.str(), L"Caf\u00E9 \u20AC");
  EXPECT_EQ(client->get_accValue(Child(5), &empty.b), S_OK) << "empty, but a value";
  EXPECT_EQ(empty.str(), L"");
  EXPECT_EQ(client->get_accValue(Child(1), &none.b), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(none.b, nullptr);
}

TEST_F(AccessibleTest, AChildIdIsThePartsPlaceAtTheTimeOfTheCall) {
  tree.Remove(11);
  EXPECT_EQ(Name(1), L"User's Manual");
  Text name;
  EXPECT_EQ(client->get_accName(Child(3), &name.b), E_INVALIDARG) << "only two parts left";
  EXPECT_EQ(client->get_accName(Child(-1), &name.b), E_INVALIDARG);
  VARIANT text{};
  text.vt = VT_BSTR;
  EXPECT_EQ(client->get_accName(text, &name.b), E_INVALIDARG);
  EXPECT_EQ(name.b, nullptr);
}

TEST_F(AccessibleTest, HitTestNamesThePartTheWindowOrNothing) {
  VARIANT at{};
  EXPECT_EQ(client->accHitTest(bounds.left + 115, bounds.top + 15, &at), S_OK);
  EXPECT_EQ(at.vt, VT_I4);
  EXPECT_EQ(at.lVal, 2);
  EXPECT_EQ(client->accHitTest(bounds.left + 195, bounds.top + 95, &at), S_OK);
  EXPECT_EQ(at.vt, VT_I4);
  EXPECT_EQ(at.lVal, CHILDID_SELF);
  EXPECT_EQ(client->accHitTest(bounds.left - 1, bounds.top, &at), S_FALSE);
  EXPECT_EQ(at.vt, VT_EMPTY);
}

TEST_F(AccessibleTest, NavigationGoesBetweenThePartsAndFromTheWindowToItsFirstAndLast) {
  const auto go = [&](LONG direction, LONG from) {
    VARIANT to{};
    const HRESULT result = client->accNavigate(direction, Child(from), &to);
    if (result == S_OK && to.vt == VT_I4) return to.lVal;
    EXPECT_EQ(to.vt, VT_EMPTY);
    return result == S_FALSE ? -1L : -2L;  // -1: nothing that way
  };
  EXPECT_EQ(go(NAVDIR_FIRSTCHILD, CHILDID_SELF), 1);
  EXPECT_EQ(go(NAVDIR_LASTCHILD, CHILDID_SELF), 3);
  EXPECT_EQ(go(NAVDIR_NEXT, 1), 2);
  EXPECT_EQ(go(NAVDIR_NEXT, 2), 3);
  EXPECT_EQ(go(NAVDIR_NEXT, 3), -1);
  EXPECT_EQ(go(NAVDIR_PREVIOUS, 2), 1);
  EXPECT_EQ(go(NAVDIR_PREVIOUS, 1), -1);
  EXPECT_EQ(go(NAVDIR_FIRSTCHILD, 2), -1) << "a part has no children";
}

TEST_F(AccessibleTest, TheDefaultActionIsRefusedWhileUnavailableAndRunsFromTheLoopWhenAccepted) {
  EXPECT_EQ(client->accDoDefaultAction(Child(3)), E_FAIL) << "the part is unavailable";
  EXPECT_EQ(client->accDoDefaultAction(Child(CHILDID_SELF)), DISP_E_MEMBERNOTFOUND);
  tree.window.states = kAccessibleUnavailable;
  EXPECT_EQ(client->accDoDefaultAction(Child(1)), E_FAIL) << "the window is disabled";
  tree.window.states = 0;

  EXPECT_EQ(client->accDoDefaultAction(Child(2)), S_OK);
  EXPECT_TRUE(tree.actions.empty()) << "not inside the client's call";
  PumpUntil([&] { return !tree.actions.empty(); });
  EXPECT_EQ(tree.actions, std::vector<AccessibleId>{12});
}

TEST_F(AccessibleTest, AnActionAcceptedForATreeTakenBackDoesNotRun) {
  EXPECT_EQ(client->accDoDefaultAction(Child(1)), S_OK);
  window->SetAccessibleTree(nullptr);
  window->SetAccessibleTree(&tree);
  while (platform.PumpOne() == PumpResult::Dispatched) {
  }
  EXPECT_TRUE(tree.actions.empty()) << "its message reached a server of its own";
}

TEST_F(AccessibleTest, ObjectsOfATreeTakenBackOrOfAWindowGoneAnswerNotConnectedAndTouchNothing) {
  window->SetAccessibleTree(nullptr);
  const int calls = tree.calls;
  Text text;
  VARIANT v{};
  LONG n = 0;
  IDispatch* dispatch = nullptr;
  EXPECT_EQ(client->get_accName(Child(1), &text.b), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(client->get_accChildCount(&n), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(client->get_accChild(Child(1), &dispatch), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(client->get_accParent(&dispatch), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(client->get_accState(Child(1), &v), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(client->accLocation(&n, &n, &n, &n, Child(1)), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(client->accHitTest(bounds.left, bounds.top, &v), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(client->accNavigate(NAVDIR_NEXT, Child(1), &v), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(client->accDoDefaultAction(Child(1)), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(client->get_accFocus(&v), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(client->accSelect(SELFLAG_TAKEFOCUS, Child(1)), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(tree.calls, calls);
  EXPECT_EQ(::SendMessageA(hwnd, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT)), 0)
      << "without a tree the window answers as any window does";

  window->SetAccessibleTree(&tree);
  ComRef<IAccessible> second;
  ASSERT_EQ(Connect(second), S_OK);
  window.reset();
  EXPECT_EQ(second->get_accName(Child(CHILDID_SELF), &text.b), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(second->accDoDefaultAction(Child(1)), CO_E_OBJNOTCONNECTED);
}

TEST_F(AccessibleTest, ChangesAreHeardAsWinEventsOnTheClientObjectAtThePartsPlace) {
  heard.clear();
  const HWINEVENTHOOK hook =
      ::SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_VALUECHANGE, nullptr, &Hear,
                        ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  const auto on_client = [&] {
    std::vector<Event> ours;
    for (const Event& e : heard) {
      if (e.hwnd == hwnd && e.object == OBJID_CLIENT) ours.push_back(e);
    }
    return ours;
  };
  window->AccessibleChanged(12, AccessibleChange::kState);
  window->AccessibleChanged(kAccessibleWindow, AccessibleChange::kName);
  window->AccessibleChanged(13, AccessibleChange::kFocus);
  window->AccessibleChanged(13, AccessibleChange::kCaret);  // MSAA has no event for it
  window->AccessibleChanged(13, AccessibleChange::kValue);
  tree.Remove(11);  // gone before the event, as a control that is destroyed
  window->AccessibleChanged(11, AccessibleChange::kDestroyed);
  PumpUntil([&] { return on_client().size() >= 5; });
  ::UnhookWinEvent(hook);
  EXPECT_EQ(on_client(), (std::vector<Event>{
                             {EVENT_OBJECT_STATECHANGE, hwnd, OBJID_CLIENT, 2},
                             {EVENT_OBJECT_NAMECHANGE, hwnd, OBJID_CLIENT, CHILDID_SELF},
                             {EVENT_OBJECT_FOCUS, hwnd, OBJID_CLIENT, 3},
                             {EVENT_OBJECT_VALUECHANGE, hwnd, OBJID_CLIENT, 3},
                             {EVENT_OBJECT_DESTROY, hwnd, OBJID_CLIENT, 1},
                         }));
}

TEST_F(AccessibleTest, TheFocusIsTheTreesAndTakingItIsTheOnlySelectionThePartsAllow) {
  const auto focus = [&] {
    VARIANT v{};
    const HRESULT result = client->get_accFocus(&v);
    if (result == S_FALSE && v.vt == VT_EMPTY) return -1L;  // -1: the window has not the focus
    EXPECT_EQ(result, S_OK);
    EXPECT_EQ(v.vt, VT_I4);
    return v.lVal;
  };
  EXPECT_EQ(focus(), -1);
  tree.focus = kAccessibleWindow;
  EXPECT_EQ(focus(), CHILDID_SELF);
  tree.focus = 12;
  EXPECT_EQ(focus(), 2);

  EXPECT_EQ(client->accSelect(SELFLAG_TAKEFOCUS, Child(1)), S_OK);
  EXPECT_EQ(tree.focus, std::optional<AccessibleId>{11});
  EXPECT_EQ(focus(), 1);
  EXPECT_EQ(client->accSelect(SELFLAG_TAKEFOCUS, Child(CHILDID_SELF)), S_OK) << "it has the focus";
  EXPECT_EQ(client->accSelect(SELFLAG_TAKESELECTION, Child(2)), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(client->accSelect(SELFLAG_TAKEFOCUS | SELFLAG_ADDSELECTION, Child(2)),
            DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(client->accSelect(SELFLAG_ADDSELECTION | SELFLAG_REMOVESELECTION, Child(2)),
            E_INVALIDARG);
  EXPECT_EQ(client->accSelect(SELFLAG_TAKEFOCUS, Child(4)), E_INVALIDARG);
  EXPECT_EQ(tree.focus, std::optional<AccessibleId>{11}) << "none of these moved it";
  tree.focus.reset();
  EXPECT_EQ(client->accSelect(SELFLAG_TAKEFOCUS, Child(CHILDID_SELF)), S_FALSE);
}

// Scripts and automation tools read through IDispatch: names and DISPIDs as MSAA's own type
// library gives them, an argument left out meaning the object itself.
TEST_F(AccessibleTest, LateBoundClientsReadThroughActiveAccessibilitysTypeInformation) {
  UINT count = 0;
  ASSERT_EQ(client->GetTypeInfoCount(&count), S_OK);
  ASSERT_EQ(count, 1u);
  ComRef<ITypeInfo> info;
  ASSERT_EQ(client->GetTypeInfo(0, 0, info.Out()), S_OK);
  wchar_t property[] = L"accName";
  LPOLESTR names[] = {property};
  DISPID id = 0;
  ASSERT_EQ(client->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
  EXPECT_EQ(id, DISPID_ACC_NAME);

  const auto get = [&](std::vector<VARIANT> arguments) {
    DISPPARAMS params{arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
    VARIANT result{};
    EXPECT_EQ(client->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &params, &result, nullptr,
                             nullptr),
              S_OK);
    std::wstring text = result.vt == VT_BSTR ? result.bstrVal : L"?";
    ::VariantClear(&result);
    return text;
  };
  EXPECT_EQ(get({Child(2)}), L"User's Manual");
  EXPECT_EQ(get({}), L"Caf\u00E9 menu");
}

// A system where the Accessibility library is not registered: the one in oleacc.dll serves.
TEST_F(AccessibleTest, WithoutTheRegisteredLibraryTheOneInOleaccServes) {
  HKEY empty = nullptr;
  ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Quenfor test empty classes", 0,
                              nullptr, 0, KEY_ALL_ACCESS, nullptr, &empty, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(::RegOverridePredefKey(HKEY_CLASSES_ROOT, empty), ERROR_SUCCESS);
  ComRef<ITypeLib> registered;
  const HRESULT lookup = ::LoadRegTypeLib(LIBID_Accessibility, 1, 1, 0, registered.Out());
  UINT count = 0;
  const HRESULT counted = client->GetTypeInfoCount(&count);
  ::RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
  ::RegCloseKey(empty);
  ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quenfor test empty classes");
  EXPECT_TRUE(FAILED(lookup)) << "the registry's classes were not hidden";
  EXPECT_EQ(counted, S_OK);
  EXPECT_EQ(count, 1u);
}

// Screen readers take a window's name from WM_GETTEXT; FindWindow compares the caption it was
// made with.
TEST_F(AccessibleTest, TheWindowsTextIsTheTreesNameWhileFindWindowStillFindsItsCaption) {
  EXPECT_EQ(::FindWindowA(nullptr, "Quenfor accessible test"), hwnd);
  char text[64] = "";
  EXPECT_EQ(::GetWindowTextA(hwnd, text, sizeof(text)), 9);
  EXPECT_STREQ(text, "Caf\xE9 menu");
  EXPECT_EQ(::GetWindowTextA(hwnd, text, 4), 3);
  EXPECT_STREQ(text, "Caf");
  window->SetAccessibleTree(nullptr);
  EXPECT_EQ(::GetWindowTextA(hwnd, text, sizeof(text)), 23);
  EXPECT_STREQ(text, "Quenfor accessible test");
}

TEST_F(AccessibleTest, AnExceptionFromTheTreeFailsTheCallAndComesOutOfTheLoop) {
  tree.on_call = [] { throw TreeError("describe"); };
  Text name;
  EXPECT_EQ(client->get_accName(Child(1), &name.b), E_UNEXPECTED);
  tree.on_call = nullptr;
  EXPECT_THROW(window->Update(), TreeError);
}

}  // namespace
}  // namespace pf::win32
