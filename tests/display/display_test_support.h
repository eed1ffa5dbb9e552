// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Builds display and blink frames for the decoding tests.

#include <initializer_list>
#include <utility>

#include "display/frame_replay.h"

namespace orvane::test {

// A reply with the given (byte, value) pairs; every other byte is 0.
inline Report Frame(std::initializer_list<std::pair<int, int>> bytes) {
  Report r{};
  for (auto [b, v] : bytes) r[b] = static_cast<std::uint8_t>(v);
  return r;
}

// A blink frame: unit, digit, point and symbol codes in bytes 1..4.
inline Report Blink(int unit, int digit, int point, int symbol) {
  return Frame({{1, unit}, {2, digit}, {3, point}, {4, symbol}});
}

inline std::string Caption(const FrameDecoder& d, std::string_view name) {
  return d.Model().Get(name).caption;
}
inline bool Visible(const FrameDecoder& d, std::string_view name) {
  return d.Model().Get(name).visible;
}

}  // namespace orvane::test
