// SPDX-License-Identifier: GPL-3.0-or-later
// orvane-cli logger: the meter's data logger — list, download, erase one or all.

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "app/cli.h"
#include "common/text_value.h"
#include "datalogger/logger_exchange.h"

namespace orvane::cli {
namespace {

struct Logger {
  LoggerStatus status;
  std::vector<std::string> stamps;
};

// Status and index, as the data logger window reads them.
bool ReadLogger(MeterLink& link, Logger& logger) {
  auto status = QueryLoggerStatus(link);
  if (!status) return Fail("the meter does not answer"), false;
  logger.status = *status;
  if (status->setCount == 0) return true;
  IndexDownload index = DownloadIndex(link, static_cast<std::uint64_t>(status->setCount));
  if (!index.complete) return Fail("the meter stopped answering: the index is incomplete"), false;
  logger.stamps = std::move(index.stamps);
  return true;
}

// The set number given on the command line, checked against the index.
bool SetNumber(const Args& args, const Logger& logger, std::size_t& n) {
  if (args.positional.size() < 2) return Fail("which record set? give its number"), false;
  const double value = NumericValue(args.positional[1]);
  if (value < 1 || value > static_cast<double>(logger.stamps.size()) ||
      value != static_cast<long>(value)) {
    return Fail("no record set " + args.positional[1] + " (the meter holds " +
                std::to_string(logger.stamps.size()) + ")"),
           false;
  }
  n = static_cast<std::size_t>(value);
  return true;
}

int List(const Logger& logger) {
  std::printf("%s used of %lluk Bytes (%d %%), %d record sets\n",
              MemorySizeCaption(logger.status).c_str(),
              static_cast<unsigned long long>(logger.status.figure2),
              MemoryGaugePercent(logger.status), logger.status.setCount);
  for (std::size_t k = 0; k < logger.stamps.size(); ++k) {
    std::printf("%5zu  %s\n", k + 1, StampDisplay(logger.stamps[k]).c_str());
  }
  return 0;
}

int Download(MeterLink& link, const Logger& logger, const Args& args) {
  std::size_t n = 0;
  if (!SetNumber(args, logger, n)) return 1;
  const SetDownload set =
      DownloadSetContent(link, logger.stamps[n - 1], {}, LongestSetText(logger.status));
  if (set.beyondMemory) {
    return Fail("the meter announced a record set longer than its memory; please try again");
  }
  if (!set.complete) return Fail("the meter stopped answering: the record set is incomplete");
  if (!args.Has("out")) {
    std::fwrite(set.text.data(), 1, set.text.size(), stdout);
    return 0;
  }
  std::ofstream out(args.Get("out"), std::ios::binary);
  out << set.text << "\r\n";
  out.close();
  if (!out) return Fail("cannot write " + args.Get("out"));
  std::printf("record set %zu: %llu bytes written to %s\n", n,
              static_cast<unsigned long long>(set.length), args.Get("out").c_str());
  return 0;
}

// The sets left after an erase; status 1 when the meter still holds what was erased
// (all of them, or the set with the stamp `erased`).
int RemainingSets(MeterLink& link, const std::string& erased = "") {
  Logger after;
  if (!ReadLogger(link, after)) return 1;
  if (erased.empty() && after.status.setCount > 0) {
    return Fail("the meter did not erase its record sets: it still holds " +
                std::to_string(after.status.setCount));
  }
  if (std::find(after.stamps.begin(), after.stamps.end(), erased) != after.stamps.end()) {
    return Fail("the meter did not erase the record set: it still holds " + StampDisplay(erased) +
                " among " + std::to_string(after.status.setCount) + " record sets");
  }
  std::printf("%d record sets remain\n", after.status.setCount);
  return 0;
}

int RunLogger(const Args& args) {
  const std::string verb = args.positional.empty() ? "" : args.positional[0];
  if (verb != "list" && verb != "download" && verb != "erase" && verb != "erase-all") {
    return Refuse("logger wants list, download N, erase N or erase-all --yes");
  }
  if (verb == "erase-all" && !args.Has("yes")) {
    return Refuse("erase-all deletes every record set in the meter: add --yes to confirm");
  }
  auto session = MeterSession::Open(args);
  if (!session) return 2;
  MeterLink& link = session->Link();
  // As the panel's Memory: not while the meter records or shows a measuring mode.
  if (verb != "list") {
    if (const int status = RefuseInMeterMode(*session, CommandRule::LinkFreeNoMode); status != 0)
      return status;
  }
  if (verb == "erase-all") {
    EraseAllSets(link, true);
    return link.MeterConnected() == -1 ? RemainingSets(link) : Fail("the meter does not answer");
  }
  Logger logger;
  if (!ReadLogger(link, logger)) return 1;
  if (verb == "list") return List(logger);
  if (verb == "download") return Download(link, logger, args);
  std::size_t n = 0;
  if (!SetNumber(args, logger, n)) return 1;
  EraseOneSet(link, logger.stamps[n - 1]);
  if (link.MeterConnected() != -1) return Fail("the meter does not answer");
  std::printf("record set %zu (%s) erased\n", n, StampDisplay(logger.stamps[n - 1]).c_str());
  return RemainingSets(link, logger.stamps[n - 1]);
}

}  // namespace

ORVANE_CLI_COMMAND(logger, "logger",
                   "list | download N [--out FILE] | erase N | erase-all --yes "
                   "[--simulate] [--meter VID:PID]",
                   "the meter's data logger: list, download or erase record sets", {"out", "meter"},
                   RunLogger, {"simulate", "yes"}, 1, 2);

}  // namespace orvane::cli
