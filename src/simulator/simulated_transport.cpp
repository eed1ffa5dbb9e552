// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulator/simulated_transport.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "common/text_value.h"

namespace orvane {

namespace {
constexpr const char* kNoDevice = "No such device";  // how the platform words a lost device
}  // namespace

SimulatedTransport::SimulatedTransport(VirtualMeter& meter, std::uint16_t vendorId,
                                       std::uint16_t productId)
    : meter_(meter), vendorId_(vendorId), productId_(productId) {}

void SimulatedTransport::ScheduleUnplug(const Clock& clock, std::int64_t afterMs,
                                        std::int64_t forMs) {
  scheduleClock_ = &clock;
  unplugFromMs_ = clock.MonotonicMs() + afterMs;
  unplugUntilMs_ = unplugFromMs_ + forMs;
}

void SimulatedTransport::FollowSchedule() {
  if (scheduleClock_ == nullptr) return;
  const std::int64_t now = scheduleClock_->MonotonicMs();
  plugged_ = now < unplugFromMs_ || now >= unplugUntilMs_;
}

bool ScheduleUnplugFromEnvironment(SimulatedTransport& transport, const Clock& clock) {
  const char* value = std::getenv("ORVANE_SIMULATE_UNPLUG");
  if (value == nullptr) return false;
  const std::string text = value;
  const std::size_t colon = text.find(':');
  if (colon == std::string::npos) return false;
  const double after = NumericValue(text.substr(0, colon));
  const double length = NumericValue(text.substr(colon + 1));
  if (!(after >= 0 && length > 0 && after < 1e6 && length < 1e6)) return false;
  transport.ScheduleUnplug(clock, static_cast<std::int64_t>(after * 1000),
                           static_cast<std::int64_t>(length * 1000));
  return true;
}

std::vector<HidDeviceInfo> SimulatedTransport::Enumerate() {
  FollowSchedule();
  ++enumerations;
  std::vector<HidDeviceInfo> list = others_;
  if (plugged_) {
    list.push_back({kMeterPath, vendorId_, productId_, "Simulated Light Meter", kMeterSerial, 0});
  }
  return list;
}

bool SimulatedTransport::Open(const std::string& path) {
  FollowSchedule();
  Close();
  opened.push_back(path);
  lastOpenDenied_ = std::find(denied_.begin(), denied_.end(), path) != denied_.end();
  const bool isMeter = path == kMeterPath;
  const bool listed = std::any_of(others_.begin(), others_.end(),
                                  [&](const HidDeviceInfo& d) { return d.path == path; });
  if (lastOpenDenied_ || (isMeter && !plugged_) || (!isMeter && !listed)) {
    lastError_ = lastOpenDenied_ ? "Permission denied" : kNoDevice;
    return false;
  }
  open_ = true;
  openPath_ = path;
  return true;
}

void SimulatedTransport::Close() {
  if (open_) ++closes;
  open_ = false;
  openPath_.clear();
}

bool SimulatedTransport::Write(std::span<const std::uint8_t> report) {
  FollowSchedule();
  if (!open_ || !plugged_) {
    lastError_ = kNoDevice;
    return false;
  }
  Report whole{};
  std::copy_n(report.begin(), std::min(report.size(), whole.size()), whole.begin());
  if (keepLog) written.push_back(whole);
  if (openPath_ == kMeterPath) meter_.HandleRequest(whole);
  return true;
}

ReadOutcome SimulatedTransport::Read(std::span<std::uint8_t> payload, int /*timeoutMs*/) {
  FollowSchedule();
  ++reads;
  if (!open_ || (openPath_ == kMeterPath && !plugged_)) return Lost();
  if (failReads_ > 0) {
    --failReads_;
    return Lost();
  }
  if (silent_ || answerBudget_ == 0 || openPath_ != kMeterPath) return ReadOutcome::TimedOut;
  if (answerBudget_ > 0) --answerBudget_;
  const Payload reply = mixUps_ > 0 ? StrayReply() : meter_.NextReply();
  std::copy_n(reply.begin(), std::min(reply.size(), payload.size()), payload.begin());
  return ReadOutcome::Completed;
}

ReadOutcome SimulatedTransport::Lost() {
  lastError_ = kNoDevice;
  return ReadOutcome::Failed;
}

Payload SimulatedTransport::StrayReply() {
  --mixUps_;
  switch (mixedUpReplies++ % 3) {
    case 0:
      return meter_.DisplayFrame();
    case 1:
      return meter_.BlinkFrame();
    default: {
      Payload noise{};
      std::uniform_int_distribution<int> byte(0, 255);
      for (auto& b : noise) b = static_cast<std::uint8_t>(byte(noise_));
      return noise;
    }
  }
}

int SimulatedTransport::InputReportByteLength() const {
  return open_ ? inputLength_ : 0;
}
int SimulatedTransport::OutputReportByteLength() const {
  return open_ ? outputLength_ : 0;
}

}  // namespace orvane
