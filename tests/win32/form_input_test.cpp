// The framework's forms on the Win32 platform, with a real window under Wine: what the pointer
// rules become when the system, not a script, says where the pointer is.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>

#include "buttoncomps/image_button.h"
#include "framework/controls/application.h"
#include "platform/win32/platform_win32.h"
#include "tests/win32/test_window.h"

namespace pf::win32 {
namespace {

constexpr int kPlainWidth = 40, kOverWidth = 44;

fw::TBitmap Solid(int width, int height, ColorRef color) {
  fw::TBitmap b(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) b.SetPixel(x, y, color);
  return b;
}

class FormInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    pf::Install(std::make_unique<Win32Platform>("QfTest"));
    app = std::make_unique<fw::TApplication>(nullptr);
    form = new fw::TForm(app.get());
    const Rect at = CentredOnScreen(pf::Current(), 200, 100);
    form->SetBounds(at.left, at.top, 200, 100);
    button = new bc::TImageButton(form);
    button->SetParent(form);
    button->SetBounds(20, 20, kPlainWidth, 20);
    const fw::TBitmap plain = Solid(kPlainWidth, 20, 0x00C00000), over = Solid(kOverWidth, 24, 0x0000C000);
    button->SetBmp(&plain);
    button->SetMOver(&over);
    form->Show();
    ASSERT_TRUE(LoopUntil([&] { return form->Window().IsVisible(); }));
  }
  void TearDown() override {
    app.reset();
    pf::Uninstall();
  }

  // Turns of the loop with its idle processing, until `done` or `ms` have passed.
  bool LoopUntil(const std::function<bool()>& done, int ms = 2000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
      if (std::chrono::steady_clock::now() > end) return false;
      app->ProcessMessages();
      app->Idle();
      ::Sleep(10);
    }
    return true;
  }
  void PutPointer(const fw::TControl& control, int x, int y) {
    const fw::TPoint p = control.ClientToScreen({x, y});
    ::SetCursorPos(p.x, p.y);
  }
  HWND ApplicationWindow() const { return reinterpret_cast<HWND>(app->Handle()); }

  std::unique_ptr<fw::TApplication> app;
  fw::TForm* form = nullptr;
  bc::TImageButton* button = nullptr;
};

// Minimised with a button lit, then brought back from the taskbar: the pointer went there, off
// the form, and the button must not stay lit by the last move the form heard of. (The system's
// own leave and the framework's forgetting the pointer on a restore each see to it.)
TEST_F(FormInputTest, ARestoredFormLooksAgainWhereThePointerIs) {
  PutPointer(*button, 5, 5);
  ASSERT_TRUE(LoopUntil([&] { return button->Width() == kOverWidth; })) << "lit by the hover";
  app->Minimize();
  ASSERT_TRUE(LoopUntil([&] { return !form->Window().IsVisible(); }));
  PutPointer(*form, -30, -30);
  LoopUntil([] { return false; }, 200);  // the move is over before the form comes back
  ::PostMessageA(ApplicationWindow(), WM_SYSCOMMAND, SC_RESTORE, 0);  // as the taskbar entry does
  ASSERT_TRUE(LoopUntil([&] { return form->Window().IsVisible(); }));
  EXPECT_TRUE(LoopUntil([&] { return button->Width() == kPlainWidth; })) << "plain again";
}

}  // namespace
}  // namespace pf::win32
