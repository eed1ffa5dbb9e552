// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

#include "app/cli_run.h"

namespace orvane {
namespace {

using test::RunCli;

// 128 hex digits with the given report bytes (1..64) set.
std::string Hex(std::initializer_list<std::pair<int, int>> bytes) {
  std::string hex(128, '0');
  const char* digits = "0123456789ABCDEF";
  for (auto [b, v] : bytes) {
    hex[2 * (b - 1)] = digits[v / 16];
    hex[2 * (b - 1) + 1] = digits[v % 16];
  }
  return hex;
}

std::map<std::string, std::string> Lines(const std::string& out) {
  std::map<std::string, std::string> lines;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) {
    const auto tab = line.find('\t');
    lines[line.substr(0, tab)] = line.substr(tab + 1);
  }
  return lines;
}

TEST(CliDecode, ListsThePanelAfterTheLastTick) {
  // Tick 1: 12.34 cd/m2, K, REC and R-H lit, colon, full battery.
  // Tick 2: "SET" lit, blink unit 1 and digit 5 (first tick of each: shown).
  // Tick 3: same blink: the cd/m2 labels and LblSeg5 go dark.
  const std::string frame1 = Hex({{1, 1},
                                  {2, 2},
                                  {3, 3},
                                  {4, 4},
                                  {5, 2},
                                  {6, 1},
                                  {7, 1},
                                  {13, 1},
                                  {21, 1},
                                  {23, 1},
                                  {60, 21},
                                  {64, 2}});
  const std::string frame2 = Hex({{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 2}, {7, 1}, {45, 1}});
  const std::string blink = Hex({{1, 1}, {2, 5}});
  const auto r = RunCli("decode " + frame1 + " " + frame2 + " --blink " + blink + " " + frame2 +
                        " --blink " + blink);
  ASSERT_EQ(r.status, 0) << r.err;
  auto lines = Lines(r.out);
  EXPECT_EQ(lines["LblSeg1"], "1\t1\t1");
  EXPECT_EQ(lines["LblSeg5"], "0\t0\t1");
  EXPECT_EQ(lines["LblSeg6"], "0\t1\t1");
  EXPECT_EQ(lines["Lblcd"], "cd\t0\t1");
  EXPECT_EQ(lines["LblK1"], "K\t0\t1");
  EXPECT_EQ(lines["LblRH"], "R-H\t0\t1");
  EXPECT_EQ(lines["Cmdref"], "REF\t1\t0");
  EXPECT_EQ(lines["ImaS1"], "\t0\t1");
  EXPECT_EQ(lines["ReadingText"], "12.34");
  EXPECT_EQ(lines["UnitText"], "cd/m2");
  EXPECT_EQ(lines["lit"], "AnnSET");
  EXPECT_EQ(lines.count("Lbllx"), 0u);  // never written by the poll
  // Sorted by name, the three trailers last.
  EXPECT_EQ(r.out.substr(0, r.out.find('\t')), "Cmdref");
  EXPECT_NE(r.out.find("\nReadingText\t12.34\nUnitText\tcd/m2\nlit\tAnnSET\n"), std::string::npos);
}

TEST(CliDecode, LitAnnunciatorsInByteOrder) {
  const auto r = RunCli("decode " + Hex({{64, 3}, {59, 1}, {20, 255}, {23, 1}}));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Lines(r.out)["lit"], "AnnAPO AnnREC AnnHMS AnnPercent AnnSmallH");
}

TEST(CliDecode, BadInputIsRefusedWithStatus2) {
  const std::string good = Hex({});
  for (const std::string& args :
       {std::string(""), good.substr(1), good + "0", "G" + good.substr(1), "--blink " + good,
        good + " --blink", good + " --blink " + good + " --blink " + good}) {
    SCOPED_TRACE(args);
    const auto r = RunCli("decode " + args);
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
}

}  // namespace
}  // namespace orvane
