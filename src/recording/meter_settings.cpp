// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording/meter_settings.h"

#include <cmath>

#include "common/text_fields.h"
#include "common/text_value.h"
#include "link/requests.h"

namespace orvane {

int SecondsFromReply(const Report& reply) {
  return BigEndianWord(reply, 1);
}

std::optional<int> QueryMeterSeconds(MeterLink& link, std::uint8_t code) {
  link.ReceiveReport();
  StoreRequest(link.OutputReport(), code);
  link.ExchangeReports();
  if (link.MeterConnected() != -1) return std::nullopt;
  return SecondsFromReply(link.InputReport());
}

void SendMeterSeconds(MeterLink& link, std::uint8_t code, int seconds) {
  StoreRequest(link.OutputReport(), code);
  StoreWord(link.OutputReport(), 3, seconds);
  link.SendReport();
}

std::string SamplingDefaultText(int seconds) {
  const int minutes = seconds / 60;
  return TwoDigits(minutes / 60) + ":" + TwoDigits(minutes % 60) + ":" + TwoDigits(seconds % 60);
}

SamplingAnswer ParseSamplingAnswer(std::string_view answer) {
  using Kind = SamplingAnswer::Kind;
  if (answer.empty()) return {Kind::Cancelled, 0};
  const std::size_t p1 = answer.find(':');
  const std::size_t p2 = p1 == std::string_view::npos ? p1 : answer.find(':', p1 + 1);
  if (p2 == std::string_view::npos) return {Kind::BadFormat, 0};

  const double hh = NumericValue(answer.substr(0, p1));
  const double nn = NumericValue(answer.substr(p1 + 1, p2 - p1 - 1));
  const double ss = NumericValue(answer.substr(p2 + 1, 2));
  const double total = hh * 3600.0 + nn * 60.0 + ss;
  // A negative total cannot travel in the two unsigned bytes of the request.
  if (total < 0) return {Kind::BadFormat, 0};
  const int seconds =
      total > kMaxSamplingSeconds ? kMaxSamplingSeconds : static_cast<int>(std::trunc(total));
  if (seconds == 0) return {Kind::Zero, 0};
  return {Kind::Accepted, seconds};
}

std::optional<int> ParsePeriodAnswer(std::string_view answer) {
  if (answer.empty()) return std::nullopt;
  const double t = std::trunc(NumericValue(answer));
  if (t > kMaxPeriodSeconds) return kMaxPeriodSeconds;
  if (t < kMinPeriodSeconds) return kMinPeriodSeconds;
  return static_cast<int>(t);
}

}  // namespace orvane
