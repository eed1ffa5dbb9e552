// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The built-in light meter: answers every request the program sends, with replies laid
// out byte for byte as the real meter lays them out. Deterministic for a given seed; its
// clock comes from an injected Clock.
//
// Replies wait in a queue, one input report each. A read with nothing queued gets the
// current display frame, as the meter keeps reporting its display; that is what the
// single read before a query ("drain") takes off the link.

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "common/clock.h"
#include "link/report.h"

namespace orvane {

using Payload = std::array<std::uint8_t, kPayloadLength>;  // report bytes 1..64

struct LoggerSet {
  std::array<std::uint8_t, 7> stamp{};  // BCD: century, year, month, day, hh, mm, ss
  std::string content;                  // the set's text as the meter sends it
};

class VirtualMeter {
 public:
  explicit VirtualMeter(const Clock& clock, std::uint32_t seed = 1);

  // One output report from the program (byte 0 report ID, byte 2 the code).
  void HandleRequest(const Report& request);
  // The next input report's payload (bytes 1..64).
  Payload NextReply();
  std::size_t QueuedReplies() const { return replies_.size(); }

  // --- What the meter shows ------------------------------------------------------
  enum class Unit : std::uint8_t { CdM2 = 1, FL = 2 };
  bool Recording() const { return recording_; }
  // The user ends every mode (setting, recording, R-H, MX/MN, hold): the meter measures.
  void ReturnToMeasuring() { setMode_ = recording_ = hold_ = false, maxMin_ = rh_ = 0; }
  // Moves the simulated light one step (called for every display frame).
  void Drift();
  // Makes every display frame exactly `frame` until cleared (for decoding tests).
  void ForceDisplayFrame(std::optional<Payload> frame) { forcedFrame_ = frame; }
  void ForceBlinkFrame(std::optional<Payload> frame) { forcedBlink_ = frame; }
  Payload DisplayFrame() const;
  Payload BlinkFrame() const;

  // --- Settings, clock and data logger ---------------------------------------------
  int samplingTime = 2;              // seconds, 1..3600
  int recordingPeriod = 60;          // seconds, 1..9999
  std::uint64_t memoryUsedK = 0;     // status figure 1 (computed from the sets)
  std::uint64_t memoryTotalK = 512;  // status figure 2
  std::vector<LoggerSet> sets;
  // The meter's clock: the injected clock plus this offset in seconds.
  std::int64_t clockOffsetSeconds = 0;
  DateTime MeterTime() const;

  // --- What the meter received, for tests --------------------------------------------
  std::vector<std::uint8_t> keysReceived;                 // key codes, in order
  std::vector<Report> requestsReceived;                   // every request, whole
  std::vector<std::array<std::uint8_t, 7>> lastSetStamp;  // stamps sent with 17
  // Whether requestsReceived grows; the program's built-in meter keeps no log, so a long
  // run does not grow by every poll.
  bool keepLog = true;

  // Fills the data logger with `count` sets of realistic content.
  void FillLogger(int count, std::size_t recordsPerSet = 40);

 private:
  void HandleKey(std::uint8_t code);
  void Queue(const Payload& p) { replies_.push_back(p); }
  void QueueWord(int value);
  void QueueStatus();
  void QueueIndex();
  void QueueSetLength(const Report& request);
  void QueueSetContent();
  void QueueClock();
  void SetClock(const Report& request);
  void EraseSet(const Report& request);
  std::uint64_t UsedK() const;

  const Clock& clock_;
  std::mt19937 random_;
  std::deque<Payload> replies_;
  std::uint8_t lastRequest_ = 0;  // the code of the request before the one handled
  std::optional<Payload> forcedFrame_;
  std::optional<Payload> forcedBlink_;
  Unit unit_ = Unit::CdM2;
  bool setMode_ = false;
  int setField_ = 0;  // which item blinks in setting mode
  bool recording_ = false;
  bool hold_ = false;
  int maxMin_ = 0;  // 0 off, 1 MX, 2 MN
  int range_ = 0;   // the RANGE key's step: 0 auto, 1..3 fixed
  int rh_ = 0;
  bool backlight_ = false;
  double luminance_ = 523.0;
  double held_ = 0;
  double max_ = 0;
  double min_ = 1e9;
  int selectedSet_ = -1;  // set chosen by request 21
};

}  // namespace orvane
