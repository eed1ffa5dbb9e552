// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulator/uhid_meter_plan.h"

#include <algorithm>

namespace orvane {

std::optional<Report> RequestFromOutput(std::span<const std::uint8_t> data) {
  Report request{};
  if (data.size() == kReportLength && data[0] == 0) {
    std::copy(data.begin(), data.end(), request.begin());
    return request;
  }
  if (data.size() == kPayloadLength) {
    std::copy(data.begin(), data.end(), request.begin() + 1);
    return request;
  }
  return std::nullopt;
}

void PlugSchedule::Plugged(std::int64_t nowMs) {
  if (unplugged_) replugged_ = true;
  plugged_ = true;
  sinceMs_ = nowMs;
  replies_ = 0;
}

void PlugSchedule::Unplugged(std::int64_t nowMs) {
  plugged_ = false;
  unplugged_ = true;
  sinceMs_ = nowMs;
}

std::optional<std::int64_t> PlugSchedule::NextAt() const {
  if (plugged_ && !unplugged_ && plan_.unplugAfterMs >= 0) return sinceMs_ + plan_.unplugAfterMs;
  if (!plugged_ && unplugged_ && !replugged_ && plan_.replugAfterMs >= 0) {
    return sinceMs_ + plan_.replugAfterMs;
  }
  return std::nullopt;
}

bool PlugSchedule::RepliesSpent() const {
  return plugged_ && !unplugged_ && plan_.unplugAfterReplies >= 0 &&
         replies_ >= plan_.unplugAfterReplies;
}

PlugSchedule::Action PlugSchedule::Due(std::int64_t nowMs) const {
  const auto at = NextAt();
  if (!at || nowMs < *at) return Action::None;
  return plugged_ ? Action::Unplug : Action::Replug;
}

std::int64_t PlugSchedule::WaitMs(std::int64_t nowMs) const {
  const auto at = NextAt();
  return at ? std::max<std::int64_t>(0, *at - nowMs) : -1;
}

}  // namespace orvane
