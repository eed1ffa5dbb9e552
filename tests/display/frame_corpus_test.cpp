// SPDX-License-Identifier: GPL-3.0-or-later
// The fuzz target's seed corpus, replayed through the decoder by the regular tests.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "display/frame_replay.h"

namespace orvane {
namespace {

std::vector<std::uint8_t> ReadAll(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(DisplayFrameCorpus, EverySeedDecodesWithinTheLcdsPromises) {
  const std::filesystem::path dir =
      std::filesystem::path(ORVANE_SOURCE_DIR) / "fuzz" / "corpus" / "frame_decoder";
  int seeds = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    const auto bytes = ReadAll(entry.path());
    FrameDecoder decoder;
    const std::size_t ticks = ReplayTicks(decoder, bytes);
    EXPECT_EQ(ticks, (bytes.size() + kReplayTickBytes - 1) / kReplayTickBytes);
    EXPECT_EQ(CheckDecoderInvariants(decoder), "") << entry.path();
    ++seeds;
  }
  EXPECT_GE(seeds, 5);
}

// Every value in every position, one position at a time, through the display frame
// and the blink frame, with "SET" lit so the blink step runs too.
TEST(DisplayFrameCorpus, EveryByteValueInEveryPositionDecodes) {
  FrameDecoder decoder;
  std::vector<std::uint8_t> tick(kReplayTickBytes, 0);
  tick[44] = 1;  // display frame byte 45: "SET"
  for (std::size_t pos = 0; pos < kReplayTickBytes; ++pos) {
    if (pos == 44) continue;
    for (int v = 0; v < 256; ++v) {
      tick[pos] = static_cast<std::uint8_t>(v);
      ReplayTicks(decoder, tick);
    }
    tick[pos] = 0;
    ASSERT_EQ(CheckDecoderInvariants(decoder), "") << "position " << pos;
  }
}

}  // namespace
}  // namespace orvane
