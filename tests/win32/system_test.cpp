// The Win32 platform's system services, none of which needs a window manager.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/platform_win32.h"
#include "platform/win32/system_dlls.h"
#include "tests/win32/test_main.h"
#include "tests/win32/test_window.h"

namespace pf::win32 {
namespace {

constexpr unsigned kSeeMaskNoCloseProcess = 0x40;
constexpr unsigned kSeeMaskFlagNoUi = 0x400;
constexpr unsigned kSeeMaskNoConsole = 0x8000;

std::string UniqueName(const char* what) {
  return std::string("QuenforTest-") + what + "-" + std::to_string(::GetCurrentProcessId());
}

// Starts this test program with arguments and returns its exit code.
DWORD RunSelf(Win32Platform& platform, const std::string& args) {
  std::string command = "\"" + platform.ExecutablePath() + "\" " + args;
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
    return 0xFFFFFFFFu;
  }
  KernelHandle process(info.hProcess), thread(info.hThread);
  ::WaitForSingleObject(process.get(), 20000);
  DWORD code = 0xFFFFFFFEu;
  ::GetExitCodeProcess(process.get(), &code);
  return code;
}

class SystemTest : public ::testing::Test {
 protected:
  Win32Platform platform{"QfTest"};
};

TEST_F(SystemTest, InstanceMarkerIsSeenByASecondTakerUntilClosed) {
  const std::string name = UniqueName("marker");
  MarkerResult first = platform.TakeInstanceMarker(name);
  ASSERT_NE(first.marker, nullptr);
  EXPECT_FALSE(first.already_exists);

  MarkerResult second = platform.TakeInstanceMarker(name);
  EXPECT_TRUE(second.already_exists);
  EXPECT_EQ(RunSelf(platform, "--probe-marker " + name), 1u) << "another process must see it";

  // Released but still open: it still exists for everyone.
  first.marker->Release();
  second.marker.reset();
  EXPECT_EQ(RunSelf(platform, "--probe-marker " + name), 1u);

  first.marker.reset();
  EXPECT_EQ(RunSelf(platform, "--probe-marker " + name), 0u) << "closing must free the name";
}

TEST_F(SystemTest, TheApplicationWindowShowsOnlyWithTheFirstForm) {
  HWND app = reinterpret_cast<HWND>(platform.ApplicationHandle());
  EXPECT_FALSE(::IsWindowVisible(app));
  QuietHandler handler;
  WindowParams params;
  params.bounds = {10, 10, 50, 50};
  auto form = platform.CreateWindow(params, &handler);
  EXPECT_TRUE(::IsWindowVisible(app));
}

// What another program finds on the clipboard, and what we find of another program's.
std::wstring ClipboardUnits(UINT format) {
  std::wstring units;
  if (!::OpenClipboard(nullptr)) return units;
  if (HANDLE data = ::GetClipboardData(format)) {
    if (const void* locked = ::GlobalLock(data)) {
      if (format == CF_UNICODETEXT) {
        units = static_cast<const wchar_t*>(locked);
      } else {
        for (const char* c = static_cast<const char*>(locked); *c != '\0'; ++c) {
          units += static_cast<wchar_t>(static_cast<unsigned char>(*c));
        }
      }
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  return units;
}

void PutAnsiText(const char* text) {
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  const std::size_t size = std::strlen(text) + 1;
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(::GlobalLock(memory), text, size);
  ::GlobalUnlock(memory);
  if (::SetClipboardData(CF_TEXT, memory) == nullptr) ::GlobalFree(memory);
  ::CloseClipboard();
}

// A second program (this one, started again) copies; it has ended before this one pastes. The
// system gives the text as CF_TEXT too, in the ANSI code page; a program that put only CF_TEXT
// there is read through the system's conversion.
TEST_F(SystemTest, TheClipboardCarriesTextBetweenProgramsWithTheSystemsLineEnds) {
  ASSERT_EQ(RunSelf(platform, "--put-clipboard"), 0u);
  EXPECT_EQ(platform.ClipboardText(), std::string(kClipboardProbe));
  EXPECT_EQ(ClipboardUnits(CF_UNICODETEXT), L"Caf\u00E9 \u20AC\r\nline 2\r\n");
  if (::GetACP() == 1252) {
    EXPECT_EQ(ClipboardUnits(CF_TEXT), L"Caf\u00E9 \u0080\r\nline 2\r\n");
  }

  PutAnsiText("from CF_TEXT\r\n\xE9");
  EXPECT_EQ(platform.ClipboardText(), "from CF_TEXT\n\xE9");
}

// A box that asks: the button's id is the system's. The system's box is answered No as a user
// would click it.
TEST_F(SystemTest, AMessageBoxThatAsksAnswersWithTheButtonsId) {
  const std::uintptr_t timer = platform.StartTimer(50, [] {
    if (HWND box = ::FindWindowA(nullptr, "Quenfor question")) {
      ::PostMessageA(box, WM_COMMAND, IDNO, 0);
    }
  });
  EXPECT_EQ(platform.MessageBox(0, "Save the changes?", "Quenfor question",
                                kBoxYesNoCancel | kBoxIconQuestion),
            kBoxResultNo);
  platform.StopTimer(timer);
}

TEST_F(SystemTest, ResourcesAreFoundByNameWithEveryByte) {
  const std::string expected("first line\r\nsecond\0after a zero byte\xff", 37);
  EXPECT_EQ(platform.FindResource("QFTESTDATA"), expected);
  EXPECT_EQ(platform.FindResource("qftestdata"), expected) << "resource names ignore case";
  EXPECT_EQ(platform.FindResource("NOSUCHRESOURCE"), std::nullopt);
}

TEST_F(SystemTest, OsVersionAgreesWithThePackedVersion) {
  const OsVersion v = platform.GetOsVersion();
  const DWORD packed = ::GetVersion();
  EXPECT_EQ(v.platform_id, static_cast<std::uint32_t>(VER_PLATFORM_WIN32_NT));
  EXPECT_EQ(v.major, LOBYTE(LOWORD(packed)));
  EXPECT_EQ(v.minor, HIBYTE(LOWORD(packed)));
  EXPECT_EQ(v.build, HIWORD(packed));
  EXPECT_GE(v.major, 5u);
}

TEST_F(SystemTest, ExecutablePathNamesThisProgram) {
  const std::string path = platform.ExecutablePath();
  ASSERT_GT(path.size(), 3u);
  EXPECT_EQ(path[1], ':') << path;
  EXPECT_NE(::GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << path;
  const std::string tail = "win32_system_test.exe";
  ASSERT_GE(path.size(), tail.size());
  EXPECT_EQ(::lstrcmpiA(path.substr(path.size() - tail.size()).c_str(), tail.c_str()), 0) << path;
}

// A system without SetDefaultDllDirectories (2000, XP, Vista and 7 without KB2533623): the
// current folder leaves the search, and the DLLs Windows loads by name are taken from the system
// folder before anyone asks for them by name.
std::wstring given_directory = L"(not called)";
BOOL WINAPI RecordDllDirectory(LPCWSTR directory) {
  given_directory = directory != nullptr ? directory : L"(null)";
  return TRUE;
}

TEST(DllSearch, WithoutSetDefaultDllDirectoriesTheNamesAreTakenFromTheSystemFolder) {
  ASSERT_EQ(::GetModuleHandleW(L"setupapi.dll"), nullptr) << "nothing here loads it";
  KeepDllSearchInSystemFolder(DllSearchCalls{nullptr, &RecordDllDirectory});
  EXPECT_EQ(given_directory, L"");
  HMODULE loaded = ::GetModuleHandleW(L"setupapi.dll");
  ASSERT_NE(loaded, nullptr);
  wchar_t path[MAX_PATH], folder[MAX_PATH];
  ASSERT_NE(::GetModuleFileNameW(loaded, path, MAX_PATH), 0u);
  const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
  EXPECT_EQ(::CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, path, static_cast<int>(length),
                             folder, static_cast<int>(length)),
            CSTR_EQUAL);
}

TEST_F(SystemTest, TimersTickThroughTheLoopAndStopFromTheirOwnTick) {
  int ticks = 0;
  std::uintptr_t id = 0;
  id = platform.StartTimer(20, [&] {
    if (++ticks == 3) platform.StopTimer(id);  // stopping itself while it runs
  });
  const std::uintptr_t other = platform.StartTimer(1000, [] {});
  ASSERT_NE(id, 0u);
  EXPECT_NE(other, 0u);
  EXPECT_NE(other, id);

  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (ticks < 3 && std::chrono::steady_clock::now() < until) {
    platform.WaitMessage();
    while (platform.PumpOne() == PumpResult::Dispatched) {
    }
  }
  EXPECT_EQ(ticks, 3);
  platform.Sleep(100);
  while (platform.PumpOne() == PumpResult::Dispatched) {
  }
  EXPECT_EQ(ticks, 3) << "a stopped timer must not tick again";
  platform.StopTimer(other);
}

TEST_F(SystemTest, AnExceptionInATimerTickComesOutOfThePump) {
  struct TickError {};
  const std::uintptr_t id = platform.StartTimer(10, [] { throw TickError{}; });
  bool thrown = false;
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!thrown && std::chrono::steady_clock::now() < until) {
    platform.WaitMessage();
    try {
      platform.PumpOne();
    } catch (const TickError&) {
      thrown = true;
    }
  }
  platform.StopTimer(id);
  EXPECT_TRUE(thrown);
}

TEST_F(SystemTest, PostQuitEndsThePump) {
  EXPECT_EQ(platform.PumpOne(), PumpResult::Empty);
  platform.PostQuit();
  PumpResult r;
  while ((r = platform.PumpOne()) == PumpResult::Dispatched) {
  }
  EXPECT_EQ(r, PumpResult::Quit);
}

TEST_F(SystemTest, ShellStartsAProgramAndItsProcessCanBeWaitedFor) {
  ShellRequest request;
  request.mask = kSeeMaskNoCloseProcess | kSeeMaskNoConsole | kSeeMaskFlagNoUi;
  request.owner = platform.ApplicationHandle();
  request.verb = "open";
  request.file = platform.ExecutablePath();
  request.parameters = "--sleep 1500";
  ShellResult result = platform.ShellExecute(request);
  ASSERT_TRUE(result.ok);
  ASSERT_NE(result.process, nullptr);
  EXPECT_EQ(result.process->Wait(50), static_cast<std::uint32_t>(WAIT_TIMEOUT));
  EXPECT_EQ(result.process->Wait(20000), static_cast<std::uint32_t>(WAIT_OBJECT_0));
}

TEST_F(SystemTest, ShellRefusesAMissingFile) {
  ShellRequest request;
  // No UI: otherwise the shell shows its own error box and waits for a click.
  request.mask = kSeeMaskNoCloseProcess | kSeeMaskFlagNoUi;
  request.verb = "open";
  request.file = "C:\\quenfor-no-such-folder\\SETUP.EXE";
  ShellResult result = platform.ShellExecute(request);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.process, nullptr);
}

TEST_F(SystemTest, MixerRunsTheUnmutePathOnItsFirstDevice) {
  Mixer& mixer = platform.AudioMixer();
  ASSERT_GE(mixer.DeviceCount(), 1u) << "the test prefix gives Wine a null sound device";
  MixerHandle handle = 0;
  ASSERT_EQ(mixer.Open(0, &handle), kMixerOk);
  ASSERT_NE(handle, 0u);

  MixerLineInfo line;
  ASSERT_EQ(mixer.LineByComponentType(handle, MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, &line),
            kMixerOk);
  EXPECT_EQ(line.component_type, static_cast<std::uint32_t>(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS));
  MixerControlInfo control;
  ASSERT_EQ(mixer.ControlByType(handle, line.line_id, MIXERCONTROL_CONTROLTYPE_MUTE, &control),
            kMixerOk);
  EXPECT_EQ(control.control_type, static_cast<std::uint32_t>(MIXERCONTROL_CONTROLTYPE_MUTE));

  const std::uint32_t channels = line.channels > 0 ? line.channels - 1 : 0;
  std::int32_t value = -1;
  ASSERT_EQ(mixer.GetDetails(handle, control.control_id, channels, &value), kMixerOk);
  EXPECT_TRUE(value == 0 || value == 1) << value;
  for (std::int32_t want : {1, 0}) {
    ASSERT_EQ(mixer.SetDetails(handle, control.control_id, channels, want), kMixerOk);
    ASSERT_EQ(mixer.GetDetails(handle, control.control_id, channels, &value), kMixerOk);
    EXPECT_EQ(value, want);
  }
  EXPECT_EQ(mixer.Close(handle), kMixerOk);
}

TEST_F(SystemTest, MixerReportsBadDevicesAndHandlesWithWindowsCodes) {
  Mixer& mixer = platform.AudioMixer();
  MixerHandle handle = 123;
  EXPECT_EQ(mixer.Open(mixer.DeviceCount() + 5, &handle), kMixerBadDeviceId);
  EXPECT_EQ(handle, 0u);
  MixerLineInfo line;
  EXPECT_EQ(mixer.LineByComponentType(0xBAD0, MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, &line),
            kMixerInvalidHandle);
  // (mixerClose of a bad handle: Windows says MMSYSERR_INVALHANDLE, Wine 8 says 0.)
}

}  // namespace
}  // namespace pf::win32
