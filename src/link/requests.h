// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every request the program sends to the meter. A request is one output report:
// byte 0 report ID 0, byte 1 always 1, byte 2 the code, parameters from byte 3 on.
// Bytes a request does not set keep what an earlier request left in the buffer.

#include <cstdint>

#include "link/report.h"

namespace orvane {

// Key codes: sent alone with SendReport, no parameters, no reply.
namespace key {
inline constexpr std::uint8_t kLight = 1;     // "LIGHT"
inline constexpr std::uint8_t kRange = 2;     // "RANGE"
inline constexpr std::uint8_t kMaxMin = 3;    // "MX / MN"
inline constexpr std::uint8_t kSet = 4;       // "SET"
inline constexpr std::uint8_t kHold = 5;      // "H"
inline constexpr std::uint8_t kDelta = 6;     // "Delta/%" while R-H is dark
inline constexpr std::uint8_t kEnter = 7;     // "ENTER"
inline constexpr std::uint8_t kTime = 8;      // "TIME"
inline constexpr std::uint8_t kMem = 9;       // "MEM"
inline constexpr std::uint8_t kRead = 10;     // "READ" (also CmdMem held over 3 s)
inline constexpr std::uint8_t kA = 11;        // "A"
inline constexpr std::uint8_t kB = 12;        // "B"
inline constexpr std::uint8_t kCmp = 15;      // "CMP"
inline constexpr std::uint8_t kDeltaRh = 26;  // "Delta/%" while R-H is lit
inline constexpr std::uint8_t kRef = 27;      // "REF"
inline constexpr std::uint8_t kAvg = 28;      // "AVG"
inline constexpr std::uint8_t kAcc = 29;      // "ACC"
}  // namespace key

// Commands and queries.
namespace request {
inline constexpr std::uint8_t kDisplayFrame = 98;          // query: the display frame
inline constexpr std::uint8_t kBlinkFrame = 99;            // query: blink codes (SET lit)
inline constexpr std::uint8_t kSamplingTimeQuery = 25;     // drain, query: bytes 1..2 seconds
inline constexpr std::uint8_t kSetSamplingTime = 24;       // bytes 3..4: seconds 1..3600
inline constexpr std::uint8_t kRecordingPeriodQuery = 13;  // drain, query: bytes 1..2
inline constexpr std::uint8_t kSetRecordingPeriod = 9;     // bytes 3..4: seconds 1..9999
inline constexpr std::uint8_t kLoggerStatus = 20;          // drain, query: status bytes 1..12
inline constexpr std::uint8_t kLoggerIndex = 16;           // send, then one read per report
inline constexpr std::uint8_t kSelectSet = 21;             // bytes 3..16: a set's stamp
inline constexpr std::uint8_t kSetContent = 17;            // none, or bytes 3..9 (unit option)
inline constexpr std::uint8_t kEraseAll = 19;              // erase every stored set
inline constexpr std::uint8_t kEraseSet = 18;              // bytes 3..16: the set to erase
inline constexpr std::uint8_t kClockRead = 22;             // query: bytes 1..7 date and time
inline constexpr std::uint8_t kClockSet = 23;              // bytes 3..9: date and time
}  // namespace request

// Stores report ID 0, the constant 1 and `code` into bytes 0..2; leaves the rest.
inline void StoreRequest(Report& out, std::uint8_t code) {
  out[0] = 0;
  out[1] = 1;
  out[2] = code;
}

// Stores a two-byte parameter big-endian at `first` and `first + 1`.
inline void StoreWord(Report& out, std::size_t first, int value) {
  out[first] = static_cast<std::uint8_t>((value / 256) & 0xFF);
  out[first + 1] = static_cast<std::uint8_t>(value % 256);
}

}  // namespace orvane
