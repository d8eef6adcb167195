// A form's window on a real display (Xvfb under Wine): size, paint, read-back, opacity, input,
// capture, and the application window that owns it.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/optional_api.h"
#include "tests/win32/window_fixture.h"

namespace pf::win32 {
namespace {

// Borderless, the window is its client area; framed, it grows round it, which keeps its place,
// its size and its pixels, and the frame moves and minimises the window and does not size it.
TEST_F(WindowTest, IsABorderlessPopupOwnedByTheApplicationWindowAndFramedOnlyRoundIt) {
  EXPECT_EQ(window->Bounds(), bounds);
  RECT outer{};
  ::GetWindowRect(hwnd, &outer);
  EXPECT_EQ(FromRECT(outer), bounds) << "no frame around the client area";
  LONG_PTR style = ::GetWindowLongPtrA(hwnd, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME));
  EXPECT_EQ(reinterpret_cast<NativeHandle>(::GetWindow(hwnd, GW_OWNER)),
            platform.ApplicationHandle());
  EXPECT_TRUE(window->IsVisible());

  window->SetBorderless(false);
  PumpUntil([] { return true; });  // what is pending
  EXPECT_EQ(window->Bounds(), bounds);
  ::GetWindowRect(hwnd, &outer);
  EXPECT_TRUE(FromRECT(outer).Contains({bounds.left - 1, bounds.top - 1}));
  style = ::GetWindowLongPtrA(hwnd, GWL_STYLE);
  constexpr LONG_PTR kFrame = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  EXPECT_EQ(style & kFrame, kFrame);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MAXIMIZEBOX));
  EXPECT_EQ(window->GetDevice()->GetPixel({10, 10}), kPanel);
  window->SetBorderless(true);
  ::GetWindowRect(hwnd, &outer);
  EXPECT_EQ(FromRECT(outer), bounds);

  const Rect moved = bounds.Offset(-30, 20);
  window->SetBounds({moved.left, moved.top, moved.right + 50, moved.bottom});
  EXPECT_EQ(window->Bounds(), (Rect{moved.left, moved.top, moved.right + 50, moved.bottom}));
}

TEST_F(WindowTest, PaintReachesTheScreenAndAnInvalidatedPartRepaintsOnlyThere) {
  auto device = window->GetDevice();
  EXPECT_EQ(device->GetPixel({0, 0}), kBackground);
  EXPECT_EQ(device->GetPixel({10, 10}), kPanel);
  EXPECT_EQ(device->GetPixel({29, 19}), kPanel);
  EXPECT_EQ(device->GetPixel({30, 19}), kBackground);

  handler.fill = kRepaint;
  handler.paints.clear();
  window->Invalidate({50, 40, 60, 45});
  window->Update();
  ASSERT_EQ(handler.paints.size(), 1u);
  EXPECT_EQ(handler.paints[0], (Rect{50, 40, 60, 45}));
  EXPECT_EQ(device->GetPixel({50, 40}), kRepaint);
  EXPECT_EQ(device->GetPixel({59, 44}), kRepaint);
  EXPECT_EQ(device->GetPixel({60, 44}), kBackground) << "painting is clipped to the update";
  EXPECT_EQ(device->GetPixel({10, 10}), kPanel);
}

// The window shows a paint only once it is done, and nothing is erased under it first: the
// form's own fill under its picture never reaches the screen.
TEST_F(WindowTest, APaintReachesTheWindowWhenItEndsAndNothingIsErasedFirst) {
  EXPECT_EQ(::GetClassLongPtrA(hwnd, GCLP_HBRBACKGROUND), 0) << "no class brush to erase with";
  auto device = window->GetDevice();
  {
    WindowDc dc(hwnd);
    EXPECT_NE(::SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.get()), 0), 0);
  }
  EXPECT_EQ(device->GetPixel({0, 0}), kBackground) << "erasing painted";

  ColorRef on_window_during_paint = CLR_INVALID;
  handler.after_paint = [&] {
    WindowDc dc(hwnd);
    on_window_during_paint = ::GetPixel(dc.get(), 0, 0);
  };
  handler.fill = kRepaint;
  window->Invalidate({0, 0, 200, 100});
  window->Update();
  EXPECT_EQ(on_window_during_paint, kBackground) << "the paint reached the window before it ended";
  EXPECT_EQ(device->GetPixel({0, 0}), kRepaint);
  EXPECT_EQ(device->GetPixel({199, 99}), kRepaint);
}

TEST_F(WindowTest, OpacityIsSetAndReadBackAndLayeringCanBeDropped) {
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(::GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 128);
  EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
  window->SetOpacity(true, 201);
  ASSERT_TRUE(::GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 201);
  window->SetOpacity(false, 255);
  EXPECT_FALSE(::GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED);
}

// Plays, for one test, a system with other optional functions than this one.
class OptionalApiOverride {
 public:
  OptionalApiOverride() : saved_(Optional()) {}
  ~OptionalApiOverride() { Optional() = saved_; }

 private:
  OptionalApi saved_;
};

TEST_F(WindowTest, WhereLayeredWindowsCannotBeSetTheWindowIsOpaqueAndOpacityChangesNothing) {
  OptionalApiOverride system;
  Optional().set_layered_window_attributes = nullptr;
  WindowParams params;
  params.bounds = bounds;
  params.layered = true;
  params.alpha = 0;
  Recorder other;
  auto faded = platform.CreateWindow(params, &other);
  HWND faded_hwnd = reinterpret_cast<HWND>(faded->Handle());
  EXPECT_FALSE(::GetWindowLongPtrA(faded_hwnd, GWL_EXSTYLE) & WS_EX_LAYERED);
  faded->SetOpacity(true, 100);
  EXPECT_FALSE(::GetWindowLongPtrA(faded_hwnd, GWL_EXSTYLE) & WS_EX_LAYERED);
}

// A topmost 20 x 16 window over the form's centre.
struct Overlay {
  explicit Overlay(Point at, DWORD ex_style)
      : hwnd(::CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | ex_style, "STATIC", "", WS_POPUP,
                               at.x - 10, at.y - 8, 20, 16, nullptr, nullptr, nullptr, nullptr)) {
    if (ex_style & WS_EX_LAYERED) ::SetLayeredWindowAttributes(hwnd, 0, 255, LWA_ALPHA);
    ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  }
  ~Overlay() { ::DestroyWindow(hwnd); }
  HWND hwnd;
};

HWND cloaked_window = nullptr;
HRESULT WINAPI CloakedWhenAsked(HWND w, DWORD attribute, PVOID value, DWORD size) {
  if (attribute != 14 /* DWMWA_CLOAKED */ || size != sizeof(DWORD)) return E_INVALIDARG;
  *static_cast<DWORD*>(value) = w == cloaked_window ? 1 : 0;
  return S_OK;
}

// Where the platform finds the pointer once it is put at `screen`.
PointerSpot PointerPutAt(Platform& platform, Point screen) {
  ::SetCursorPos(screen.x, screen.y);
  return platform.PointerNow(std::nullopt);
}

TEST_F(WindowTest, PointerNowLooksThroughWhatThePointerPassesThrough) {
  const Point centre{bounds.left + 100, bounds.top + 50};
  {
    Overlay click_through(centre, WS_EX_LAYERED | WS_EX_TRANSPARENT);
    EXPECT_EQ(PointerPutAt(platform, centre), (PointerSpot{&handler, {100, 50}}));
  }
  Overlay opaque(centre, 0);
  EXPECT_EQ(PointerPutAt(platform, centre).window, nullptr)
      << "someone else's window covers the form";
  OptionalApiOverride system;
  Optional().dwm_get_window_attribute = &CloakedWhenAsked;
  cloaked_window = opaque.hwnd;
  EXPECT_EQ(PointerPutAt(platform, centre).window, &handler) << "a cloaked window is out of sight";
}

TEST_F(WindowTest, ClicksArriveInClientCoordinatesAndTheSecondAsADoubleClick) {
  EXPECT_EQ(PointerPutAt(platform, {bounds.left + 25, bounds.top + 15}),
            (PointerSpot{&handler, {25, 15}}));
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  SendMouse(MOUSEEVENTF_LEFTUP);
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  SendMouse(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(PumpUntil([&] { return handler.ups.size() == 2; }));
  ASSERT_EQ(handler.downs.size(), 2u);
  EXPECT_EQ(handler.downs[0].pos, (Point{25, 15}));
  EXPECT_EQ(handler.downs[0].button, MouseButton::Left);
  EXPECT_EQ(handler.downs[0].shift, static_cast<unsigned>(kLeftButton));
  EXPECT_EQ(handler.downs[1].shift, kLeftButton | kDoubleClick);
  EXPECT_EQ(handler.ups[1].pos, (Point{25, 15}));
  EXPECT_FALSE(handler.ups[1].shift & kDoubleClick);
}

TEST_F(WindowTest, CapturedMovesOutsideTheWindowHaveNegativeCoordinates) {
  ASSERT_TRUE(::SetCursorPos(bounds.left + 5, bounds.top + 5));
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(PumpUntil([&] { return !handler.downs.empty(); }));
  window->SetCapture();
  ASSERT_TRUE(::SetCursorPos(bounds.left - 7, bounds.top - 3));
  ASSERT_TRUE(PumpUntil([&] { return !handler.moves.empty() && handler.moves.back().x < 0; }));
  EXPECT_EQ(handler.moves.back(), (Point{-7, -3}));
  SendMouse(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(PumpUntil([&] { return !handler.ups.empty(); }));
  window->ReleaseCapture();
  EXPECT_EQ(handler.captures_lost, 1);
}

TEST_F(WindowTest, PointerNowFindsTheFormEvenWhenDisabled) {
  const Point centre{bounds.left + 100, bounds.top + 50};
  EXPECT_EQ(PointerPutAt(platform, centre).window, &handler);
  window->SetEnabled(false);
  EXPECT_FALSE(::IsWindowEnabled(hwnd));
  EXPECT_EQ(PointerPutAt(platform, centre).window, &handler);
  window->SetEnabled(true);
  EXPECT_EQ(PointerPutAt(platform, {bounds.left - 1, bounds.top}).window, nullptr);
}

TEST_F(WindowTest, MinimisingTheApplicationHidesTheFormItOwns) {
  platform.MinimizeApplication();
  HWND app = reinterpret_cast<HWND>(platform.ApplicationHandle());
  EXPECT_TRUE(::IsIconic(app));
  EXPECT_FALSE(window->IsVisible());
  // As the taskbar entry restores it.
  ::PostMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(PumpUntil([&] { return window->IsVisible(); }));
  EXPECT_FALSE(::IsIconic(app));
}

TEST_F(WindowTest, CursorShapeFocusAndIconApplyToTheWindow) {
  ASSERT_TRUE(::SetCursorPos(bounds.left + 50, bounds.top + 50));
  window->SetCursor(CursorShape::HandPoint);
  EXPECT_EQ(::GetCursor(), ::LoadCursor(nullptr, IDC_HAND)) << "changed at once under the pointer";

  window->SetFocus();
  EXPECT_EQ(::GetFocus(), hwnd);

  IconImage image{16, 16, std::vector<std::uint32_t>(16 * 16, 0xFF123456u)};
  image.pixels[16 * 3 + 5] = 0xFFABCDEFu;
  window->SetIcon(image);
  HICON icon = reinterpret_cast<HICON>(::SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0));
  ASSERT_NE(icon, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(::GetIconInfo(icon, &info));
  Bitmap color(info.hbmColor), mask(info.hbmMask);
  std::vector<std::uint32_t> pixels(16 * 16);
  BITMAPINFO header{};
  header.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  WindowDc screen(nullptr);
  ASSERT_EQ(::GetDIBits(screen.get(), color.get(), 0, 16, pixels.data(), &header, DIB_RGB_COLORS),
            16);
  EXPECT_EQ(pixels[16 * 3 + 5] & 0xFFFFFF, 0xABCDEFu);
  EXPECT_EQ(pixels[0] & 0xFFFFFF, 0x123456u);
}

TEST_F(WindowTest, MessageBoxesAreOwnedByTheApplicationWindowUnlessToldOtherwise) {
  HWND seen_owner = nullptr;
  char seen_text[64] = {};
  // The box runs its own modal loop; the timer fires inside it and answers the box.
  std::uintptr_t timer = platform.StartTimer(50, [&] {
    HWND box = ::FindWindowA("#32770", "Quenfor box");
    if (box == nullptr) return;
    seen_owner = ::GetWindow(box, GW_OWNER);
    ::GetDlgItemTextA(box, 0xFFFF, seen_text, sizeof(seen_text));  // the static text control
    ::PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(platform.MessageBox(0, "Path Error", "Quenfor box", MB_OKCANCEL), IDCANCEL);
  EXPECT_EQ(reinterpret_cast<NativeHandle>(seen_owner), platform.ApplicationHandle());
  EXPECT_STREQ(seen_text, "Path Error");

  seen_owner = nullptr;
  EXPECT_EQ(platform.MessageBox(window->Handle(), "Path Error", "Quenfor box", MB_OKCANCEL),
            IDCANCEL);
  EXPECT_EQ(seen_owner, hwnd);
  platform.StopTimer(timer);
}

// Exceptions cross no system frame: they come out of the seam call that led to them.

}  // namespace
}  // namespace pf::win32
