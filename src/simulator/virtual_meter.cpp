// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulator/virtual_meter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "common/number_text.h"
#include "common/text_fields.h"
#include "link/requests.h"

namespace orvane {

namespace {

constexpr std::uint8_t kBlank = 10;    // digit code of an empty cell
constexpr std::uint8_t kLetterL = 19;  // "L" in the main digits' letter table
constexpr std::uint8_t kBatteryFull = 21;

// Every reply is laid out by report byte number, 1..64, as the program reads it: one
// table per reply, and At() to reach a byte by its number.
std::uint8_t& At(Payload& p, std::size_t byte) {
  return p[byte - 1];
}

// Display frame (request 98): digit, mode and clock bytes; annunciators lit when odd.
namespace display_reply {
constexpr std::size_t kDigit1 = 1, kDigit2 = 2, kDigit3 = 3, kDigit4 = 4;
constexpr std::size_t kPoint = 5, kMultiplier = 6, kUnit = 7;
constexpr std::size_t kSmall1 = 8, kSmall2 = 9, kSmall3 = 10;
constexpr std::size_t kHourTens = 11, kHourUnits = 12, kSeparator1 = 13;
constexpr std::size_t kMinuteTens = 14, kMinuteUnits = 15, kSeparator2 = 16;
constexpr std::size_t kSecondTens = 17, kSecondUnits = 18, kSecondPoint = 19;
constexpr std::size_t kRH = 21, kREC = 23, kMX = 24, kMxDashMn = 25, kMN = 26, kH = 28;
constexpr std::size_t kREF = 29, kSET = 45, kUSB = 50, kBattery = 60;
}  // namespace display_reply

// Blink frame (request 99): the blink code of each group.
namespace blink_reply {
constexpr std::size_t kUnit = 1, kDigit = 2;
}  // namespace blink_reply

// A two-byte figure (requests 25 and 13), big-endian.
namespace word_reply {
constexpr std::size_t kHigh = 1, kLow = 2;
}  // namespace word_reply

// Logger status (request 20): memory used and total in K, 40-bit each, and the set count.
namespace status_reply {
constexpr std::size_t kUsedK = 1, kTotalK = 6, kSetCountHigh = 11, kSetCountLow = 12;
}  // namespace status_reply

// Logger index (request 16): seven-byte stamps, nine a report.
namespace index_reply {
constexpr std::size_t kFirstStamp = 2, kStampLength = 7, kStampsPerReport = 9;
}  // namespace index_reply

// Set length (request 21): the chosen set's length in bytes, 40-bit.
namespace length_reply {
constexpr std::size_t kLength = 1;
}  // namespace length_reply

// Set content (request 17 after 21): the set's text from byte 1, 64 bytes a report.
namespace content_reply {
constexpr std::size_t kFirstByte = 1;
}  // namespace content_reply

// Meter clock (request 22).
namespace clock_reply {
constexpr std::size_t kYearHigh = 1, kYearLow = 2, kMonth = 3, kDay = 4;
constexpr std::size_t kHour = 5, kMinute = 6, kSecond = 7;
}  // namespace clock_reply

// Light levels the RANGE key steps through: a room, a dim corridor, daylight in
// thousands, and a source beyond the meter's range.
constexpr double kScenes[] = {523.0, 12.3, 48200.0, 2.0e7};

std::uint8_t Bcd(int value) {
  return static_cast<std::uint8_t>((value / 10) * 16 + value % 10);
}

// A 40-bit figure, big-endian, in bytes `firstByte` .. `firstByte` + 4.
void Put40(Payload& p, std::size_t firstByte, std::uint64_t value) {
  for (std::size_t i = 0; i < 5; ++i) {
    At(p, firstByte + i) = static_cast<std::uint8_t>((value >> (8 * (4 - i))) & 0xFF);
  }
}

// A set's stamp as 14 ASCII digits, as requests 21 and 18 carry it.
bool StampMatches(const LoggerSet& set, const Report& request) {
  for (int i = 0; i < 7; ++i) {
    const int hi = set.stamp[i] >> 4, lo = set.stamp[i] & 0x0F;
    if (request[3 + 2 * i] != 48 + hi || request[4 + 2 * i] != 48 + lo) return false;
  }
  return true;
}

}  // namespace

VirtualMeter::VirtualMeter(const Clock& clock, std::uint32_t seed) : clock_(clock), random_(seed) {}

DateTime VirtualMeter::MeterTime() const {
  return FromSerialSeconds(ToSerialSeconds(clock_.Now()) + clockOffsetSeconds);
}

void VirtualMeter::Drift() {
  const double target = kScenes[range_ % 4];
  std::normal_distribution<double> step(0.0, 0.01);
  // A random walk that keeps returning towards the scene's level.
  luminance_ = luminance_ * std::exp(step(random_)) * 0.9 + target * 0.1;
  if (!hold_) held_ = luminance_;
  max_ = std::max(max_, luminance_);
  min_ = std::min(min_, luminance_);
}

Payload VirtualMeter::DisplayFrame() const {
  if (forcedFrame_) return *forcedFrame_;
  using namespace display_reply;
  Payload p{};
  auto byte = [&p](std::size_t n) -> std::uint8_t& { return At(p, n); };

  double value = maxMin_ == 1 ? max_ : maxMin_ == 2 ? min_ : held_;
  if (unit_ == Unit::FL) value /= 3.426;  // cd/m2 per foot-lambert
  std::uint8_t multiplier = 0;
  if (value >= 9999.5) {
    value /= 1000.0;
    multiplier = unit_ == Unit::CdM2 ? 1 : 2;
  }
  if (value >= 9999.5) {  // over range: "0L"
    byte(kDigit1) = kBlank, byte(kDigit2) = kBlank, byte(kDigit3) = 0, byte(kDigit4) = kLetterL;
    byte(kPoint) = 0;
    multiplier = 0;
  } else {
    // Four digits with the point where the value needs it.
    const int point = value < 9.9995 ? 1 : value < 99.995 ? 2 : value < 999.95 ? 3 : 0;
    const int scaled =
        static_cast<int>(std::lround(value * std::pow(10.0, point == 0 ? 0 : 4 - point)));
    byte(kDigit1) = static_cast<std::uint8_t>(scaled / 1000 % 10);
    byte(kDigit2) = static_cast<std::uint8_t>(scaled / 100 % 10);
    byte(kDigit3) = static_cast<std::uint8_t>(scaled / 10 % 10);
    byte(kDigit4) = static_cast<std::uint8_t>(scaled % 10);
    if (point == 0 && byte(kDigit1) == 0) byte(kDigit1) = kBlank;
    byte(kPoint) = static_cast<std::uint8_t>(point);
  }
  byte(kMultiplier) = multiplier;
  byte(kUnit) = static_cast<std::uint8_t>(unit_);

  // Small digits: the range step; secondary digits: the meter's clock, hh:mm:ss.
  byte(kSmall1) = kBlank, byte(kSmall2) = kBlank;
  byte(kSmall3) = range_ == 0 ? kBlank : static_cast<std::uint8_t>(range_);
  const DateTime t = MeterTime();
  auto twoDigits = [&byte](std::size_t tens, std::size_t units, int figure) {
    byte(tens) = static_cast<std::uint8_t>(figure / 10);
    byte(units) = static_cast<std::uint8_t>(figure % 10);
  };
  twoDigits(kHourTens, kHourUnits, t.hour);
  byte(kSeparator1) = 1;
  twoDigits(kMinuteTens, kMinuteUnits, t.minute);
  byte(kSeparator2) = 1;
  twoDigits(kSecondTens, kSecondUnits, t.second);
  byte(kSecondPoint) = 0;

  byte(kRH) = rh_ ? 1 : 0;
  byte(kREC) = recording_ ? 1 : 0;
  byte(kMX) = maxMin_ == 1 ? 1 : 0;
  byte(kMxDashMn) = 0;
  byte(kMN) = maxMin_ == 2 ? 1 : 0;
  byte(kH) = hold_ ? 1 : 0;
  byte(kREF) = 0;
  byte(kSET) = setMode_ ? 1 : 0;
  byte(kUSB) = 1;
  byte(kBattery) = kBatteryFull;
  return p;
}

// In setting mode one item blinks: the unit, then the hours, minutes and seconds of the
// clock digits, stepped by ENTER.
Payload VirtualMeter::BlinkFrame() const {
  if (forcedBlink_) return *forcedBlink_;
  Payload p{};
  switch (setField_ % 4) {
    case 0:
      At(p, blink_reply::kUnit) = unit_ == Unit::CdM2 ? 1 : 16;
      break;
    case 1:
      At(p, blink_reply::kDigit) = 16;
      break;  // LblSeg8, LblSeg9
    case 2:
      At(p, blink_reply::kDigit) = 32;
      break;  // LblSeg10, LblSeg11
    case 3:
      At(p, blink_reply::kDigit) = 48;
      break;  // LblSeg12, LblSeg13
  }
  return p;
}

Payload VirtualMeter::NextReply() {
  if (replies_.empty()) return DisplayFrame();
  const Payload p = replies_.front();
  replies_.pop_front();
  return p;
}

void VirtualMeter::QueueWord(int value) {
  Payload p{};
  At(p, word_reply::kHigh) = static_cast<std::uint8_t>(value / 256);
  At(p, word_reply::kLow) = static_cast<std::uint8_t>(value % 256);
  Queue(p);
}

std::uint64_t VirtualMeter::UsedK() const {
  std::uint64_t bytes = 0;
  for (const auto& s : sets) bytes += s.content.size();
  return memoryUsedK != 0 ? memoryUsedK : (bytes + 1023) / 1024;
}

void VirtualMeter::QueueStatus() {
  Payload p{};
  Put40(p, status_reply::kUsedK, UsedK());
  Put40(p, status_reply::kTotalK, memoryTotalK);
  At(p, status_reply::kSetCountHigh) = static_cast<std::uint8_t>(sets.size() / 256 % 256);
  At(p, status_reply::kSetCountLow) = static_cast<std::uint8_t>(sets.size() % 256);
  Queue(p);
}

void VirtualMeter::QueueIndex() {
  using namespace index_reply;
  const std::size_t count = std::min<std::size_t>(sets.size(), 65535);
  for (std::size_t first = 0; first < count; first += kStampsPerReport) {
    Payload p{};
    for (std::size_t k = first; k < std::min(count, first + kStampsPerReport); ++k) {
      std::copy(sets[k].stamp.begin(), sets[k].stamp.end(),
                &At(p, kFirstStamp + kStampLength * (k - first)));
    }
    Queue(p);
  }
}

void VirtualMeter::QueueSetLength(const Report& request) {
  selectedSet_ = -1;
  for (std::size_t i = 0; i < sets.size(); ++i) {
    if (StampMatches(sets[i], request)) selectedSet_ = static_cast<int>(i);
  }
  Payload p{};
  Put40(p, length_reply::kLength, selectedSet_ < 0 ? 0 : sets[selectedSet_].content.size());
  Queue(p);
}

// The set's text, 64 bytes a report; the last report is filled up with blanks.
void VirtualMeter::QueueSetContent() {
  if (selectedSet_ < 0 || selectedSet_ >= static_cast<int>(sets.size())) return;
  const std::string& text = sets[selectedSet_].content;
  for (std::size_t first = 0; first < text.size(); first += kPayloadLength) {
    Payload p;
    p.fill(' ');
    const std::size_t n = std::min(kPayloadLength, text.size() - first);
    std::copy_n(text.begin() + first, n, &At(p, content_reply::kFirstByte));
    Queue(p);
  }
}

void VirtualMeter::QueueClock() {
  const DateTime t = MeterTime();
  using namespace clock_reply;
  Payload p{};
  At(p, kYearHigh) = static_cast<std::uint8_t>(t.year / 256);
  At(p, kYearLow) = static_cast<std::uint8_t>(t.year % 256);
  At(p, kMonth) = static_cast<std::uint8_t>(t.month);
  At(p, kDay) = static_cast<std::uint8_t>(t.day);
  At(p, kHour) = static_cast<std::uint8_t>(t.hour);
  At(p, kMinute) = static_cast<std::uint8_t>(t.minute);
  At(p, kSecond) = static_cast<std::uint8_t>(t.second);
  Queue(p);
}

void VirtualMeter::SetClock(const Report& r) {
  const DateTime wanted{r[3] * 256 + r[4], r[5], r[6], r[7], r[8], r[9], 0};
  if (wanted.month < 1 || wanted.month > 12 || wanted.day < 1 || wanted.day > 31 ||
      wanted.hour > 23 || wanted.minute > 59 || wanted.second > 59) {
    return;  // the meter ignores a date it cannot keep
  }
  clockOffsetSeconds = ToSerialSeconds(wanted) - ToSerialSeconds(clock_.Now());
}

void VirtualMeter::EraseSet(const Report& request) {
  std::erase_if(sets, [&](const LoggerSet& s) { return StampMatches(s, request); });
}

void VirtualMeter::HandleRequest(const Report& request) {
  if (keepLog) requestsReceived.push_back(request);
  const std::uint8_t previous = lastRequest_;
  lastRequest_ = request[2];
  replies_.clear();  // the meter answers the latest request only
  const int word = request[3] * 256 + request[4];
  switch (request[2]) {
    case request::kDisplayFrame:
      Drift();
      Queue(DisplayFrame());
      break;
    case request::kBlinkFrame:
      Queue(BlinkFrame());
      break;
    case request::kSamplingTimeQuery:
      QueueWord(samplingTime);
      break;
    case request::kSetSamplingTime:
      // While it records, the meter keeps its sampling time: it ignores the setting.
      if (word >= 1 && word <= 3600 && !recording_) samplingTime = word;
      break;
    case request::kRecordingPeriodQuery:
      QueueWord(recordingPeriod);
      break;
    case request::kSetRecordingPeriod:
      // Code 9 is also the MEM key; it sets the period right after a period query.
      if (previous == request::kRecordingPeriodQuery && word >= 1 && word <= 9999) {
        recordingPeriod = word;
      } else {
        HandleKey(request[2]);
      }
      break;
    case request::kLoggerStatus:
      QueueStatus();
      break;
    case request::kLoggerIndex:
      QueueIndex();
      break;
    case request::kSelectSet:
      QueueSetLength(request);
      break;
    case request::kSetContent:
      if (previous == request::kSelectSet) {
        QueueSetContent();
      } else {
        lastSetStamp.push_back(
            {request[3], request[4], request[5], request[6], request[7], request[8], request[9]});
        Queue(Payload{});
      }
      break;
    case request::kEraseAll:
      sets.clear();
      Queue(Payload{});
      break;
    case request::kEraseSet:
      EraseSet(request);
      Queue(Payload{});
      break;
    case request::kClockRead:
      QueueClock();
      break;
    case request::kClockSet:
      SetClock(request);
      break;
    default:
      HandleKey(request[2]);
      break;
  }
}

void VirtualMeter::HandleKey(std::uint8_t code) {
  keysReceived.push_back(code);
  switch (code) {
    case key::kLight:
      backlight_ = !backlight_;
      break;
    case key::kRange:
      range_ = (range_ + 1) % 4;
      break;
    case key::kMaxMin:
      maxMin_ = (maxMin_ + 1) % 3;
      max_ = min_ = luminance_;
      break;
    case key::kSet:
      setMode_ = !setMode_, setField_ = 0;
      break;
    case key::kHold:
      hold_ = !hold_;
      break;
    case key::kEnter:
      if (setMode_) ++setField_;
      break;
    case key::kMem:
      recording_ = !recording_;
      break;
    case key::kA:
      unit_ = unit_ == Unit::CdM2 ? Unit::FL : Unit::CdM2;
      break;
    case key::kDelta:
    case key::kDeltaRh:
      rh_ = !rh_;
      break;
    default:
      break;
  }
}

void VirtualMeter::FillLogger(int count, std::size_t recordsPerSet) {
  DateTime start{2024, 4, 14, 8, 0, 0, 0};
  for (int s = 0; s < count; ++s) {
    LoggerSet set;
    set.stamp = {Bcd(start.year / 100), Bcd(start.year % 100), Bcd(start.month), Bcd(start.day),
                 Bcd(start.hour),       Bcd(start.minute),     Bcd(start.second)};
    std::string text = "No.  Date       Time      Value  Unit\r\n";
    for (std::size_t r = 0; r < recordsPerSet; ++r) {
      const DateTime t = FromSerialSeconds(ToSerialSeconds(start) + 60 * static_cast<long>(r));
      char line[96];
      std::snprintf(line, sizeof line, "%4zu  %04d/%02d/%02d %02d:%02d:%02d  ", r + 1, t.year,
                    t.month, t.day, t.hour, t.minute, t.second);
      text += line;
      text +=
          RightAligned(FixedText(400.0 + 37.0 * std::sin(0.3 * static_cast<double>(r + s)), 1), 6);
      text += " cd/m2\r\n";
    }
    set.content = std::move(text);
    sets.push_back(std::move(set));
    start = FromSerialSeconds(ToSerialSeconds(start) + 86400 + 3600 * s + 61);
  }
}

}  // namespace orvane
