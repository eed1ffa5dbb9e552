// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/poll_cycle.h"

#include <gtest/gtest.h>

#include "link/requests.h"
#include "support/sim_rig.h"

namespace orvane {
namespace {

struct PollRig : test::SimRig {
  FrameDecoder decoder;
  PollCycle poll{link, decoder, notices};
  std::vector<int> Codes() const {
    std::vector<int> codes;
    for (const Report& r : transport.written) codes.push_back(r[2]);
    return codes;
  }
};

TEST(PollCycle, NoMeterShowsNoConnectionAndLeavesTheDisplay) {
  PollRig rig;
  rig.transport.Unplug();
  rig.poll.Tick();
  EXPECT_EQ(rig.notices.LastCaption(), " No Connection");
  EXPECT_TRUE(rig.transport.written.empty());
  EXPECT_EQ(rig.decoder.ReadingText(), "");
}

TEST(PollCycle, PlugInIsPickedUpOnTheNextTick) {
  PollRig rig;
  rig.transport.Unplug();
  rig.poll.Tick();
  rig.transport.Plug();
  rig.poll.Tick();
  EXPECT_EQ(rig.notices.captions,
            (std::vector<std::string>{" No Connection", "LIGHT METER", "Orvane"}));
  EXPECT_EQ(rig.Codes(), std::vector<int>{98});
}

// With SET lit every tick asks for the display and then the blink frame; otherwise once.
TEST(PollCycle, RequestsPerTickFollowTheSetAnnunciator) {
  struct Case {
    bool setMode;
    std::vector<int> codes;
  };
  for (const Case& c : {Case{false, {98, 98}}, Case{true, {98, 99, 98, 99}}}) {
    PollRig rig;
    if (c.setMode) {
      rig.meter.HandleRequest([] {
        Report r{};
        StoreRequest(r, key::kSet);
        return r;
      }());
    }
    rig.poll.Tick();
    rig.poll.Tick();
    EXPECT_EQ(rig.Codes(), c.codes);
  }
}

TEST(PollCycle, DropOnTheBlinkRequestSkipsTheBlinkStepAndKeepsTheFirstFrame) {
  PollRig rig;
  Payload frame{};
  frame[45 - 1] = 1;  // SET lit
  rig.meter.ForceDisplayFrame(frame);
  rig.transport.AnswerOnly(2);  // discovery tick: the display frame only... then silence
  rig.poll.Tick();
  EXPECT_EQ(rig.Codes(), (std::vector<int>{98, 99}));
  EXPECT_EQ(rig.link.MeterConnected(), -1);
  rig.transport.AnswerOnly(1);
  rig.poll.Tick();
  EXPECT_EQ(rig.link.MeterConnected(), 0);
  EXPECT_TRUE(rig.decoder.SetLit());
  EXPECT_EQ(rig.notices.LastCaption(), "Orvane");
}

TEST(PollCycle, PollRequestCarriesBytesAnEarlierRequestLeft) {
  PollRig rig;
  rig.link.OutputReport()[10] = 0xAB;
  rig.poll.Tick();
  ASSERT_FALSE(rig.transport.written.empty());
  EXPECT_EQ(rig.transport.written[0][10], 0xAB);
}

}  // namespace
}  // namespace orvane
