// CHalvoMixer on the recorded mixer: the order of calls, what it sends, and its silent failures.
#include <gtest/gtest.h>

#include "app/halvo_mixer.h"
#include "tests/app/app_fixture.h"

namespace qf::test {
namespace {

using Strings = std::vector<std::string>;
using app::CHalvoMixer;

class Mixer : public HeadlessTest {
 protected:
  pf::headless::HeadlessMixer& mixer() { return hp->mixer; }
};

const Strings kFound{"count", "open 0", "line 4", "control 0x20010002"};

TEST_F(Mixer, FullSuccessReadsThenWritesThenCloses) {
  {
    CHalvoMixer m(app::kComponentTypeDstSpeakers, app::kControlTypeMute);
    EXPECT_TRUE(m.Ready());
    EXPECT_EQ(m.Channels(), 1u);  // a stereo line
    EXPECT_TRUE(m.SetValue(0));
    EXPECT_TRUE(m.Ready());
    EXPECT_EQ(m.LastResult(), 0u);
  }
  Strings expected = kFound;
  expected.insert(expected.end(), {"get 7 1", "set 7 1 0", "close"});
  EXPECT_EQ(mixer().calls, expected);
  EXPECT_EQ(mixer().value, 0);
  EXPECT_EQ(mixer().open_handles, 0);
}

TEST_F(Mixer, NoDeviceOpensNothing) {
  mixer().device_count = 0;
  {
    CHalvoMixer m(app::kComponentTypeDstSpeakers, app::kControlTypeMute);
    EXPECT_FALSE(m.Ready());
    EXPECT_FALSE(m.SetValue(0));
  }
  EXPECT_EQ(mixer().calls, Strings{"count"});
}

TEST_F(Mixer, NoMuteControlKeepsTheMixerOpenUntilDestroyed) {
  mixer().has_control = false;
  {
    CHalvoMixer m(app::kComponentTypeDstSpeakers, app::kControlTypeMute);
    EXPECT_FALSE(m.SetValue(0));
    EXPECT_EQ(mixer().open_handles, 1);
  }
  Strings expected = kFound;
  expected.push_back("close");
  EXPECT_EQ(mixer().calls, expected);
  EXPECT_EQ(mixer().open_handles, 0);
}

TEST_F(Mixer, NoSpeakersLineStopsBeforeTheControl) {
  mixer().has_line = false;
  { EXPECT_FALSE(CHalvoMixer(app::kComponentTypeDstSpeakers, app::kControlTypeMute).SetValue(0)); }
  EXPECT_EQ(mixer().calls, (Strings{"count", "open 0", "line 4", "close"}));
}

TEST_F(Mixer, MonoLineSendsZeroChannels) {
  mixer().line.channels = 1;
  { CHalvoMixer(app::kComponentTypeDstSpeakers, app::kControlTypeMute).SetValue(0); }
  EXPECT_EQ(mixer().calls[4], "get 7 0");
  EXPECT_EQ(mixer().calls[5], "set 7 0 0");
}

TEST_F(Mixer, LineWithoutChannelsSendsZeroChannels) {
  mixer().line.channels = 0;
  { CHalvoMixer(app::kComponentTypeDstSpeakers, app::kControlTypeMute).SetValue(0); }
  EXPECT_EQ(mixer().calls[4], "get 7 0");
}

TEST_F(Mixer, FailedOpenIsKeptAndNothingIsClosed) {
  mixer().open_result = 4;  // MMSYSERR_ALLOCATED
  {
    CHalvoMixer m(app::kComponentTypeDstSpeakers, app::kControlTypeMute);
    EXPECT_EQ(m.LastResult(), 4u);
    EXPECT_FALSE(m.SetValue(0));
  }
  EXPECT_EQ(mixer().calls, (Strings{"count", "open 0"}));
}

TEST_F(Mixer, FailedReadLeavesItNotReadyForGood) {
  mixer().get_result = 11;
  CHalvoMixer m(app::kComponentTypeDstSpeakers, app::kControlTypeMute);
  EXPECT_FALSE(m.SetValue(0));
  EXPECT_EQ(m.LastResult(), 11u);
  mixer().get_result = 0;
  const std::size_t calls = mixer().calls.size();
  EXPECT_FALSE(m.SetValue(0));
  EXPECT_EQ(mixer().calls.size(), calls);  // the device is not touched again
  EXPECT_EQ(mixer().value, 1);
}

TEST_F(Mixer, FailedWriteIsReported) {
  mixer().set_result = 1025;
  CHalvoMixer m(app::kComponentTypeDstSpeakers, app::kControlTypeMute);
  EXPECT_FALSE(m.SetValue(0));
  EXPECT_EQ(m.LastResult(), 1025u);
  EXPECT_FALSE(m.Ready());
}

TEST_F(Mixer, ValueIsWrittenAsGiven) {
  CHalvoMixer m(app::kComponentTypeDstSpeakers, app::kControlTypeMute);
  EXPECT_TRUE(m.SetValue(1));
  EXPECT_TRUE(m.SetValue(0));
  EXPECT_EQ(mixer().calls[5], "set 7 1 1");
  EXPECT_EQ(mixer().calls[7], "set 7 1 0");
}

// The launcher's exit: the mixer's whole sequence first, then the output device's own mute, also
// when the mixer found nothing; where the system has none, nothing follows the mixer.
TEST_F(Mixer, TheExitClearsTheEndpointMuteAfterTheMixerSequence) {
  mixer().has_endpoint = true;
  app::ClearSpeakerMute();
  Strings expected = kFound;
  expected.insert(expected.end(), {"get 7 1", "set 7 1 0", "close", "endpoint mute 0"});
  EXPECT_EQ(mixer().calls, expected);

  mixer().calls.clear();
  mixer().device_count = 0;
  app::ClearSpeakerMute();
  EXPECT_EQ(mixer().calls, (Strings{"count", "endpoint mute 0"}));
}

}  // namespace
}  // namespace qf::test
