// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One tick of the panel's 250 ms poll: ask the meter for its display frame, hand it to
// the decoding steps in their fixed order, and while "SET" is lit ask for the blink
// frame too. The tick derives no number of its own; it shows characters.

#include "display/frame_decoder.h"
#include "link/meter_link.h"

namespace orvane {

class PollCycle {
 public:
  static constexpr int kIntervalMs = 250;

  PollCycle(MeterLink& link, FrameDecoder& decoder, LinkNotices& notices)
      : link_(link), decoder_(decoder), notices_(notices) {}

  // The whole Timer1 event.
  void Tick();

 private:
  MeterLink& link_;
  FrameDecoder& decoder_;
  LinkNotices& notices_;
};

inline constexpr std::string_view kCaptionAnswered = "Orvane";

}  // namespace orvane
