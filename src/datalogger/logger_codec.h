// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The byte layouts of the meter's data logger: the status reply, the stream of start
// stamps, the length of a record set and its content blocks, and the two ways a stamp
// travels back to the meter (one ASCII digit per byte, or the BCD bytes as received).

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "link/report.h"

namespace orvane {

inline constexpr std::size_t kStampBytes = 7;       // century, year, month, day, h, m, s
inline constexpr std::size_t kStampDigits = 14;     // the stamp's text, "YYYYMMDDhhmmss"
inline constexpr std::size_t kStampsPerReport = 9;  // index report bytes 2..64
inline constexpr std::size_t kIndexFirstByte = 2;
inline constexpr std::size_t kContentBlockBytes = 64;  // content report bytes 1..64
inline constexpr std::size_t kContentFirstByte = 1;

using StampBytes = std::array<std::uint8_t, kStampBytes>;
using StampAscii = std::array<std::uint8_t, kStampDigits>;

// Reply to the status query.
struct LoggerStatus {
  std::uint64_t figure1 = 0;  // bytes 1..5, shown as kilobytes
  std::uint64_t figure2 = 0;  // bytes 6..10, reference of the memory gauge
  int setCount = 0;           // bytes 11..12, S: stored record sets
};

// Five reply bytes from `first` on, big-endian: 40 bits.
std::uint64_t Figure40(const Report& reply, std::size_t first);
LoggerStatus DecodeStatus(const Report& reply);
// The length in bytes of the chosen record set's text (reply bytes 1..5).
std::uint64_t DecodeSetLength(const Report& reply);

// Index reports for S sets: S div 9, plus one for a remainder.
std::uint64_t IndexReportCount(std::uint64_t setCount);
// Content reports for a text of L bytes: L div 64, plus one for a remainder.
std::uint64_t ContentBlockCount(std::uint64_t length);

// The stamp as 14 upper-case hexadecimal digits, two per byte ("20140414123456").
std::string StampText(std::span<const std::uint8_t, kStampBytes> bytes);
// "YYYY/MM/DD hh:mm:ss" from a stamp text; characters missing from a short text are
// left out rather than read past its end.
std::string StampDisplay(std::string_view stampText);

// One byte per character: 48 + the digit; a non-digit or a missing character gives 48.
StampAscii StampAsciiBytes(std::string_view stampText);
// The values of the hexadecimal digit pairs 1-2 .. 13-14 (the bytes as the meter sent
// them); a character that is not a hexadecimal digit, or a missing one, counts as 0.
StampBytes StampBcdBytes(std::string_view stampText);

// The percentage figure 1 / figure 2 x 100 for the memory gauge, 0..100; 0 when
// figure 2 is 0 (no reference to measure against).
int MemoryGaugePercent(const LoggerStatus& status);
// "<figure 1>k Bytes".
std::string MemorySizeCaption(const LoggerStatus& status);
// What the data logger window says of the memory: "used <figure 1> of <figure 2> kB", or
// "used <figure 1> kB" when figure 2 is 0 (no capacity to tell).
std::string MemoryUsedCaption(const LoggerStatus& status);

}  // namespace orvane
