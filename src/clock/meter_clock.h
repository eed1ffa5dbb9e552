// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The meter's clock on the link. The meter answers a clock request (22) with the year in
// bytes 1 and 2 (big-endian), then month, day, hour (0..23), minute and second in bytes
// 3 to 7. The clock is set with request 23 carrying the same fields, in the same order,
// from byte 3 on; every field, the month included, is its plain number.

#include <string>

#include "common/clock.h"
#include "link/meter_link.h"
#include "link/report.h"

namespace orvane {

// What the meter time field shows while no fresh clock reply is at hand.
inline constexpr const char* kMeterClockNoConnection = " No Connection";

// "Y/MM/DD hh:mm:ss": the year as a decimal number without leading zeros, every other
// field in two digits (the last two of a larger number).
std::string FormatMeterClock(const Report& reply);

// Stores the clock-set request for `time` into bytes 0..9; leaves the rest.
void StoreClockSet(Report& request, const DateTime& time);

// Stores the clock read request into bytes 0..2.
void StoreClockRead(Report& request);

// Asks the meter for its clock and formats the reply; " No Connection" when the link is
// down after the exchange, so a stale or empty reply is never shown as the meter's time.
std::string ReadMeterClock(MeterLink& link);

// Sets the meter's clock to `time`. No reply is read; a request while the link is down is
// lost, as every request is.
void SetMeterClock(MeterLink& link, const DateTime& time);

}  // namespace orvane
