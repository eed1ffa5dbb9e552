// SPDX-License-Identifier: GPL-3.0-or-later
// The data logger's replies as the meter could send them: the input is cut into 64-byte
// reports that answer the status query, the index download and a set download in turn;
// when the reports run out the meter stops answering. No reply may make a download read
// past the silence, keep more stamps than S, or keep a text that is not whole blocks.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>

#include "datalogger/logger_exchange.h"
#include "link/meter_link.h"

namespace {

using namespace orvane;

class ReplyStream final : public HidTransport {
 public:
  ReplyStream(const std::uint8_t* data, std::size_t size) {
    for (std::size_t at = 0; at < size; at += kPayloadLength) {
      std::array<std::uint8_t, kPayloadLength> p{};
      std::copy_n(data + at, std::min(kPayloadLength, size - at), p.begin());
      replies_.push_back(p);
    }
  }
  std::vector<HidDeviceInfo> Enumerate() override {
    return {{"fuzz://meter", ORVANE_METER_VID, ORVANE_METER_PID, ""}};
  }
  bool Open(const std::string&) override { return true; }
  void Close() override {}
  bool Write(std::span<const std::uint8_t>) override { return true; }
  ReadOutcome Read(std::span<std::uint8_t> payload, int) override {
    if (replies_.empty()) {
      ++silentReads;
      return ReadOutcome::TimedOut;
    }
    std::copy(replies_.front().begin(), replies_.front().end(), payload.begin());
    replies_.pop_front();
    return ReadOutcome::Completed;
  }
  int InputReportByteLength() const override { return 65; }
  int OutputReportByteLength() const override { return 65; }
  int silentReads = 0;

 private:
  std::deque<std::array<std::uint8_t, kPayloadLength>> replies_;
};

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ReplyStream stream(data, size);
  SilentNotices notices;
  MeterLink link(stream, notices);
  link.FindMeter();
  const auto status = QueryLoggerStatus(link);
  if (status) {
    const IndexDownload index = DownloadIndex(link, static_cast<std::uint64_t>(status->setCount));
    Check(index.stamps.size() <= static_cast<std::size_t>(status->setCount));
    Check(index.complete == (index.stamps.size() == static_cast<std::size_t>(status->setCount)));
    Check(MemoryGaugePercent(*status) >= 0 && MemoryGaugePercent(*status) <= 100);
  }
  link.FindMeter();
  const SetDownload set = DownloadSetContent(link, "20240414080000");
  Check(set.text.size() % kContentBlockBytes == 0);
  Check(set.text.size() <= ContentBlockCount(set.length) * kContentBlockBytes);
  Check(!set.complete || set.text.size() == ContentBlockCount(set.length) * kContentBlockBytes);
  // A download ends at the first read that times out, give or take the drain's.
  Check(stream.silentReads <= 4);
  return 0;
}
