// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A reader of the decoded display that takes each display frame once. A record, a list
// row and a real-time graph sample are taken only from a frame decoded since that
// reader's previous tick: without one (meter absent or silent, poll paused while a
// command holds the link) the tick takes nothing, and the time stamps show the gap.

#include <cstdint>

namespace orvane {

class FreshFrames {
 public:
  // `decodedNow`: the decoder's frame count when the reader starts; those are old.
  explicit FreshFrames(std::uint64_t decodedNow = 0) : seen_(decodedNow) {}

  // True when a frame was decoded since the previous call (or since the start).
  bool Take(std::uint64_t decodedNow) {
    const bool fresh = decodedNow != seen_;
    seen_ = decodedNow;
    return fresh;
  }

 private:
  std::uint64_t seen_;
};

}  // namespace orvane
