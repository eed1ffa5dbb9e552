// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One HID report as the program holds it: byte 0 is the report ID (always 0 for the
// meter), bytes 1..64 carry the request or the reply.

#include <array>
#include <cstddef>
#include <cstdint>

namespace orvane {

inline constexpr std::size_t kReportLength = 65;   // report ID + 64 payload bytes
inline constexpr std::size_t kPayloadLength = 64;  // what travels without the report ID
using Report = std::array<std::uint8_t, kReportLength>;

// A two-byte reply value: first byte times 256 plus second byte.
inline constexpr int BigEndianWord(const Report& r, std::size_t first) {
  return r[first] * 256 + r[first + 1];
}

}  // namespace orvane
