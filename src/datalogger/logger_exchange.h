// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The data logger's request sequences on the meter link: status, index of record sets,
// one record set's text, the stamp sent for the unit option, and the two erases.
//
// A reply counts only when the link is still connected after the call that should have
// brought it; a meter that stops answering ends a download at that report (each read
// waits at most the link's read bound) and the result says it is incomplete, so no
// caller mistakes a repeated stale report for data.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "datalogger/logger_codec.h"
#include "link/meter_link.h"

namespace orvane {

// Called after each report of a download with the reports done and the reports due;
// the windows move their progress bar and let pending events run here.
using DownloadProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;

// One pending report taken off the link (the "drain" before a query), then the status
// query. Nothing when the meter did not answer the query.
std::optional<LoggerStatus> QueryLoggerStatus(MeterLink& link);

struct IndexDownload {
  std::vector<std::string> stamps;  // stamp texts of sets 1.., in stream order
  bool complete = false;            // every due report arrived
};

// The index request and one read per report of 9 stamps. `setCount` is S from the
// status; an incomplete download keeps only the stamps of the reports that arrived.
IndexDownload DownloadIndex(MeterLink& link, std::uint64_t setCount,
                            const DownloadProgress& progress = {});

// Replaces `setStamps` by a fresh index: entry 0 empty, entries 1.. the stamps.
void StoreSetStamps(std::vector<std::string>& setStamps, const std::vector<std::string>& stamps);
// Entry `n` of the stamps, empty when it does not exist.
std::string SetStampAt(const std::vector<std::string>& setStamps, long long n);

struct SetDownload {
  std::uint64_t length = 0;  // L, as the meter announced it
  std::string text;          // all 64 bytes of every block, also of the last one
  bool complete = false;
  bool beyondMemory = false;  // L exceeds the meter's memory: nothing was asked for
};

// The longest text a record set can have on a meter with this status: its memory, the
// larger of the two figures in kilobytes. Nothing when both figures are 0.
std::optional<std::uint64_t> LongestSetText(const LoggerStatus& status);

// Drain, the set choice (21) with the stamp as ASCII digits, then the content query
// (17) and one read per further block, plus the read after the last block. A length
// beyond `longest` cannot be the set's (a reply that belongs to another request): no
// content is asked for, since the meter would be read for days.
SetDownload DownloadSetContent(MeterLink& link, std::string_view stampText,
                               const DownloadProgress& progress = {},
                               std::optional<std::uint64_t> longest = std::nullopt);

// Drain, then 17 with the stamp's seven BCD bytes in bytes 3..9; the reply is unused.
void SendStampBcd(MeterLink& link, std::string_view stampText);
// 18 with the stamp as ASCII digits in bytes 3..16; the reply is not examined.
void EraseOneSet(MeterLink& link, std::string_view stampText);
// 19, after a drain when `drainFirst`; the reply is not examined.
void EraseAllSets(MeterLink& link, bool drainFirst);

}  // namespace orvane
