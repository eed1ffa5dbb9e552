// SPDX-License-Identifier: GPL-3.0-or-later
// Typed and stored texts: the numeric value of a text, reading texts, meter ids.

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/live_reading.h"
#include "common/text_value.h"
#include "link/meter_link.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  volatile double v = orvane::NumericValue(text);
  v = orvane::ReadingValue(text);
  (void)v;
  const std::string converted = orvane::ConvertReadingText(text, size % 2 == 0);
  if (converted.size() > text.size() + 400) __builtin_trap();
  orvane::MeterIds ids;
  orvane::ParseMeterIds(text, ids);
  return 0;
}
