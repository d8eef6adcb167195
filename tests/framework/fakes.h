#pragma once
// Stand-ins for the seam in the graphics tests: a platform that only knows system colours and a
// device that records the picture calls made on it.
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace qf_test {

// System colour n is 0x00A0B000 + n, so each index gives a different colour.
inline pf::ColorRef FakeSysColor(int index) { return 0x00A0B000u + static_cast<pf::ColorRef>(index); }

class SysColorPlatform : public pf::Platform {
 public:
  [[noreturn]] static void Unused() { throw std::logic_error("not part of this fake"); }
  std::unique_ptr<pf::Window> CreateWindow(const pf::WindowParams&, pf::WindowHandler*) override { Unused(); }
  pf::Size ScreenSize() override { Unused(); }
  pf::PointerSpot PointerNow(const std::optional<pf::PointerSpot>&) override { Unused(); }
  pf::NativeHandle ApplicationHandle() override { Unused(); }
  void SetApplicationTitle(std::string_view) override { Unused(); }
  void MinimizeApplication() override { Unused(); }
  pf::PumpResult PumpOne() override { Unused(); }
  void WaitMessage() override { Unused(); }
  void PostQuit() override { Unused(); }
  std::uintptr_t StartTimer(unsigned, std::function<void()>) override { Unused(); }
  void StopTimer(std::uintptr_t) override { Unused(); }
  pf::MarkerResult TakeInstanceMarker(std::string_view) override { Unused(); }
  void DebugOutput(std::string_view) override { Unused(); }
  pf::ShellResult ShellExecute(const pf::ShellRequest&) override { Unused(); }
  void Sleep(unsigned) override { Unused(); }
  pf::OsVersion GetOsVersion() override { Unused(); }
  std::string ExecutablePath() override { Unused(); }
  std::string PathText(std::string_view) override { Unused(); }
  int MessageBox(pf::NativeHandle, std::string_view, std::string_view, unsigned) override { Unused(); }
  bool SetClipboardText(std::string_view) override { Unused(); }
  std::optional<std::string> ClipboardText() override { Unused(); }
  pf::ColorRef SysColor(int index) override { return FakeSysColor(index); }
  std::optional<std::string_view> FindResource(std::string_view) override { Unused(); }
  pf::Mixer& AudioMixer() override { Unused(); }
};

// Installs the fake platform for the lifetime of the object.
struct InstalledSysColorPlatform {
  InstalledSysColorPlatform() { pf::Install(std::make_unique<SysColorPlatform>()); }
  ~InstalledSysColorPlatform() { pf::Uninstall(); }
};

struct ImageCall {
  std::string kind;  // "DrawImage" or "DrawImageTransparent"
  pf::Point at;
  pf::ImageView image;
  pf::ColorRef transparent = pf::kInvalidColor;
};

class RecordingDevice : public pf::Device {
 public:
  std::vector<ImageCall> calls;

  void SetOrigin(pf::Point) override { Other(); }
  void SetClip(const pf::Rect&) override { Other(); }
  void FillRect(const pf::Rect&, pf::ColorRef) override { Other(); }
  void FrameRect(const pf::Rect&, pf::ColorRef) override { Other(); }
  void Polyline(const pf::Point*, int, pf::ColorRef) override { Other(); }
  void SelectFont(const pf::FontSpec&) override { Other(); }
  pf::Size TextExtent(std::string_view) override { Other(); return {}; }
  void TextOutOpaque(pf::Point, std::string_view, pf::ColorRef, pf::ColorRef) override { Other(); }
  void DrawImage(pf::Point at, const pf::ImageView& image) override {
    calls.push_back({"DrawImage", at, image});
  }
  void DrawImageTransparent(pf::Point at, const pf::ImageView& image, pf::ColorRef key) override {
    calls.push_back({"DrawImageTransparent", at, image, key});
  }
  void StretchKeyed(const pf::Rect&, const pf::ImageView&, const pf::Rect&, pf::ColorRef,
                    pf::ColorRef) override { Other(); }
  void DrawFocusRect(const pf::Rect&) override { Other(); }
  pf::ColorRef GetPixel(pf::Point) override { Other(); return 0; }

 private:
  void Other() { calls.push_back({"other", {}, {}}); }
};

}  // namespace qf_test
