// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The meter's sampling time ("hh:nn:ss", 1 s to one hour) and recording period
// (seconds, 1 to 9999): the texts of their input boxes, the default answer from the
// meter's reply, and how a typed answer becomes the value that is sent.

#include <optional>
#include <string>
#include <string_view>

#include "link/meter_link.h"
#include "link/report.h"

namespace orvane {

inline constexpr const char* kSamplingPrompt =
    "Enter the SAMPLING TIME\r\n00:00:01 <= hh:nn:ss <= 01:00:00";
inline constexpr const char* kSamplingTitle = "Input Sampling Time";
inline constexpr const char* kSamplingFormatError =
    "Invalid, comply with the data format properly\r\n";
inline constexpr const char* kPeriodPrompt =
    "Enter the Recording Period in seconds\r\n(1 <= t <= 9999 ) ";
inline constexpr const char* kPeriodTitle = "Recording Period";

inline constexpr int kMaxSamplingSeconds = 3600;
inline constexpr int kMinPeriodSeconds = 1;
inline constexpr int kMaxPeriodSeconds = 9999;

// The seconds a query reply carries in bytes 1 and 2 (big-endian).
int SecondsFromReply(const Report& reply);

// Asks the meter for a setting (query `code`): one read whose reply is dropped, then the
// query. Nothing when the meter did not answer the query (no stale reply is read).
std::optional<int> QueryMeterSeconds(MeterLink& link, std::uint8_t code);

// What the input boxes show when the meter does not answer; nothing is sent then.
inline constexpr const char* kMeterSilentText = "The meter did not answer.";

// Sends a setting (`code`) with `seconds` in bytes 3 and 4; no reply is read.
void SendMeterSeconds(MeterLink& link, std::uint8_t code, int seconds);

// "hh:nn:ss" for the sampling time's input box: 90 gives "00:01:30".
std::string SamplingDefaultText(int seconds);

struct SamplingAnswer {
  enum class Kind {
    Cancelled,  // empty answer: nothing is sent
    BadFormat,  // not two colons, or a negative total: the format message, ask again
    Zero,       // a total of 0: ask again without a message
    Accepted,   // `seconds` is sent
  } kind = Kind::Cancelled;
  int seconds = 0;
};

// Hours before the first colon, minutes up to the second, at most two characters of
// seconds after it; the total is cut to one hour. The parts are not limited one by one.
SamplingAnswer ParseSamplingAnswer(std::string_view answer);

// The recording period an answer gives: its number cut toward zero and forced into
// 1..9999 (no number gives 1). Nothing for an empty answer.
std::optional<int> ParsePeriodAnswer(std::string_view answer);

}  // namespace orvane
