// SPDX-License-Identifier: GPL-3.0-or-later
#include "lists/list_rows.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

constexpr const char* kTime = "2024/05/17 10:30:00";

struct RowCase {
  long number;
  const char* reading;
  const char* cd;
  const char* expected;
};

TEST(ListRow, FieldsAreRightAlignedAndLongerTextsWrittenWhole) {
  const RowCase cases[] = {
      {1, "523", "523", "         1\t2024/05/17 10:30:00\t   523\t   523\t"},
      {100000, "12.34", "12.34", "    100000\t2024/05/17 10:30:00\t 12.34\t 12.34\t"},
      {1234567890, "1.25K", "1.25K", "1234567890\t2024/05/17 10:30:00\t 1.25K\t 1.25K\t"},
      {12345678901, "OL", "OL", "12345678901\t2024/05/17 10:30:00\t    OL\t    OL\t"},
      {7, "999.99K", "123456", "         7\t2024/05/17 10:30:00\t999.99K\t123456\t"},
      {8, "", "", "         8\t2024/05/17 10:30:00\t      \t      \t"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatListRow(c.number, kTime, c.reading, c.cd), c.expected) << c.number;
  }
}

struct PairCase {
  const char* text;
  UnitSystem shown;
  UnitSystem list;  // the system the list started with
  const char* luxField;
  const char* fcField;
  const char* cdField;
};

TEST(ListRow, EachTableGetsItsOwnSystemAndTheCdColumnTheList) {
  const PairCase cases[] = {
      {"107.6", UnitSystem::Metric, UnitSystem::Metric, " 107.6", " 10.00", " 107.6"},
      {"10.00", UnitSystem::Imperial, UnitSystem::Imperial, " 107.6", " 10.00", " 10.00"},
      // the meter switched units after the list started: cd converted back
      {"10.00", UnitSystem::Imperial, UnitSystem::Metric, " 107.6", " 10.00", " 107.6"},
      {"OL", UnitSystem::Metric, UnitSystem::Imperial, "    OL", "    OL", "    OL"},
  };
  for (const auto& c : cases) {
    LiveReading r;
    r.text = c.text;
    r.cdText = c.text;
    r.system = c.shown;
    r.known = true;
    const ListRowPair rows = MakeListRows(3, kTime, r, c.list);
    EXPECT_EQ(rows.metric,
              "         3\t" + std::string(kTime) + "\t" + c.luxField + "\t" + c.cdField + "\t")
        << c.text;
    EXPECT_EQ(rows.imperial,
              "         3\t" + std::string(kTime) + "\t" + c.fcField + "\t" + c.cdField + "\t")
        << c.text;
  }
}

TEST(ListTopRow, NewestFifteenRowsStayInView) {
  const struct {
    long count;
    long top;
  } cases[] = {{0, -1}, {1, -1}, {15, -1}, {16, 1}, {20, 5}, {86400, 86385}};
  for (const auto& c : cases) EXPECT_EQ(ListTopRow(c.count), c.top) << c.count;
}

TEST(ListTitles, DistanceColumnIsFiveWideAndHeaderTakesItsFirstSevenCharacters) {
  const struct {
    std::string title;
    bool metric;
    const char* header;
  } cases[] = {
      {ListTitleMetric(""), true, "      m  No.s\tDate Time\tLux\tcd\t"},
      {ListTitleImperial(""), false, "     ft  No.s\tDate Time\t Fc\tcd\t"},
      {ListTitleMetric("1.00"), true, " 1.00 m  No.s\tDate Time\tLux\tcd\t"},
      {ListTitleImperial("3.28"), false, " 3.28ft  No.s\tDate Time\t Fc\tcd\t"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ListSaveHeader(c.title, c.metric), c.header) << c.title;
  }
  EXPECT_EQ(ListTitleMetric(""), "      m  No.s         Date Time           Lux      cd");
}

}  // namespace
}  // namespace orvane
