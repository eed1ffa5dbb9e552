// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A meter link wired to the built-in meter, with notices recorded: the rig most link,
// poll and command tests start from.

#include <string>
#include <vector>

#include "common/clock.h"
#include "link/meter_link.h"
#include "simulator/simulated_transport.h"
#include "simulator/virtual_meter.h"

namespace orvane::test {

struct RecordedNotices final : LinkNotices {
  void SetNameCaption(std::string_view c) override { captions.emplace_back(c); }
  void AppendResultLine(std::string_view l) override { lines.emplace_back(l); }
  std::string LastCaption() const { return captions.empty() ? "" : captions.back(); }
  std::vector<std::string> captions;
  std::vector<std::string> lines;
};

struct SimRig {
  static constexpr std::uint16_t kVid = 0x1234, kPid = 0x5678;
  ManualClock clock;
  VirtualMeter meter{clock, 7};
  SimulatedTransport transport{meter, kVid, kPid};
  RecordedNotices notices;
  MeterLink link{transport, notices, MeterIds{kVid, kPid}};
};

}  // namespace orvane::test
