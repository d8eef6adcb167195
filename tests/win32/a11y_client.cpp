// A screen reader's view of a window from another process, through MSAA: finds a top-level
// window by its title or class, takes its client object through AccessibleObjectFromWindow and
// prints one line per object, the window's first, then each child's (AccessibleChildren):
//   CHILDID ROLE "NAME" at X,Y size WxH states=STATE,...|none action="ACTION"|none[ value="VALUE"]
// in UTF-8, the value only for an object that has one (an editable text). With --press it asks the
// child of that name for its default action and prints the answer and how long the call took:
//   press "NAME": 0xHRESULT in N ms
// With --listen, instead of the listing, what a screen reader follows: the object get_accFocus
// names, then each EVENT_OBJECT_FOCUS on the window's client object (a WinEvent hook out of
// context) until MS have passed or the window is gone:
//   focus CHILDID "NAME"   (focus none: the window has not the focus)
//   event focus CHILDID "NAME"
//
//   win32_a11y_client [--title TEXT] [--class NAME] [--wait MS] [--press NAME | --listen MS]
// --wait: how long to wait for the window to be there and visible (default 0).
// Exit codes: 0 listed (and the action accepted); 2 bad arguments; 3 no such window; 4 no client
// object; 5 no child of that name; 6 the action refused.
#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32/com.h"

namespace {

using pf::win32::ComApartment;
using pf::win32::ComRef;

struct Options {
  std::string title, window_class, press;
  DWORD wait_ms = 0, listen_ms = 0;
};

bool Parse(int argc, char** argv, Options& options) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string flag = argv[i], value = argv[i + 1];
    if (flag == "--title") options.title = value;
    else if (flag == "--class") options.window_class = value;
    else if (flag == "--press") options.press = value;
    else if (flag == "--wait") options.wait_ms = std::strtoul(value.c_str(), nullptr, 10);
    else if (flag == "--listen") options.listen_ms = std::strtoul(value.c_str(), nullptr, 10);
    else return false;
  }
  return argc % 2 == 1 && !(options.title.empty() && options.window_class.empty());
}

HWND FindTarget(const Options& options) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    const HWND found =
        ::FindWindowA(options.window_class.empty() ? nullptr : options.window_class.c_str(),
                      options.title.empty() ? nullptr : options.title.c_str());
    if (found != nullptr && ::IsWindowVisible(found)) return found;
    if (::GetTickCount() - start >= options.wait_ms) return nullptr;
    ::Sleep(50);
  }
}

std::string Utf8(const wchar_t* text, int length) {
  if (length <= 0) return {};
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text, length, result.data(), size, nullptr, nullptr);
  return result;
}

std::wstring Wide(const std::string& text) {
  const int length = static_cast<int>(text.size());
  std::wstring result(static_cast<std::size_t>(length), L'\0');
  result.resize(static_cast<std::size_t>(
      ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, result.data(), length)));
  return result;
}

// A text an IAccessible getter returned; empty where it has none.
using TextGetter = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);
std::wstring TextOf(TextGetter get, IAccessible* object, const VARIANT& child) {
  BSTR text = nullptr;
  if ((object->*get)(child, &text) != S_OK || text == nullptr) return {};
  std::wstring result(text, ::SysStringLen(text));
  ::SysFreeString(text);
  return result;
}

std::string RoleText(LONG role) {
  wchar_t text[64] = L"";
  const UINT length = ::GetRoleTextW(static_cast<DWORD>(role), text, 64);
  return length == 0 ? "role" + std::to_string(role) : Utf8(text, static_cast<int>(length));
}

std::string StatesText(LONG states) {
  std::string result;
  for (DWORD bit = 1; bit != 0; bit <<= 1) {
    if (!(static_cast<DWORD>(states) & bit)) continue;
    wchar_t text[64] = L"";
    const UINT length = ::GetStateTextW(bit, text, 64);
    result += (result.empty() ? "" : ",") + Utf8(text, static_cast<int>(length));
  }
  return result.empty() ? "none" : result;
}

std::string Quoted(const std::wstring& text) {
  return text.empty() ? "none" : "\"" + Utf8(text.data(), static_cast<int>(text.size())) + "\"";
}

// ` value="VALUE"` for an object that has a value, empty or not; nothing for one that has none.
std::string ValueText(IAccessible* object, const VARIANT& child) {
  BSTR value = nullptr;
  if (object->get_accValue(child, &value) != S_OK) return {};
  const std::string text = Utf8(value, static_cast<int>(::SysStringLen(value)));
  ::SysFreeString(value);
  return " value=\"" + text + "\"";
}

// One object: `child` of `object` (CHILDID_SELF for the object itself).
void Print(LONG id, IAccessible* object, const VARIANT& child) {
  VARIANT role{}, states{};
  object->get_accRole(child, &role);
  object->get_accState(child, &states);
  LONG x = 0, y = 0, w = 0, h = 0;
  object->accLocation(&x, &y, &w, &h, child);
  std::printf("%ld %s %s at %ld,%ld size %ldx%ld states=%s action=%s%s\n", id,
              role.vt == VT_I4 ? RoleText(role.lVal).c_str() : "?",
              Quoted(TextOf(&IAccessible::get_accName, object, child)).c_str(), x, y, w, h,
              StatesText(states.vt == VT_I4 ? states.lVal : 0).c_str(),
              Quoted(TextOf(&IAccessible::get_accDefaultAction, object, child)).c_str(),
              ValueText(object, child).c_str());
}

VARIANT Self() {
  VARIANT v{};
  v.vt = VT_I4;
  v.lVal = CHILDID_SELF;
  return v;
}

// ---- following the focus ----------------------------------------------------------------

HWND listened = nullptr;

void PrintFocus(const char* what, IAccessible* object, const VARIANT& child) {
  if (child.vt != VT_I4) {
    std::printf("%s none\n", what);
  } else {
    std::printf("%s %ld %s\n", what, child.lVal,
                Quoted(TextOf(&IAccessible::get_accName, object, child)).c_str());
  }
  std::fflush(stdout);
}

void CALLBACK HeardFocus(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
  if (hwnd != listened || object != OBJID_CLIENT) return;
  ComRef<IAccessible> accessible;
  VARIANT named{};
  if (FAILED(::AccessibleObjectFromEvent(hwnd, object, child, accessible.Out(), &named))) return;
  PrintFocus("event focus", accessible.get(), named);
}

int Listen(HWND target, IAccessible* client, DWORD ms) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(target, &process);
  listened = target;
  const HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr,
                                               &HeardFocus, process, 0, WINEVENT_OUTOFCONTEXT);
  VARIANT focus{};
  client->get_accFocus(&focus);
  PrintFocus("focus", client, focus);
  ::VariantClear(&focus);
  const DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < ms && ::IsWindow(target)) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
  ::UnhookWinEvent(hook);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!Parse(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: %s [--title TEXT] [--class NAME] [--wait MS] [--press NAME | --listen MS]\n",
                 argv[0]);
    return 2;
  }
  const HWND target = FindTarget(options);
  if (target == nullptr) {
    std::fprintf(stderr, "no visible window of that title or class\n");
    return 3;
  }
  const ComApartment com;
  ComRef<IAccessible> client;
  const HRESULT got =
      ::AccessibleObjectFromWindow(target, OBJID_CLIENT, IID_IAccessible, client.OutVoid());
  if (FAILED(got) || !client) {
    std::fprintf(stderr, "AccessibleObjectFromWindow: 0x%08lx\n", static_cast<unsigned long>(got));
    return 4;
  }
  if (options.listen_ms > 0) return Listen(target, client.get(), options.listen_ms);
  Print(CHILDID_SELF, client.get(), Self());

  LONG count = 0;
  client->get_accChildCount(&count);
  std::vector<VARIANT> children(static_cast<std::size_t>(count > 0 ? count : 0));
  LONG listed = 0;
  if (count > 0) ::AccessibleChildren(client.get(), 0, count, children.data(), &listed);
  const std::wstring wanted = Wide(options.press);
  int exit_code = options.press.empty() ? 0 : 5;
  for (LONG i = 0; i < listed; ++i) {
    VARIANT& child = children[static_cast<std::size_t>(i)];
    IAccessible* object = client.get();
    ComRef<IAccessible> own;  // a child with an object of its own
    VARIANT id = child;
    if (child.vt == VT_DISPATCH && child.pdispVal != nullptr &&
        SUCCEEDED(child.pdispVal->QueryInterface(IID_IAccessible, own.OutVoid()))) {
      object = own.get();
      id = Self();
    }
    Print(i + 1, object, id);
    if (exit_code != 5 || TextOf(&IAccessible::get_accName, object, id) != wanted) continue;
    const DWORD start = ::GetTickCount();
    const HRESULT pressed = object->accDoDefaultAction(id);
    std::printf("press \"%s\": 0x%08lx in %lu ms\n", options.press.c_str(),
                static_cast<unsigned long>(pressed),
                static_cast<unsigned long>(::GetTickCount() - start));
    exit_code = pressed == S_OK ? 0 : 6;
  }
  for (VARIANT& child : children) ::VariantClear(&child);
  if (exit_code == 5) std::fprintf(stderr, "no child named \"%s\"\n", options.press.c_str());
  return exit_code;
}
