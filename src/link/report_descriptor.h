// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The report lengths a HID report descriptor declares, as the platform's HID
// capabilities give them: the longest input and the longest output report in bytes,
// the report ID byte included (65 for the meter's 64-byte reports without report IDs).

#include <cstdint>
#include <optional>
#include <span>

namespace orvane {

struct ReportLengths {
  int input = 0;
  int output = 0;
};

// Nullopt for a descriptor that cannot be read to its end (an item cut off, a pop
// without a push, a report of more than 65535 bytes).
std::optional<ReportLengths> ReportLengthsOf(std::span<const std::uint8_t> descriptor);

}  // namespace orvane
