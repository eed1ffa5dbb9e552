// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A transport whose meter answers from a script: every read takes the next queued
// payload, and a read with nothing queued times out (the meter stopped answering).

#include <deque>
#include <vector>

#include "link/hid_transport.h"
#include "link/meter_link.h"
#include "link/report.h"

namespace orvane::testing {

using Payload = std::array<std::uint8_t, kPayloadLength>;

class ScriptedTransport final : public HidTransport {
 public:
  std::vector<HidDeviceInfo> Enumerate() override {
    return {{"script://meter", ORVANE_METER_VID, ORVANE_METER_PID, "meter"}};
  }
  bool Open(const std::string&) override { return true; }
  void Close() override {}
  bool Write(std::span<const std::uint8_t> report) override {
    Report r{};
    std::copy(report.begin(), report.end(), r.begin());
    written.push_back(r);
    return true;
  }
  ReadOutcome Read(std::span<std::uint8_t> payload, int) override {
    ++reads;
    if (replies.empty()) return ReadOutcome::TimedOut;
    std::copy(replies.front().begin(), replies.front().end(), payload.begin());
    replies.pop_front();
    return ReadOutcome::Completed;
  }
  int InputReportByteLength() const override { return 65; }
  int OutputReportByteLength() const override { return 65; }

  std::deque<Payload> replies;
  std::vector<Report> written;
  int reads = 0;
};

// Payload whose report byte i (1-based, as in InputReport) is bytes[i - 1].
inline Payload Reply(std::initializer_list<std::pair<int, std::uint8_t>> bytes,
                     std::uint8_t fill = 0) {
  Payload p;
  p.fill(fill);
  for (auto [at, value] : bytes) p[at - 1] = value;
  return p;
}

struct ScriptedLink {
  ScriptedTransport transport;
  SilentNotices notices;
  MeterLink link{transport, notices};
  ScriptedLink() { link.FindMeter(); }
  // Stands in for the report the drain takes off the link.
  void QueueDrain() { transport.replies.push_back(Reply({}, 0xEE)); }
};

}  // namespace orvane::testing
