// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/instant_resolver.h"

#include <ctime>

namespace orvane {

long UtcOffsetAt(std::int64_t epoch) {
  const std::time_t t = static_cast<std::time_t>(epoch);
  std::tm local{};
  if (localtime_r(&t, &local) == nullptr) return 0;
  return local.tm_gmtoff;
}

void AppendUtcOffset(long offset, std::string& out) {
  const long minutes = (offset < 0 ? -offset : offset) / 60;
  const long hours = minutes / 60 % 100;
  out += offset < 0 ? '-' : '+';
  out += static_cast<char>('0' + hours / 10);
  out += static_cast<char>('0' + hours % 10);
  out += ':';
  out += static_cast<char>('0' + minutes % 60 / 10);
  out += static_cast<char>('0' + minutes % 10);
}

namespace {

// The offsets a local time may have been taken at: those of a day before and a day after
// (a zone changes its offset at most once in two days), each where it is the offset in
// force at the instant it gives. `count` 0: the local time was skipped by the clocks.
struct Candidates {
  long offsets[2] = {};
  int count = 0;
  long before = 0;  // the offset a day before
};

Candidates CandidatesOf(std::int64_t localSerial) {
  Candidates c;
  c.before = UtcOffsetAt(localSerial - 86400);
  const long after = UtcOffsetAt(localSerial + 86400);
  for (const long offset : {c.before, after}) {
    if (c.count == 1 && c.offsets[0] == offset) break;
    if (UtcOffsetAt(localSerial - offset) == offset) c.offsets[c.count++] = offset;
  }
  return c;
}

}  // namespace

std::int64_t EarliestInstant(std::int64_t localSerial) {
  const Candidates c = CandidatesOf(localSerial);
  if (c.count == 0) return localSerial - c.before;
  const long larger = c.count == 2 && c.offsets[1] > c.offsets[0] ? c.offsets[1] : c.offsets[0];
  return localSerial - larger;
}

std::int64_t LatestInstant(std::int64_t localSerial) {
  const Candidates c = CandidatesOf(localSerial);
  if (c.count == 0) return localSerial - c.before;
  const long smaller = c.count == 2 && c.offsets[1] < c.offsets[0] ? c.offsets[1] : c.offsets[0];
  return localSerial - smaller;
}

Instant InstantResolver::Resolve(std::int64_t localSerial) const {
  const Candidates c = CandidatesOf(localSerial);
  if (c.count == 0) return {localSerial - c.before, c.before};  // a time the clocks skipped
  if (c.count == 1) return {localSerial - c.offsets[0], c.offsets[0]};
  // Taken twice: the first pass has the larger offset. A stamp that lies well before the
  // one before it (half the change or more) is the second pass.
  const long first = c.offsets[0] > c.offsets[1] ? c.offsets[0] : c.offsets[1];
  const long second = c.offsets[0] > c.offsets[1] ? c.offsets[1] : c.offsets[0];
  const std::int64_t firstPass = localSerial - first;
  if (any_ && firstPass < last_ - (first - second) / 2) return {localSerial - second, second};
  return {firstPass, first};
}

void InstantResolver::LearnHour(std::int64_t hour) {
  hour_ = hour;
  const Candidates start = CandidatesOf(hour * 3600);
  const Candidates end = CandidatesOf(hour * 3600 + 3599);
  hourPlain_ = start.count == 1 && end.count == 1 && start.offsets[0] == end.offsets[0];
  hourOffset_ = start.offsets[0];
}

Instant InstantResolver::Next(std::int64_t localSerial) {
  const std::int64_t hour = localSerial >= 0 ? localSerial / 3600 : (localSerial - 3599) / 3600;
  if (hour != hour_) LearnHour(hour);
  const Instant instant =
      hourPlain_ ? Instant{localSerial - hourOffset_, hourOffset_} : Resolve(localSerial);
  any_ = true;
  last_ = instant.epoch;
  return instant;
}

}  // namespace orvane
