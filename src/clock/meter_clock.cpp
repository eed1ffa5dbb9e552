// SPDX-License-Identifier: GPL-3.0-or-later
#include "clock/meter_clock.h"

#include "common/text_fields.h"
#include "link/requests.h"

namespace orvane {

std::string FormatMeterClock(const Report& reply) {
  return std::to_string(BigEndianWord(reply, 1)) + "/" + TwoDigits(reply[3]) + "/" +
         TwoDigits(reply[4]) + " " + TwoDigits(reply[5]) + ":" + TwoDigits(reply[6]) + ":" +
         TwoDigits(reply[7]);
}

void StoreClockRead(Report& request) {
  StoreRequest(request, request::kClockRead);
}

void StoreClockSet(Report& request, const DateTime& time) {
  StoreRequest(request, request::kClockSet);
  StoreWord(request, 3, time.year);
  request[5] = static_cast<std::uint8_t>(time.month);
  request[6] = static_cast<std::uint8_t>(time.day);
  request[7] = static_cast<std::uint8_t>(time.hour);
  request[8] = static_cast<std::uint8_t>(time.minute);
  request[9] = static_cast<std::uint8_t>(time.second);
}

std::string ReadMeterClock(MeterLink& link) {
  StoreClockRead(link.OutputReport());
  link.ExchangeReports();
  if (link.MeterConnected() != -1) return kMeterClockNoConnection;
  return FormatMeterClock(link.InputReport());
}

void SetMeterClock(MeterLink& link, const DateTime& time) {
  StoreClockSet(link.OutputReport(), time);
  link.SendReport();
}

}  // namespace orvane
