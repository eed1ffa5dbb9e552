// SPDX-License-Identifier: GPL-3.0-or-later
#include "datalogger/logger_exchange.h"

#include <algorithm>

#include "link/requests.h"

namespace orvane {

namespace {

// Reserving more than this up front for a set's text would let a bogus length ask for
// terabytes; a longer text still grows linearly.
constexpr std::uint64_t kMaxReserve = std::uint64_t{64} << 20;

bool Answered(const MeterLink& link) {
  return link.MeterConnected() == -1;
}

void StoreAsciiStamp(Report& out, std::string_view stampText) {
  const StampAscii ascii = StampAsciiBytes(stampText);
  std::copy(ascii.begin(), ascii.end(), out.begin() + 3);
}

void Report1(const DownloadProgress& progress, std::uint64_t done, std::uint64_t total) {
  if (progress) progress(done, total);
}

}  // namespace

std::optional<LoggerStatus> QueryLoggerStatus(MeterLink& link) {
  link.ReceiveReport();
  StoreRequest(link.OutputReport(), request::kLoggerStatus);
  link.ExchangeReports();
  if (!Answered(link)) return std::nullopt;
  return DecodeStatus(link.InputReport());
}

IndexDownload DownloadIndex(MeterLink& link, std::uint64_t setCount,
                            const DownloadProgress& progress) {
  IndexDownload result;
  const std::uint64_t reports = IndexReportCount(setCount);
  // A request sent while the link is down only finds the meter again: it is lost.
  if (!Answered(link)) return result;
  StoreRequest(link.OutputReport(), request::kLoggerIndex);
  link.SendReport();
  std::vector<std::uint8_t> stream;
  stream.reserve(reports * kStampsPerReport * kStampBytes);
  std::uint64_t arrived = 0;
  for (std::uint64_t b = 1; b <= reports; ++b) {
    link.ReceiveReport();
    if (!Answered(link)) break;
    const Report& in = link.InputReport();
    stream.insert(stream.end(), in.begin() + kIndexFirstByte, in.end());
    arrived = b;
    Report1(progress, b, reports);
  }
  result.complete = arrived == reports;
  const std::uint64_t usable = std::min<std::uint64_t>(setCount, stream.size() / kStampBytes);
  result.stamps.reserve(usable);
  for (std::uint64_t k = 0; k < usable; ++k) {
    result.stamps.push_back(StampText(
        std::span<const std::uint8_t, kStampBytes>(stream.data() + k * kStampBytes, kStampBytes)));
  }
  return result;
}

void StoreSetStamps(std::vector<std::string>& setStamps, const std::vector<std::string>& stamps) {
  setStamps.assign(1, std::string());
  setStamps.insert(setStamps.end(), stamps.begin(), stamps.end());
}

std::string SetStampAt(const std::vector<std::string>& setStamps, long long n) {
  if (n < 0 || static_cast<unsigned long long>(n) >= setStamps.size()) return {};
  return setStamps[static_cast<std::size_t>(n)];
}

std::optional<std::uint64_t> LongestSetText(const LoggerStatus& status) {
  const std::uint64_t kilobytes = std::max(status.figure1, status.figure2);
  if (kilobytes == 0) return std::nullopt;
  return kilobytes * 1024;  // figures are 40 bits: no overflow
}

SetDownload DownloadSetContent(MeterLink& link, std::string_view stampText,
                               const DownloadProgress& progress,
                               std::optional<std::uint64_t> longest) {
  SetDownload result;
  link.ReceiveReport();
  Report& out = link.OutputReport();
  StoreRequest(out, request::kSelectSet);
  StoreAsciiStamp(out, stampText);
  link.ExchangeReports();
  if (!Answered(link)) return result;
  result.length = DecodeSetLength(link.InputReport());
  if (longest && result.length > *longest) {
    result.beyondMemory = true;
    return result;
  }
  const std::uint64_t blocks = ContentBlockCount(result.length);
  // Bytes 3.. keep the stamp the choice stored.
  StoreRequest(out, request::kSetContent);
  link.ExchangeReports();
  result.text.reserve(std::min(blocks * kContentBlockBytes, kMaxReserve));
  for (std::uint64_t b = 1; b <= blocks; ++b) {
    if (!Answered(link)) return result;
    const Report& in = link.InputReport();
    result.text.append(in.begin() + kContentFirstByte, in.end());
    Report1(progress, b, blocks);
    link.ReceiveReport();  // the next block; after the last one, one report more
  }
  result.complete = true;
  return result;
}

void SendStampBcd(MeterLink& link, std::string_view stampText) {
  link.ReceiveReport();
  Report& out = link.OutputReport();
  StoreRequest(out, request::kSetContent);
  const StampBytes bcd = StampBcdBytes(stampText);
  std::copy(bcd.begin(), bcd.end(), out.begin() + 3);
  link.ExchangeReports();
}

void EraseOneSet(MeterLink& link, std::string_view stampText) {
  Report& out = link.OutputReport();
  StoreRequest(out, request::kEraseSet);
  StoreAsciiStamp(out, stampText);
  link.ExchangeReports();
}

void EraseAllSets(MeterLink& link, bool drainFirst) {
  if (drainFirst) link.ReceiveReport();
  StoreRequest(link.OutputReport(), request::kEraseAll);
  link.ExchangeReports();
}

}  // namespace orvane
