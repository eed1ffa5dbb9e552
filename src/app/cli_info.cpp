// SPDX-License-Identifier: GPL-3.0-or-later
// orvane-cli info: what reading a data file gives, as the plot window would get it, and
// the statistics of its records (all of them, or the stretch --from/--to name).

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/cli.h"
#include "common/number_text.h"
#include "recording/log_statistics.h"
#include "recording/recording_reader.h"

namespace orvane::cli {

namespace {

// Plain decimal without trailing zeros: 5, 9998995, 92.93.
std::string Number(double v) {
  return GeneralText(v);
}

// One figure: `group` names the object it belongs to in JSON ("" at the top) and the
// prefix of its name in text ("stretch.from"). An empty value is JSON null, "-" in text.
struct Field {
  std::string group;
  std::string name;
  std::string value;
  bool isText = false;
};

// What info keeps of one pass over the file: the whole file's first and last time beside
// the statistics of the stretch.
class InfoSink : public RecordSink {
 public:
  explicit InfoSink(const RecordStretch& stretch)
      : stretch_(stretch), wholeFile_(stretch.Whole()) {}
  bool Record(std::string_view time, const StoredReading& main, const StoredReading& cd,
              std::string& problem) override {
    if (!wholeFile_) {
      if (!any_) first_.assign(time);
      any_ = true;
      lastSize_ = std::min(time.size(), sizeof last_);
      std::memcpy(last_, time.data(), lastSize_);
    }
    return stretch_.Record(time, main, cd, problem);
  }
  std::string First() const { return wholeFile_ ? Stretch().Statistics().FirstTime() : first_; }
  std::string Last() const {
    return wholeFile_ ? Stretch().Statistics().LastTime() : std::string(last_, lastSize_);
  }
  const StatisticsSink& Stretch() const { return stretch_; }

 private:
  StatisticsSink stretch_;
  bool wholeFile_;  // the stretch is the whole file: its first and last time are the file's
  std::string first_;
  char last_[kMaxLineBytes] = {};  // copied on every record: no allocation
  std::size_t lastSize_ = 0;
  bool any_ = false;
};

void AddColumn(std::vector<Field>& fields, const std::string& group, const ColumnStatistics& c) {
  const bool any = c.InRange() > 0;
  const std::optional<double> mean = c.Mean();
  fields.push_back({group, "readings", std::to_string(c.readings)});
  fields.push_back({group, "overRange", std::to_string(c.overRange)});
  fields.push_back({group, "min", any ? Number(c.minimum) : ""});
  fields.push_back({group, "max", any ? Number(c.maximum) : ""});
  fields.push_back({group, "mean", mean ? Number(*mean) : ""});
}

std::string Seconds(const std::optional<std::int64_t>& s) {
  return s ? std::to_string(*s) : "";
}

std::vector<Field> Fields(const RecordingParser& parser, const InfoSink& sink) {
  const RangeRecord& r = parser.Limits();
  const StatisticsSink& stretch = sink.Stretch();
  const LogStatistics& s = stretch.Statistics();
  std::vector<Field> fields = {
      {"", "records", std::to_string(parser.Records())},
      {"", "unit", parser.Unit(), true},
      {"", "LuxMax", Number(r.LuxMax)},
      {"", "LuxMin", Number(r.LuxMin)},
      {"", "FcMax", Number(r.FcMax)},
      {"", "FcMin", Number(r.FcMin)},
      {"", "CdMax", Number(r.CdMax)},
      {"", "CdMin", Number(r.CdMin)},
      {"", "first", sink.First(), true},
      {"", "last", sink.Last(), true},
      {"stretch", "from", stretch.FirstRecord() ? std::to_string(stretch.FirstRecord()) : ""},
      {"stretch", "to", stretch.LastRecord() ? std::to_string(stretch.LastRecord()) : ""},
      {"stretch", "records", std::to_string(s.Records())},
      {"stretch", "first", s.FirstTime(), true},
      {"stretch", "last", s.LastTime(), true},
      {"stretch", "durationSeconds", Seconds(s.DurationSeconds())},
      {"stretch", "longestGapSeconds", Seconds(s.LongestGapSeconds())},
  };
  AddColumn(fields, parser.Unit().empty() ? "Fc" : parser.Unit(), s.Main());
  AddColumn(fields, "cd", s.Cd());
  return fields;
}

std::string Json(const std::vector<Field>& fields) {
  std::string out = "{";
  std::string group;
  for (const Field& f : fields) {
    if (f.group != group) {
      if (!group.empty()) out += "}";
      if (!f.group.empty()) out += ", " + JsonString(f.group) + ": {";
      group = f.group;
    } else if (out.back() != '{') {
      out += ", ";
    }
    const std::string value = f.value.empty() && !f.isText ? "null"
                              : f.isText                   ? JsonString(f.value)
                                                           : f.value;
    out += JsonString(f.name) + ": " + value;
  }
  if (!group.empty()) out += "}";
  return out + "}\n";
}

std::string Text(const std::vector<Field>& fields) {
  std::string out;
  for (const Field& f : fields) {
    const std::string name = f.group.empty() ? f.name : f.group + "." + f.name;
    out += name + "\t" + (f.value.empty() && !f.isText ? "-" : f.value) + "\n";
  }
  return out;
}

int Info(const Args& args) {
  const std::string& path = args.positional[0];
  RecordStretch stretch;
  for (const char* bound : {"from", "to"}) {
    if (args.Has(bound) && !ReadStretchBound(args.Get(bound), bound[0] == 'f', stretch)) {
      return Refuse(std::string("--") + bound +
                    " wants a record number (1 or more) or a date and time such as "
                    "\"2024/05/17 10:30:01\" or 2024-05-17T10:30:01");
    }
  }
  InfoSink sink(stretch);  // one pass, constant memory: no record is kept
  RecordingParser parser(sink);
  RecordingFileError error;
  if (!ReadDataFile(path, parser, error)) return Fail(UnreadableFileMessage(path, error));
  const std::vector<Field> fields = Fields(parser, sink);
  const std::string out = args.Has("json") ? Json(fields) : Text(fields);
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}

}  // namespace

constexpr const char* kInfoDetails =
    "--from and --to choose the records the statistics are of: a record number (1 is the\n"
    "first) or a date and time, \"YYYY/MM/DD hh:nn:ss\" as the file writes it or\n"
    "YYYY-MM-DDThh:nn:ss; both ends are included. The statistics: the records, their first\n"
    "and last time, the duration and the longest gap between stamps in seconds, and per\n"
    "column the readings, those over range, and the minimum, maximum and mean of the others.\n"
    "The record count, unit, plot limits, first and last time are the whole file's.\n";

ORVANE_CLI_COMMAND(info, "info", "FILE.lms [--json] [--from N|TIME] [--to N|TIME]",
                   "the record count, unit, plot limits, first and last time and the statistics "
                   "of a data file",
                   {"from", "to"}, Info, {"json"}, 1, 1, kInfoDetails);

}  // namespace orvane::cli
