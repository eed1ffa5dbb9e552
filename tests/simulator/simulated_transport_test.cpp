// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulator/simulated_transport.h"

#include <gtest/gtest.h>

#include "link/requests.h"

namespace orvane {
namespace {

// A mixed-up reply takes the place of the answer, which waits for a later read: the
// display frame, the blink frame and noise in turn, never the queued answer itself.
TEST(SimulatedTransport, MixedUpRepliesBelongToAnotherRequest) {
  ManualClock clock;
  VirtualMeter meter(clock, 5);
  SimulatedTransport transport(meter, 1, 2);
  ASSERT_TRUE(transport.Open(SimulatedTransport::kMeterPath));
  Report query{};
  StoreRequest(query, request::kSamplingTimeQuery);
  const Payload answer{0, 2};  // the meter's sampling time, 2 s

  const Payload expected[] = {meter.DisplayFrame(), meter.BlinkFrame()};
  transport.MixUpReplies(3);
  for (int k = 0; k < 3; ++k) {
    ASSERT_TRUE(transport.Write(query));
    Payload got{};
    ASSERT_EQ(transport.Read(got, 1000), ReadOutcome::Completed);
    EXPECT_NE(got, answer) << k;
    if (k < 2) {
      EXPECT_EQ(got, expected[k]) << k;
    }
  }
  EXPECT_EQ(transport.mixedUpReplies, 3);
  Payload got{};
  ASSERT_EQ(transport.Read(got, 1000), ReadOutcome::Completed);
  EXPECT_EQ(got, answer);  // the answer was still waiting
}

}  // namespace
}  // namespace orvane
