// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The decoded display as text: one line per panel element that the poll writes, sorted
// by name ("name<TAB>caption<TAB>visible<TAB>enabled", 1 or 0), then ReadingText,
// UnitText and the lit annunciators in byte order. For decoding captured reports
// without a window.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "display/frame_decoder.h"

namespace orvane {

struct CapturedTick {
  Report frame{};
  std::optional<Report> blink;  // the blink frame's reply, if one was captured
};

// Reads 128 hex digits, report bytes 1..64 of one reply, into `out` (byte 0 stays 0).
bool ParseReplyHex(std::string_view hex, Report& out);

// Reads "HEX [--blink HEX] [HEX [--blink HEX]]...". Returns nothing and sets `error`
// to a one-line message on bad input.
std::optional<std::vector<CapturedTick>> ParseCapturedTicks(const std::vector<std::string>& words,
                                                            std::string& error);

// Runs the ticks from the state at program start, as the poll does: the blink frame is
// used only when the display frame lights "SET"; a tick with "SET" lit and no blink frame
// is one whose blink request went unanswered.
void DecodeCapturedTicks(FrameDecoder& decoder, const std::vector<CapturedTick>& ticks);

std::string DescribeDisplay(const FrameDecoder& decoder);

// The small digits and the secondary row as one line, read left to right as the LCD shows
// them with the separators and points that are lit: "123 12/05 10:30" (a blank between
// the two rows).
std::string SecondaryDigitsText(const FrameDecoder& decoder);

// The display as a screen reader says it, one line: the main reading with its unit as
// the LCD shows them, then the lit symbols in the meter's byte order (the pictures by a
// word): "528.0 cd/m², REC, USB". Blank digits are left out.
std::string SpokenDisplay(const FrameDecoder& decoder);

}  // namespace orvane
