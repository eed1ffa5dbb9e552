// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/display_listing.h"

#include <algorithm>
#include <array>

#include "display/annunciator_captions.h"
#include "display/frame_replay.h"

namespace orvane {

namespace {

// Elements that keep their design state: the poll never writes them.
constexpr std::array<std::string_view, 6> kNeverWritten = {"Lbllx", "Lblfc", "LblK3",
                                                           "Lblh3", "Lblm",  "Lblft"};

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool ParseReplyHex(std::string_view hex, Report& out) {
  if (hex.size() != 2 * kPayloadLength) return false;
  Report r{};
  for (std::size_t i = 0; i < kPayloadLength; ++i) {
    const int hi = HexValue(hex[2 * i]);
    const int lo = HexValue(hex[2 * i + 1]);
    if (hi < 0 || lo < 0) return false;
    r[i + 1] = static_cast<std::uint8_t>(hi * 16 + lo);
  }
  out = r;
  return true;
}

std::optional<std::vector<CapturedTick>> ParseCapturedTicks(const std::vector<std::string>& words,
                                                            std::string& error) {
  std::vector<CapturedTick> ticks;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const bool blink = words[i] == "--blink";
    if (blink && (ticks.empty() || ticks.back().blink || i + 1 == words.size())) {
      error = "--blink must follow a display frame and be followed by one blink frame";
      return std::nullopt;
    }
    const std::string& hex = blink ? words[++i] : words[i];
    Report r{};
    if (!ParseReplyHex(hex, r)) {
      error = "not 128 hex digits: " + hex.substr(0, 140);
      return std::nullopt;
    }
    if (blink) {
      ticks.back().blink = r;
    } else {
      ticks.push_back(CapturedTick{r, std::nullopt});
    }
  }
  if (ticks.empty()) error = "no display frame given";
  if (ticks.empty()) return std::nullopt;
  return ticks;
}

void DecodeCapturedTicks(FrameDecoder& d, const std::vector<CapturedTick>& ticks) {
  for (const auto& t : ticks) DecodeTick(d, t.frame, t.blink ? &*t.blink : nullptr);
}

std::string DescribeDisplay(const FrameDecoder& d) {
  std::vector<std::string> names = d.Model().Names();
  std::erase_if(names, [](const std::string& n) {
    return std::find(kNeverWritten.begin(), kNeverWritten.end(), n) != kNeverWritten.end();
  });
  std::sort(names.begin(), names.end());
  std::string out;
  for (const auto& n : names) {
    const ElementState& s = d.Model().Get(n);
    out += n + '\t' + s.caption + '\t' + (s.visible ? '1' : '0') + '\t' + (s.enabled ? '1' : '0') +
           '\n';
  }
  out += "ReadingText\t" + d.ReadingText() + '\n';
  out += "UnitText\t" + d.UnitText() + '\n';
  out += "lit\t";
  const auto lit = d.LitAnnunciators();
  for (std::size_t i = 0; i < lit.size(); ++i) {
    if (i > 0) out += ' ';
    out += lit[i];
  }
  out += '\n';
  return out;
}

namespace {

// The elements of the two lower rows, left to right as the layout places them.
constexpr std::string_view kSmallRow[] = {"LblSeg5", "LblSeg6", "LblSeg7"};
constexpr std::string_view kSecondRow[] = {
    "LblSeg8",   "LblSeg9",    "LblSlash1", "LblDotDot1", "LblSeg10", "LblP10",   "LblSeg11",
    "LblSlash2", "LblDotDot2", "LblP11",    "LblSeg12",   "LblP13",   "LblSeg13",
};

template <std::size_t N>
void AppendRow(std::string& out, const FrameDecoder& d, const std::string_view (&row)[N]) {
  for (const std::string_view name : row) {
    const ElementState& s = d.Model().Get(name);
    if (s.visible) out += s.caption;
  }
}

}  // namespace

std::string SpokenDisplay(const FrameDecoder& d) {
  std::string reading = d.ReadingText();
  reading.erase(0, reading.find_first_not_of(' '));
  reading.erase(reading.find_last_not_of(' ') + 1);
  // The unit as lit (a unit the display does not show is not said), by its flags, which
  // the blinking of the setting mode does not toggle.
  std::string unit = d.Flag("ShowCd") ? "cd/m\u00b2" : d.Flag("ShowFL") ? "fL" : "";
  if (d.KLit()) unit = "K" + unit;
  std::string out = reading;
  if (!unit.empty()) out += (out.empty() ? "" : " ") + unit;
  for (int i = 0; i < kAnnunciatorCount; ++i) {
    if (!d.Annunciator(i)) continue;
    if (!out.empty()) out += ", ";
    out += kAnnunciatorCaptions[i];
  }
  return out;
}

std::string SecondaryDigitsText(const FrameDecoder& d) {
  std::string out;
  AppendRow(out, d, kSmallRow);
  out += ' ';
  AppendRow(out, d, kSecondRow);
  return out;
}

}  // namespace orvane
