#pragma once
// A form's window: a popup owned by the application window, reporting its messages to the
// framework's handler.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/alive.h"
#include "platform/platform.h"
#include "platform/win32/accessible_win32.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"

namespace pf::win32 {

class Win32Window : public Window {
 public:
  // Registers the window class, named `name`, once per process.
  static void RegisterClassOnce(HINSTANCE instance, const std::string& name);
  // The window behind an HWND if it is one of ours, else null.
  static Win32Window* FromHandle(HWND hwnd);

  Win32Window(HINSTANCE instance, HWND owner, const WindowParams& params, WindowHandler* handler);
  ~Win32Window() override;

  NativeHandle Handle() const override { return reinterpret_cast<NativeHandle>(hwnd_); }
  void Show(bool visible) override;
  bool IsVisible() const override;
  bool IsMinimized() const override;
  void SetBounds(const Rect& client_screen_bounds) override;
  Rect Bounds() const override;
  void SetOpacity(bool layered, std::uint8_t alpha) override;
  void Invalidate(const Rect& client_rect) override;
  void Update() override;
  std::unique_ptr<Device> GetDevice() override;
  void SetEnabled(bool enabled) override;
  void SetFocus() override;
  void SetCursor(CursorShape shape) override;
  void SetCapture() override;
  void ReleaseCapture() override;
  void SetTitle(std::string_view title) override;
  void SetIcon(const IconImage& icon) override;
  void SetAccessibleTree(AccessibleTree* tree) override;
  void AccessibleChanged(AccessibleId id, AccessibleChange change) override;

  HWND hwnd() const { return hwnd_; }
  // Asks for WM_MOUSELEAVE when the pointer, now over the window, leaves it: without a message
  // the loop would not go idle, and the control under the pointer would not hear that it left.
  void TrackPointerLeaving();
  WindowHandler* handler() const { return handler_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  // Each handles its kind of message: true, or the answer, when it did.
  bool OnMouseMessage(UINT msg, WPARAM wp, LPARAM lp);
  bool OnKeyboardMessage(UINT msg, WPARAM wp, LPARAM lp);
  std::optional<LRESULT> OnAccessibilityMessage(UINT msg, WPARAM wp, LPARAM lp);
  // WM_GETTEXT or WM_GETTEXTLENGTH, or nullopt to leave it to DefWindowProc.
  std::optional<LRESULT> AnswerText(UINT msg, WPARAM wp, LPARAM lp);
  void Paint();
  RECT WindowRectFor(const Rect& client) const;

  HWND hwnd_ = nullptr;
  WindowHandler* handler_;
  HCURSOR cursor_;
  Icon icon_;
  // Serves the tree to screen readers while one is set.
  std::unique_ptr<AccessibleServer> accessible_;
  // The bytes typed (WM_CHAR), a double-byte character's lead byte held for its trail byte.
  AnsiTyping typing_;
  // A handler may destroy its window from inside a call.
  AliveToken life_;
};

}  // namespace pf::win32
