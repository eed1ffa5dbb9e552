// SPDX-License-Identifier: GPL-3.0-or-later
// The meter's replies to every query, whatever their bytes: the input is cut into
// 64-byte reports and each is read as the answer to the sampling time and recording
// period queries, the data logger's status, a set's length, an index report's stamps
// and the clock. Every decoder must stay within what its callers are promised.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "clock/meter_clock.h"
#include "datalogger/logger_codec.h"
#include "recording/meter_settings.h"

namespace {

using namespace orvane;

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

void ReadAsEveryReply(const Report& r) {
  const int seconds = SecondsFromReply(r);
  Check(seconds >= 0 && seconds <= 65535);
  Check(SamplingDefaultText(seconds).size() == 8);  // "hh:nn:ss"

  const LoggerStatus status = DecodeStatus(r);
  Check(status.figure1 < (std::uint64_t{1} << 40) && status.figure2 < (std::uint64_t{1} << 40));
  Check(status.setCount >= 0 && status.setCount <= 65535);
  const int percent = MemoryGaugePercent(status);
  Check(percent >= 0 && percent <= 100);
  Check(MemorySizeCaption(status).size() <= 13 + 7);
  Check(IndexReportCount(static_cast<std::uint64_t>(status.setCount)) * kStampsPerReport >=
        static_cast<std::uint64_t>(status.setCount));

  const std::uint64_t length = DecodeSetLength(r);
  const std::uint64_t blocks = ContentBlockCount(length);
  Check(blocks * kContentBlockBytes >= length && blocks * kContentBlockBytes < length + 64);

  for (std::size_t s = 0; s < kStampsPerReport; ++s) {
    const std::span<const std::uint8_t, kStampBytes> bytes(r.data() + kIndexFirstByte + 7 * s,
                                                           kStampBytes);
    const std::string text = StampText(bytes);
    Check(text.size() == kStampDigits);
    Check(StampDisplay(text).size() == 19);  // "YYYY/MM/DD hh:mm:ss"
    const StampBytes back = StampBcdBytes(text);
    Check(std::equal(back.begin(), back.end(), bytes.begin()));  // the bytes as they came
  }

  const std::string clock = FormatMeterClock(r);
  Check(clock.size() >= 16 && clock.size() <= 20);  // "Y/MM/DD hh:mm:ss", Y up to 65535
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  for (std::size_t at = 0; at < size; at += kPayloadLength) {
    Report r{};
    std::copy_n(data + at, std::min(kPayloadLength, size - at), r.begin() + 1);
    ReadAsEveryReply(r);
  }
  return 0;
}
