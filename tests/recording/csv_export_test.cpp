// SPDX-License-Identifier: GPL-3.0-or-later
// Records as CSV: reading texts as the numbers a spreadsheet reads, record times with their
// UTC offset. (Whole files are checked through orvane-cli export.)

#include "recording/csv_export.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace orvane {
namespace {

// Runs a test in a given time zone (a POSIX TZ rule, so no zone database is needed).
class TimeZone {
 public:
  explicit TimeZone(const char* rule) {
    if (const char* old = std::getenv("TZ")) old_ = old, hadOld_ = true;
    setenv("TZ", rule, 1);
    tzset();
  }
  ~TimeZone() {
    if (hadOld_) {
      setenv("TZ", old_.c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }

 private:
  std::string old_;
  bool hadOld_ = false;
};

constexpr const char* kCentralEurope = "CET-1CEST,M3.5.0,M10.5.0/3";
constexpr const char* kNewYork = "EST5EDT,M3.2.0,M11.1.0";

TEST(CsvNumber, ReadingTextsBecomePlainNumbers) {
  struct Case {
    const char* text;
    bool decimalComma;
    std::optional<std::string> number;
  };
  const Case cases[] = {
      {" 12.30", false, "12.30"},  // the digits shown, trailing zero kept
      {"  1000", false, "1000"},
      {" 1.25K", false, "1250"},
      {" 0.25K", false, "250"},
      {"12.345K", false, "12345"},
      {"1.2345K", false, "1234.5"},
      {"   12K", false, "12000"},
      {"  .5", false, "0.5"},
      {" 12.30", true, "12,30"},
      {"1.2345K", true, "1234,5"},
      {"    OL", false, std::nullopt},  // over range: no number
      {"  -OL-", false, std::nullopt},
      // The number as far as the text's number reaches, the value every reader takes:
      {"  ----", false, "0"},  // no digits count as 0
      {"", false, "0"},
      {" 1.25k", false, "1.25"},  // only a capital K means thousands
      {"1.2.3", false, "1.2"},
      {"12.3.4", false, "12.3"},
      {" -5.50", false, "-5.50"},
      {"1e3", false, "1000"},
      {"12345678901234567", false, "12345678901234568"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CsvNumber(c.text, c.decimalComma), c.number) << "'" << c.text << "'";
  }
}

// A field that holds the separator, a double quote or a line end is quoted as RFC 4180
// says, its quotes doubled; a time that is no record time is always quoted.
TEST(CsvField, QuotedWhereItNeedsIt) {
  struct Case {
    const char* text;
    char separator;
    const char* field;
  };
  const Case cases[] = {
      {"12.5", ',', "12.5"},
      {"a,b", ',', "\"a,b\""},
      {"a;b", ',', "a;b"},
      {"a;b", ';', "\"a;b\""},
      {"a\tb", '\t', "\"a\tb\""},
      {"say \"hi\"", ',', "\"say \"\"hi\"\"\""},
      {"two\r\nlines", ',', "\"two\r\nlines\""},
      {"", ',', ""},
  };
  for (const Case& c : cases) EXPECT_EQ(CsvField(c.text, c.separator), c.field) << c.text;

  PlotData plot;
  plot.PlotUnit = "Lux";
  plot.PlotRecords = 1;
  plot.PlotTimes = {"10 \"o'clock\", sharp"};
  plot.PlotMain = {"1"};
  plot.PlotCd = {"2"};
  const std::string csv = CsvText(plot, {});
  EXPECT_EQ(csv.substr(csv.find("\r\n") + 2), "1,\"10 \"\"o'clock\"\", sharp\",,1,0,2,0\r\n");
}

TEST(IsoTime, RecordTimesGetTheirLocalOffset) {
  struct Case {
    const char* zone;
    const char* time;
    std::optional<std::string> iso;
  };
  const Case cases[] = {
      {kCentralEurope, "2024/01/17 10:30:01", "2024-01-17T10:30:01+01:00"},
      {kCentralEurope, "2024/07/17 23:59:59", "2024-07-17T23:59:59+02:00"},
      {kCentralEurope, "2024/03/31 01:59:59", "2024-03-31T01:59:59+01:00"},  // before the switch
      {kCentralEurope, "2024/03/31 03:00:00", "2024-03-31T03:00:00+02:00"},  // after it
      {kNewYork, "2024/12/24 18:00:00", "2024-12-24T18:00:00-05:00"},
      {"IST-5:30", "2024/05/17 08:00:00", "2024-05-17T08:00:00+05:30"},
      {"UTC0", "2024/05/17 08:00:00", "2024-05-17T08:00:00+00:00"},
      {"UTC0", "2024-05-17 08:00:00", std::nullopt},
      {"UTC0", "2024/05/17 8:00:00", std::nullopt},
      {"UTC0", "2024/13/17 08:00:00", std::nullopt},
      {"UTC0", "2024/05/17 08:00:0x", std::nullopt},
      {"UTC0", "", std::nullopt},
  };
  for (const Case& c : cases) {
    TimeZone zone(c.zone);
    IsoTimeFormatter iso;
    EXPECT_EQ(iso.Format(c.time), c.iso) << c.zone << " " << c.time;
  }
}

TEST(IsoTime, TheCachedOffsetFollowsTheHour) {
  TimeZone zone(kCentralEurope);
  IsoTimeFormatter iso;  // one formatter across the switch to summer time
  EXPECT_EQ(iso.Format("2024/03/31 01:59:59"), "2024-03-31T01:59:59+01:00");
  EXPECT_EQ(iso.Format("2024/03/31 03:00:00"), "2024-03-31T03:00:00+02:00");
  EXPECT_EQ(iso.Format("2024/10/27 03:00:00"), "2024-10-27T03:00:00+01:00");
}

}  // namespace
}  // namespace orvane
