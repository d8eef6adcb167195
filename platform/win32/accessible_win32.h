#pragma once
// A window's accessible description served to screen readers through MSAA: the window's client
// object (OBJID_CLIENT) is one IAccessible whose children are the tree's parts as simple
// elements, child ids 1..N in the tree's order, mapped to the parts' ids at each call.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/accessibility.h"
#include "platform/win32/com.h"
#include "platform/win32/win.h"

namespace pf::win32 {

class WindowAccessible;

// The message a server posts to its window so that an accepted default action runs from the
// window's loop, not inside the screen reader's call: wParam is the server's serial, lParam the
// part's id.
inline constexpr UINT kRunDefaultActionMessage = WM_USER + 1;

class AccessibleServer {
 public:
  AccessibleServer(HWND hwnd, AccessibleTree* tree);
  // Every object already handed out answers CO_E_OBJNOTCONNECTED from now on, without touching
  // the tree or the window.
  ~AccessibleServer();
  AccessibleServer(const AccessibleServer&) = delete;
  AccessibleServer& operator=(const AccessibleServer&) = delete;

  // The answer to WM_GETOBJECT, or nullopt to leave the message to DefWindowProc.
  std::optional<LRESULT> AnswerGetObject(WPARAM wp, LPARAM lp);
  // A kRunDefaultActionMessage: runs the action when this server posted it. The action may
  // destroy the window and this server.
  void RunPostedAction(WPARAM wp, LPARAM lp);
  // Raises the win event screen readers listen to for the change.
  void Changed(AccessibleId id, AccessibleChange change);
  // What the tree calls the window; nullopt where it gives no name.
  std::optional<std::string> WindowName() const;

 private:
  HWND hwnd_;
  AccessibleTree* tree_;
  std::uint32_t serial_;
  ComRef<WindowAccessible> object_;
};

}  // namespace pf::win32
