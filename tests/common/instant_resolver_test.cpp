// SPDX-License-Identifier: GPL-3.0-or-later
// Logs across a change to or from summer time, in the zones of Berlin and New York: the
// record stamps (local time without an offset, as data files keep them) are read in record
// order as the instants they were taken at. The export gives each record its real offset
// and epoch; info's statistics and the plot's statistics give the real duration and the
// longest gap, over the whole log and over a stretch that starts in the repeated hour.

#include "common/instant_resolver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <sstream>
#include <string>
#include <vector>

#include "common/clock.h"
#include "recording/csv_export.h"
#include "recording/log_statistics.h"
#include "recording/recording_file.h"
#include "recording/recording_reader.h"
#include "recording/temp_folder.h"

namespace orvane {
namespace {

// Runs a test in a time zone of the zone database, set in this process.
class ZoneForTest {
 public:
  explicit ZoneForTest(const char* zone) {
    if (const char* old = std::getenv("TZ")) old_ = old, hadOld_ = true;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~ZoneForTest() {
    hadOld_ ? setenv("TZ", old_.c_str(), 1) : unsetenv("TZ");
    tzset();
  }

 private:
  std::string old_;
  bool hadOld_ = false;
};

// Seconds since 1970 of a UTC date and time.
std::int64_t Utc(int y, int mo, int d, int h, int mi = 0, int s = 0) {
  return ToSerialSeconds({y, mo, d, h, mi, s, 0});
}

// One record as the recorder takes it: the local stamp, and what the export must say.
struct Taken {
  std::string stamp;  // "YYYY/MM/DD hh:nn:ss"
  std::string iso;    // "YYYY-MM-DDThh:nn:ss+hh:mm"
  std::int64_t epoch;
};

Taken TakenAt(std::int64_t epoch) {
  const std::time_t t = static_cast<std::time_t>(epoch);
  std::tm local{};
  localtime_r(&t, &local);
  const DateTime d{local.tm_year + 1900,
                   local.tm_mon + 1,
                   local.tm_mday,
                   local.tm_hour,
                   local.tm_min,
                   local.tm_sec,
                   0};
  std::string iso = FormatDateTime(d);
  iso[4] = iso[7] = '-';
  iso[10] = 'T';
  AppendUtcOffset(local.tm_gmtoff, iso);
  return {FormatDateTime(d), iso, epoch};
}

std::vector<std::string> CsvRowsOf(const std::string& csv) {
  std::vector<std::string> rows;
  std::istringstream in(csv);
  for (std::string row; std::getline(in, row);) rows.push_back(row.substr(0, row.size() - 1));
  return rows;
}

TEST(InstantsAcrossSummerTime, ExportInfoAndPlotTakeEachStampAsTheInstantItWasTaken) {
  struct Case {
    const char* what;
    const char* zone;
    std::int64_t change;  // the instant the clocks change
    int step;             // seconds between records
    int count;
    int stretchFrom;  // the stretch of the plot's statistics starts at this record
  };
  const Case cases[] = {
      // The local hour 02:00..02:59 twice; records cover both passes and the hours around.
      {"Berlin, October", "Europe/Berlin", Utc(2026, 10, 25, 1), 10, 800, 500},
      {"Berlin, October, every second", "Europe/Berlin", Utc(2026, 10, 25, 1), 1, 40, 25},
      // 02:00..02:59 never happens; the log runs on without a gap.
      {"Berlin, March", "Europe/Berlin", Utc(2026, 3, 29, 1), 10, 800, 500},
      {"Berlin, March, every second (20 s)", "Europe/Berlin", Utc(2026, 3, 29, 1), 1, 20, 12},
      // New York repeats 01:00..01:59 in November and skips 02:00..02:59 in March.
      {"New York, November", "America/New_York", Utc(2026, 11, 1, 6), 10, 800, 500},
      {"New York, November, every second", "America/New_York", Utc(2026, 11, 1, 6), 1, 40, 25},
      {"New York, March", "America/New_York", Utc(2026, 3, 8, 7), 7, 1100, 700},
  };
  testing_support::TempFolder dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ZoneForTest zone(c.zone);
    // The change lies inside the log, the later records past the whole repeated hour.
    const std::int64_t first = c.change - static_cast<std::int64_t>(c.step) * (c.count / 2);
    std::vector<Taken> taken;
    std::string file = FileHeaderLines(c.count) + BodyHeaderLines(true, "");
    for (int k = 0; k < c.count; ++k) {
      taken.push_back(TakenAt(first + static_cast<std::int64_t>(k) * c.step));
      file += RecordLine(k + 1, taken.back().stamp, "  12.5", "  12.5");
    }
    const std::string path = dir.File("dst.lms");
    testing_support::WriteBytes(path, file);

    // Export: every row has the offset and the epoch of the instant the record was taken.
    std::string error;
    ASSERT_EQ(ExportDataFileAsCsv(path, dir.File("dst.csv"), {}, error), c.count) << error;
    const std::vector<std::string> rows =
        CsvRowsOf(testing_support::ReadBytes(dir.File("dst.csv")));
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(c.count) + 1);
    EXPECT_EQ(rows[0], "No.,Time (ISO 8601),Epoch,Lux,Lux over range,cd,cd over range");
    int wrong = 0;
    for (int k = 0; k < c.count; ++k) {
      const std::string expected = std::to_string(k + 1) + "," + taken[k].iso + "," +
                                   std::to_string(taken[k].epoch) + ",12.5,0,12.5,0";
      if (rows[k + 1] != expected && wrong++ < 3)
        ADD_FAILURE() << rows[k + 1] << " not " << expected;
    }

    // info: one pass over the file, the whole log.
    const std::int64_t whole = static_cast<std::int64_t>(c.step) * (c.count - 1);
    StatisticsSink sink;
    RecordingParser parser(sink);
    RecordingFileError readError;
    ASSERT_TRUE(ReadDataFile(path, parser, readError)) << readError.Message();
    EXPECT_EQ(sink.Statistics().DurationSeconds(), whole);
    EXPECT_EQ(sink.Statistics().LongestGapSeconds(), c.step);

    // info --from N, and the plot's statistics of records N to the last: the stretch
    // starts in the repeated hour's second pass (or after the skipped one).
    const std::int64_t stretch = static_cast<std::int64_t>(c.step) * (c.count - c.stretchFrom);
    RecordStretch from;
    from.fromRecord = c.stretchFrom;
    StatisticsSink stretchSink(from);
    RecordingParser stretchParser(stretchSink);
    ASSERT_TRUE(ReadDataFile(path, stretchParser, readError));
    EXPECT_EQ(stretchSink.Statistics().DurationSeconds(), stretch);
    EXPECT_EQ(stretchSink.Statistics().LongestGapSeconds(), c.step);
    PlotData plot;
    ASSERT_TRUE(ReadRecordingFile(path, plot, readError));
    const LogStatistics shown = StatisticsOf(plot, c.stretchFrom, c.count);
    EXPECT_EQ(shown.DurationSeconds(), stretch);
    EXPECT_EQ(shown.LongestGapSeconds(), c.step);

    // info --from TIME with that record's stamp: from the first instant the stamp names
    // (in the repeated hour, its first pass) to the end, with no hole.
    const std::string& bound = taken[c.stretchFrom - 1].stamp;
    std::int64_t earliest = taken[c.stretchFrom - 1].epoch;
    if (TakenAt(earliest - 3600).stamp == bound) earliest -= 3600;  // the same an hour before
    std::int64_t firstHeld = 0;
    for (const Taken& t : taken) {
      if (t.epoch >= earliest) {
        firstHeld = t.epoch;
        break;
      }
    }
    RecordStretch byTime;
    ASSERT_TRUE(ReadStretchBound(bound, true, byTime));
    StatisticsSink timeSink(byTime);
    RecordingParser timeParser(timeSink);
    ASSERT_TRUE(ReadDataFile(path, timeParser, readError));
    EXPECT_EQ(timeSink.Statistics().DurationSeconds(), taken.back().epoch - firstHeld) << bound;
    EXPECT_EQ(timeSink.Statistics().LongestGapSeconds(), c.step);
  }
}

// Stamps that do not follow the clocks' change: a clock set back by a few seconds inside
// the repeated hour stays in its pass, and a log whose stamps run backwards has no
// negative duration or gap.
TEST(InstantsAcrossSummerTime, StampsOutOfStepNeverGiveANegativeSpan) {
  ZoneForTest zone("Europe/Berlin");
  InstantResolver instants;
  const std::int64_t firstPass = Utc(2026, 10, 25, 0, 30);  // 02:30 CEST
  EXPECT_EQ(instants.Next(ToSerialSeconds({2026, 10, 25, 2, 30, 10, 0})).epoch, firstPass + 10);
  EXPECT_EQ(instants.Next(ToSerialSeconds({2026, 10, 25, 2, 30, 5, 0})).epoch, firstPass + 5);
  const Instant second = instants.Next(ToSerialSeconds({2026, 10, 25, 2, 0, 0, 0}));
  EXPECT_EQ(second.epoch, Utc(2026, 10, 25, 1, 0));  // 02:00 CET, the second pass
  EXPECT_EQ(second.offset, 3600);

  LogStatistics backwards;
  backwards.Add("2024/05/17 10:00:10", {}, {});
  backwards.Add("2024/05/17 10:00:00", {}, {});
  EXPECT_EQ(backwards.DurationSeconds(), 0);
  EXPECT_EQ(backwards.LongestGapSeconds(), 0);
}

}  // namespace
}  // namespace orvane
