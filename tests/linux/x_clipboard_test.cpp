// The CLIPBOARD selection on a real X server (tests/linux/x_session.sh): between two clients of
// ours, each on its own connection and thread, and with xclip, another program, both ways; large
// texts in pieces (INCR); our own text answered without a word to the server.
#include <poll.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "platform/linux/clipboard_x.h"
#include "platform/linux/platform_linux.h"

namespace qf::test {
namespace {

using pf::linux_x::XClipboard;
using pf::linux_x::XConnection;
using pf::linux_x::XWindowOwner;

// A client of the clipboard: its own connection and a window whose events are its own.
struct Client {
  XConnection x;
  XWindowOwner window{x.display(), XCreateSimpleWindow(x.display(), x.root(), 0, 0, 1, 1, 0, 0, 0)};
  XClipboard clipboard{x, window.get()};

  void HandlePending() {
    while (XPending(x.display()) > 0) {
      XEvent e;
      XNextEvent(x.display(), &e);
      clipboard.HandleEvent(e);
    }
  }
};

// A client that serves its selection from a thread of its own until it is stopped.
class ServingClient {
 public:
  explicit ServingClient(std::string text) {
    client_.clipboard.Set(text, CurrentTime);
    thread_ = std::thread([this] {
      while (!stop_) {
        client_.HandlePending();
        pollfd fd{client_.x.fd(), POLLIN, 0};
        poll(&fd, 1, 20);
      }
    });
  }
  ~ServingClient() {
    stop_ = true;
    thread_.join();
  }

 private:
  Client client_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// A text of `size` bytes with every Windows-1252 character that is not a control, and lines.
std::string LargeText(std::size_t size) {
  std::string text;
  for (std::size_t i = 0; text.size() < size; ++i) {
    const auto c = static_cast<char>(0x20 + i % 0xE0);
    text += i % 97 == 96 ? '\n' : (c == '\x7F' ? 'x' : c);
  }
  return text;
}

TEST(XClipboard, AnotherClientsTextComesInOneRequestAndOneReplyLargeOnesInPieces) {
  Client asker;
  {
    ServingClient owner("Caf\xE9 \x80\nline 2");
    asker.clipboard.Get(CurrentTime);  // its atoms are interned at the first use
    const unsigned long before = XNextRequest(asker.x.display());
    EXPECT_EQ(asker.clipboard.Get(CurrentTime), "Caf\xE9 \x80\nline 2");
    // XConvertSelection, then XGetWindowProperty: the one round trip.
    EXPECT_EQ(XNextRequest(asker.x.display()) - before, 2u);
  }
  const std::string large = LargeText(600 * 1024);
  ServingClient owner(large);
  EXPECT_EQ(asker.clipboard.Get(CurrentTime), large);
}

TEST(XClipboard, OurOwnTextIsAnsweredFromMemoryUntilAnotherClientTakesIt) {
  Client we;
  ASSERT_TRUE(we.clipboard.Set("ours", CurrentTime));
  const unsigned long before = XNextRequest(we.x.display());
  EXPECT_EQ(we.clipboard.Get(CurrentTime), "ours");
  EXPECT_EQ(XNextRequest(we.x.display()), before) << "nothing asked of the server";
  ServingClient other("theirs");
  EXPECT_EQ(we.clipboard.Get(CurrentTime), "theirs");
}

// ---- with another program --------------------------------------------------------------

// Runs `command` in a thread of its own while `pump` turns; its output.
template <typename Pump>
std::string RunWhile(const std::string& command, Pump pump) {
  std::atomic<bool> done{false};
  std::string out;
  std::thread runner([&] {
    if (std::FILE* p = popen(command.c_str(), "r")) {
      char buffer[65536];
      for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, p)) > 0;) out.append(buffer, n);
      pclose(p);
    }
    done = true;
  });
  while (!done) pump();
  runner.join();
  return out;
}

class WithXclip : public ::testing::Test {
 protected:
  void Pump() {
    while (platform.PumpOne() == pf::PumpResult::Dispatched) {
    }
    platform.Sleep(5);
  }
  std::string Read(const char* target) {
    return RunWhile(std::string("xclip -selection clipboard -o -t ") + target, [&] { Pump(); });
  }
  // xclip takes the selection in the background once it has read its input: what we paste once
  // it is `expected`, or after two seconds.
  std::optional<std::string> PasteOnce(const std::string& expected) {
    std::optional<std::string> text;
    for (int i = 0; i < 100 && text != expected; ++i) {
      if (i > 0) platform.Sleep(20);
      text = platform.ClipboardText();
    }
    return text;
  }

  pf::linux_x::LinuxPlatform platform{"QfXTest"};
};

TEST_F(WithXclip, ItReadsOurTextAsUtf8AndAsLatin1AndALargeOneInPieces) {
  ASSERT_TRUE(platform.SetClipboardText("Caf\xE9 \x80\nline 2"));
  EXPECT_EQ(Read("UTF8_STRING"), "Caf\xC3\xA9 \xE2\x82\xAC\nline 2");
  EXPECT_EQ(Read("STRING"), "Caf\xE9 ?\nline 2");
  EXPECT_EQ(Read("TARGETS"), "TARGETS\nTIMESTAMP\nUTF8_STRING\nSTRING\nTEXT\n");
  const std::string large = LargeText(400 * 1024);
  ASSERT_TRUE(platform.SetClipboardText(large));
  EXPECT_EQ(Read("STRING").size(), large.size());
}

// xclip keeps serving in the background until another client takes the selection.
TEST_F(WithXclip, WeReadItsTextAsUtf8ElseAsLatin1WithOurLineEnds) {
  ASSERT_EQ(std::system("printf 'from xclip\\r\\n\\303\\251\\342\\202\\254\\320\\226' |"
                        " xclip -selection clipboard -i"),
            0);
  EXPECT_EQ(PasteOnce("from xclip\n\xE9\x80?"), "from xclip\n\xE9\x80?");
  ASSERT_EQ(std::system("printf 'caf\\351' | xclip -selection clipboard -t STRING -i"), 0);
  EXPECT_EQ(PasteOnce("caf\xE9"), "caf\xE9");
  platform.SetClipboardText("");  // xclip ends
}

}  // namespace
}  // namespace qf::test
