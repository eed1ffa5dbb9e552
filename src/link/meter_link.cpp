// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/meter_link.h"

#include <algorithm>
#include <charconv>
#include <span>
#include <utility>

#include "common/diagnostics.h"
#include "link/meter_choice.h"

namespace orvane {

namespace {

bool ParseHexWord(std::string_view text, std::uint16_t& out) {
  if (text.starts_with("0x") || text.starts_with("0X")) text.remove_prefix(2);
  if (text.empty() || text.size() > 4) return false;
  unsigned value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (ec != std::errc() || end != text.data() + text.size()) return false;
  out = static_cast<std::uint16_t>(value);
  return true;
}

}  // namespace

bool ParseMeterIds(const std::string& text, MeterIds& ids) {
  const auto colon = text.find(':');
  if (colon == std::string::npos) return false;
  MeterIds parsed;
  if (!ParseHexWord(std::string_view(text).substr(0, colon), parsed.vendorId) ||
      !ParseHexWord(std::string_view(text).substr(colon + 1), parsed.productId)) {
    return false;
  }
  ids.vendorId = parsed.vendorId;
  ids.productId = parsed.productId;
  return true;
}

MeterLink::MeterLink(HidTransport& transport, LinkNotices& notices, MeterIds ids)
    : transport_(transport), notices_(notices), ids_(std::move(ids)) {}

void MeterLink::ExchangeReports() {
  if (meterConnected_ == 0) {
    meterConnected_ = FindMeter();
    if (meterConnected_ == 0) return;
  }
  WriteOutputReport();
  ReadInputReport();
}

void MeterLink::SendReport() {
  if (meterConnected_ == 0) {
    meterConnected_ = FindMeter();
    return;
  }
  WriteOutputReport();
}

void MeterLink::ReceiveReport() {
  if (meterConnected_ == 0) {
    meterConnected_ = FindMeter();
    return;
  }
  ReadInputReport();
}

// Tries one enumerated interface that carries the meter's ids. A device that cannot be
// opened, or whose reports do not fit the 65-byte buffers, does not match.
bool MeterLink::OpenMatching(const HidDeviceInfo& info) {
  if (!transport_.Open(info.path)) {
    LogOpenProblem("cannot open " + info.path + ": " + transport_.LastError());
    return false;
  }
  const int in = transport_.InputReportByteLength();
  const int out = transport_.OutputReportByteLength();
  if (in <= 0 || out <= 0 || in > MaxReportLength || out > MaxReportLength) {
    transport_.Close();
    LogOpenProblem(info.path + ": report lengths " + std::to_string(in) + " in, " +
                   std::to_string(out) + " out do not fit");
    return false;
  }
  lastOpenProblem_.clear();
  inputLength_ = in;
  outputLength_ = out;
  devicePathName_ = info.path;
  opened_ = info;
  attributes_ = {info.vendorId, info.productId};
  return true;
}

std::int16_t MeterLink::FindMeter() {
  meterConnected_ = 0;
  bool denied = false;
  const std::vector<HidDeviceInfo> meters = ChosenMeters(transport_.Enumerate(), ids_);
  metersFound_ = static_cast<int>(meters.size());
  for (const HidDeviceInfo& info : meters) {
    if (OpenMatching(info)) {
      meterConnected_ = -1;
      notices_.SetNameCaption(kCaptionFound);
      notices_.SetLinkHint("");
      return -1;
    }
    denied = denied || transport_.LastOpenDenied();
  }
  notices_.SetNameCaption(kCaptionNoConnection);
  notices_.SetLinkHint(denied ? kHintNoPermission : "");
  return 0;
}

void MeterLink::WriteOutputReport() {
  // Nothing reports a failed write: the following read tells.
  if (!transport_.Write(std::span<const std::uint8_t>(outputReport_.data(), outputLength_)))
    LogExchange("write failed: " + transport_.LastError());
}

void MeterLink::ReadInputReport() {
  const auto payload = std::span<std::uint8_t>(readBuffer_).subspan(1, inputLength_ - 1);
  switch (transport_.Read(payload, ReadTimeoutMs)) {
    case ReadOutcome::Completed:
      readBuffer_[0] = 0;
      inputReport_ = readBuffer_;
      break;
    case ReadOutcome::TimedOut:
      LogExchange("no reply within " + std::to_string(ReadTimeoutMs) + " ms");
      Drop();
      break;
    case ReadOutcome::Failed:
      LogExchange("read failed: " + transport_.LastError());
      notices_.AppendResultLine(kReadFailedLine);
      Drop();
      break;
  }
}

// The diagnostics log shows the request as sent and the reply as it stands: a failed or
// timed-out read delivers none.
void MeterLink::LogExchange(const std::string& what) {
  if (!DiagnosticsOn(LogArea::Link)) return;
  const auto request = std::span<const std::uint8_t>(outputReport_.data(), outputLength_);
  LogLine(LogArea::Link, what + "; request " + HexBytes(request) + "; reply none");
}

// A meter that cannot be opened is tried again on every poll: the log says so once.
void MeterLink::LogOpenProblem(const std::string& what) {
  if (what == lastOpenProblem_) return;
  lastOpenProblem_ = what;
  LogLine(LogArea::Link, what);
}

void MeterLink::Drop() {
  meterConnected_ = 0;
  transport_.Close();
  attributes_.VendorID = 0;
  attributes_.ProductID = 0;
}

}  // namespace orvane
