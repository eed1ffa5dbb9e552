// SPDX-License-Identifier: GPL-3.0-or-later
#include "lists/list_table.h"

#include <gtest/gtest.h>

#include <sstream>
#include <streambuf>
#include <vector>

#include "lists/list_file.h"
#include "lists/list_rows.h"

namespace orvane {
namespace {

TEST(ListTable, RowsComeBackExactlyAsAppended) {
  const std::vector<std::string> rows = {"", "a", "         1\tx\t", std::string(300, 'z'), "b"};
  ListTable table;
  for (const auto& r : rows) table.Append(r);
  ASSERT_EQ(table.Size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(table.Row(i), rows[i]) << i;
  EXPECT_EQ(table.Row(rows.size()), "");
  table.Clear();
  EXPECT_TRUE(table.Empty());
  table.Append("again");
  EXPECT_EQ(table.Row(0), "again");
}

TEST(ListTable, ADayOfRowsStaysSmall) {
  ListTable table;
  for (long n = 1; n <= 86400; ++n) {
    table.Append(FormatListRow(n, "2024/05/17 10:30:00", "1234", "1234"));
  }
  EXPECT_EQ(table.Row(86399).substr(0, 10), "     86400");
  EXPECT_LT(table.CapacityBytes(), 12u * 1024 * 1024);
}

// A stream that accepts only `room` bytes.
class FullBuffer : public std::streambuf {
 public:
  explicit FullBuffer(std::size_t room) : room_(room) {}
  std::string written;

 protected:
  int_type overflow(int_type c) override {
    if (written.size() >= room_) return traits_type::eof();
    written.push_back(static_cast<char>(c));
    return c;
  }

 private:
  std::size_t room_;
};

TEST(ListFile, HeaderThenEveryRowEachEndingInCrLf) {
  const struct {
    std::vector<std::string> rows;
    std::string expected;
  } cases[] = {
      {{}, "H\t\r\n"},
      {{"r1", "r2"}, "H\t\r\nr1\r\nr2\r\n"},
  };
  for (const auto& c : cases) {
    ListTable table;
    for (const auto& r : c.rows) table.Append(r);
    std::ostringstream out;
    std::vector<std::size_t> progress;
    EXPECT_TRUE(WriteListText(out, "H\t", table, [&](std::size_t n) { progress.push_back(n); }));
    EXPECT_EQ(out.str(), c.expected);
    EXPECT_EQ(progress.size(), c.rows.size());
    if (!progress.empty()) {
      EXPECT_EQ(progress.back(), c.rows.size());
    }
  }
}

TEST(ListFile, AFailedWriteIsReportedAndStopsTheRows) {
  ListTable table;
  for (int i = 0; i < 100; ++i) table.Append("row " + std::to_string(i));
  for (std::size_t room : {0u, 3u, 40u}) {
    FullBuffer buffer(room);
    std::ostream out(&buffer);
    std::size_t lastRow = 0;
    EXPECT_FALSE(WriteListText(out, "HEADER", table, [&](std::size_t n) { lastRow = n; })) << room;
    EXPECT_LT(lastRow, 100u) << room;
    EXPECT_EQ(buffer.written.size(), room);
  }
}

}  // namespace
}  // namespace orvane
