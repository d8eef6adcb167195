#pragma once
// Owners for the Win32 and GDI handles this folder uses. Each frees exactly what it owns; a
// Selection puts back the object it displaced.
#include <utility>

#include "platform/win32/win.h"

namespace pf::win32 {

template <typename H, typename Traits>
class Owned {
 public:
  Owned() = default;
  explicit Owned(H h) : h_(h) {}
  ~Owned() { reset(); }
  Owned(Owned&& o) noexcept : h_(std::exchange(o.h_, H{})) {}
  Owned& operator=(Owned&& o) noexcept {
    if (this != &o) {
      reset();
      h_ = std::exchange(o.h_, H{});
    }
    return *this;
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;

  H get() const { return h_; }
  explicit operator bool() const { return Traits::IsValid(h_); }
  void reset(H h = H{}) {
    if (Traits::IsValid(h_)) Traits::Free(h_);
    h_ = h;
  }
  H release() { return std::exchange(h_, H{}); }

 private:
  H h_{};
};

struct GdiObjectTraits {
  static bool IsValid(HGDIOBJ h) { return h != nullptr; }
  static void Free(HGDIOBJ h) { ::DeleteObject(h); }
};
struct MemoryDcTraits {
  static bool IsValid(HDC h) { return h != nullptr; }
  static void Free(HDC h) { ::DeleteDC(h); }
};
struct KernelHandleTraits {
  static bool IsValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Free(HANDLE h) { ::CloseHandle(h); }
};
struct IconTraits {
  static bool IsValid(HICON h) { return h != nullptr; }
  static void Free(HICON h) { ::DestroyIcon(h); }
};
struct ModuleTraits {
  static bool IsValid(HMODULE h) { return h != nullptr; }
  static void Free(HMODULE h) { ::FreeLibrary(h); }
};
struct GlobalMemoryTraits {
  static bool IsValid(HGLOBAL h) { return h != nullptr; }
  static void Free(HGLOBAL h) { ::GlobalFree(h); }
};

using Brush = Owned<HBRUSH, GdiObjectTraits>;
using Pen = Owned<HPEN, GdiObjectTraits>;
using Font = Owned<HFONT, GdiObjectTraits>;
using Bitmap = Owned<HBITMAP, GdiObjectTraits>;
using Region = Owned<HRGN, GdiObjectTraits>;
using MemoryDc = Owned<HDC, MemoryDcTraits>;
using KernelHandle = Owned<HANDLE, KernelHandleTraits>;
using Icon = Owned<HICON, IconTraits>;
using Module = Owned<HMODULE, ModuleTraits>;  // LoadLibrary / FreeLibrary
// GlobalAlloc / GlobalFree: released to the system by a SetClipboardData that took it.
using GlobalMemory = Owned<HGLOBAL, GlobalMemoryTraits>;

// GlobalLock / GlobalUnlock.
class GlobalLockScope {
 public:
  explicit GlobalLockScope(HGLOBAL memory) : memory_(memory), data_(::GlobalLock(memory)) {}
  ~GlobalLockScope() {
    if (data_ != nullptr) ::GlobalUnlock(memory_);
  }
  GlobalLockScope(const GlobalLockScope&) = delete;
  GlobalLockScope& operator=(const GlobalLockScope&) = delete;
  void* get() const { return data_; }

 private:
  HGLOBAL memory_;
  void* data_;
};

// OpenClipboard / CloseClipboard. Another program may hold the clipboard open for a moment: it
// is asked a few times before giving up.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) {
    constexpr int kTries = 5;
    constexpr DWORD kPauseMs = 10;
    for (int i = 0; i < kTries && !open_; ++i) {
      if (i > 0) ::Sleep(kPauseMs);
      open_ = ::OpenClipboard(owner) != FALSE;
    }
  }
  ~OpenedClipboard() {
    if (open_) ::CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  explicit operator bool() const { return open_; }

 private:
  bool open_ = false;
};

// Selects an object into a DC for its lifetime. Declare it after the owner of the object, so the
// object is deselected before it is deleted.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ~Selection() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Saves the whole state of a DC (viewport origin, clip, colours, modes, selections) and restores
// it when it goes.
class SavedDcState {
 public:
  explicit SavedDcState(HDC dc) : dc_(dc), level_(::SaveDC(dc)) {}
  ~SavedDcState() {
    if (level_ != 0) ::RestoreDC(dc_, level_);
  }
  SavedDcState(const SavedDcState&) = delete;
  SavedDcState& operator=(const SavedDcState&) = delete;

 private:
  HDC dc_;
  int level_;
};

// GetDC / ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
  ~WindowDc() {
    if (dc_ != nullptr) ::ReleaseDC(hwnd_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// BeginPaint / EndPaint.
class PaintScope {
 public:
  explicit PaintScope(HWND hwnd) : hwnd_(hwnd) { ::BeginPaint(hwnd, &ps_); }
  ~PaintScope() { ::EndPaint(hwnd_, &ps_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC dc() const { return ps_.hdc; }
  const RECT& update() const { return ps_.rcPaint; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
};

}  // namespace pf::win32
