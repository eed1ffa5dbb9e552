// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Replays captured or generated meter replies through the decoder, one poll tick per
// 128 bytes: a display frame (report bytes 1..64), then the blink frame of the same
// tick (used only when the display frame lights "SET", as the poll does). A short last
// chunk is padded with zeros. Used by the fuzz target and its corpus replay.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "display/frame_decoder.h"

namespace orvane {

inline constexpr std::size_t kReplayTickBytes = 128;

// Runs one tick with the given replies, through the same two calls as the poll.
// `blinkFrame` is used only when `frame` lights "SET"; null: the blink request went
// unanswered.
void DecodeTick(FrameDecoder& decoder, const Report& frame, const Report* blinkFrame = nullptr);

// Runs every tick of `bytes`; returns the number of ticks.
std::size_t ReplayTicks(FrameDecoder& decoder, std::span<const std::uint8_t> bytes);

// Describes what breaks the decoder's promises (a digit cell wider than three
// characters, a caption on an element that has none, ReadingText longer than four cells
// and three points, UnitText other than "", "cd/m2" or "fL"); empty when all hold.
std::string CheckDecoderInvariants(const FrameDecoder& decoder);

}  // namespace orvane
