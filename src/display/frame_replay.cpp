// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/frame_replay.h"

#include <algorithm>

#include "display/lcd_layout.h"

namespace orvane {

void DecodeTick(FrameDecoder& d, const Report& frame, const Report* blinkFrame) {
  d.DecodeFrame(frame);
  if (d.SetLit() && blinkFrame != nullptr) d.DecodeBlinkFrame(*blinkFrame);
}

std::size_t ReplayTicks(FrameDecoder& decoder, std::span<const std::uint8_t> bytes) {
  std::size_t ticks = 0;
  for (std::size_t at = 0; at < bytes.size(); at += kReplayTickBytes, ++ticks) {
    Report frame{};
    Report blink{};
    const auto chunk = bytes.subspan(at, std::min(kReplayTickBytes, bytes.size() - at));
    const std::size_t half = std::min(kPayloadLength, chunk.size());
    std::copy_n(chunk.begin(), half, frame.begin() + 1);
    std::copy(chunk.begin() + half, chunk.end(), blink.begin() + 1);
    DecodeTick(decoder, frame, &blink);
  }
  return ticks;
}

std::string CheckDecoderInvariants(const FrameDecoder& d) {
  const LcdModel& m = d.Model();
  for (const auto& e : LcdLayout()) {
    const std::string& caption = m.Get(e.name).caption;
    const bool digit = e.name.starts_with("LblSeg");
    if (digit && caption.size() > 3) return std::string(e.name) + " shows " + caption;
    if (!digit && caption != e.caption) return std::string(e.name) + " lost its caption";
  }
  if (d.ReadingText().size() > 4 * 3 + 3) return "ReadingText " + d.ReadingText();
  const std::string& u = d.UnitText();
  if (!u.empty() && u != "cd/m2" && u != "fL") return "UnitText " + u;
  if (m.Size() != LcdLayout().size() + 1) return "elements added or lost";
  return {};
}

}  // namespace orvane
