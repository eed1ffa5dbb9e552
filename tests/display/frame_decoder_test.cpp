// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/frame_decoder.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "display/lcd_layout.h"
#include "display_test_support.h"

namespace orvane {
namespace {

using test::Caption;
using test::Frame;
using test::Visible;

TEST(DisplayDesignState, ModelHoldsEveryElementAsCreated) {
  FrameDecoder d;
  for (const auto& e : LcdLayout()) {
    EXPECT_EQ(Caption(d, e.name), e.caption) << e.name;
    EXPECT_TRUE(Visible(d, e.name)) << e.name;
  }
  EXPECT_EQ(Caption(d, "LblSeg7"), "0");
  EXPECT_EQ(Caption(d, "LblP13"), ".");
  EXPECT_EQ(Caption(d, "LblSlash2"), "/");
  EXPECT_EQ(Caption(d, "LblCycle"), "CYCLE");
  EXPECT_EQ(Caption(d, "Lblft"), "ft");
  EXPECT_EQ(Caption(d, "Cmdref"), "REF");
  EXPECT_EQ(d.Model().Size(), LcdLayout().size() + 1);
  EXPECT_TRUE(d.ReadingText().empty());
  EXPECT_TRUE(d.UnitText().empty());
}

struct MainCase {
  std::array<int, 5> bytes;  // bytes 1..4 and the point byte 5
  std::array<const char*, 4> cells;
  const char* reading;
};

class DisplayMainDigits : public testing::TestWithParam<MainCase> {};

TEST_P(DisplayMainDigits, CellsAndReadingText) {
  const auto& c = GetParam();
  FrameDecoder d;
  DecodeTick(
      d,
      Frame({{1, c.bytes[0]}, {2, c.bytes[1]}, {3, c.bytes[2]}, {4, c.bytes[3]}, {5, c.bytes[4]}}));
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(Caption(d, "LblSeg" + std::to_string(i + 1)), c.cells[i]) << "cell " << i + 1;
  EXPECT_EQ(d.ReadingText(), c.reading);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rewrites, DisplayMainDigits, testing::Values(
  //        bytes 1..4, point       cells                    ReadingText
  MainCase{{9, 8, 7, 6, 0},   {"9", "8", "7", "6"},     "9876"},
  MainCase{{9, 8, 7, 6, 1},   {"9", "8", "7", "6"},     "9.876"},
  MainCase{{9, 8, 7, 6, 2},   {"9", "8", "7", "6"},     "98.76"},
  MainCase{{9, 8, 7, 6, 3},   {"9", "8", "7", "6"},     "987.6"},
  MainCase{{9, 8, 7, 6, 4},   {"9", "8", "7", "6"},     "9.8.7.6"},
  MainCase{{10, 10, 7, 10, 2}, {"", "", "7", ""},       ".7"},
  // 5 before "t" becomes S; the plain numeral 5 elsewhere stays
  MainCase{{5, 11, 16, 13, 0}, {"S", "t", "E", "t"},    "StEt"},
  MainCase{{5, 0, 5, 11, 0},  {"5", "0", "5", "A"},     "505A"},
  // "t" then 1 gives I; both rewrites in one frame
  MainCase{{5, 11, 13, 1, 0}, {"S", "t", "t", "I"},     "SttI"},
  // A P 0 gives O; the letter O of no table, and "A", "P", letter does not
  MainCase{{11, 13, 0, 12, 0}, {"A", "P", "O", "C"},    "APOC"},
  MainCase{{11, 13, 1, 12, 0}, {"A", "P", "1", "C"},    "AP1C"},
  MainCase{{11, 11, 0, 12, 0}, {"A", "t", "0", "C"},    "At0C"},
  // b L 1 t gives I in cell 3; rule 2 sees "t" in cell 4 only after rule 4
  MainCase{{15, 14, 1, 13, 3}, {"b", "L", "I", "t"},    "bLI.t"},
  MainCase{{15, 14, 7, 13, 0}, {"b", "L", "7", "t"},    "bL7t"},
  // codes outside the tables are blank cells
  MainCase{{20, 17, 255, 23, 0}, {"", "", "", ""},      ""}));
// clang-format on

TEST(DisplayMainDigits, PointCodeOutsideTableKeepsPoints) {
  FrameDecoder d;
  const std::vector<std::pair<int, std::string>> ticks = {
      {2, "12.34"}, {7, "12.34"}, {255, "12.34"}, {0, "1234"}, {5, "1234"}, {4, "1.2.3.4"}};
  for (const auto& [point, reading] : ticks) {
    DecodeTick(d, Frame({{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, point}}));
    EXPECT_EQ(d.ReadingText(), reading) << "point code " << point;
  }
  EXPECT_TRUE(Visible(d, "LblP1") && Visible(d, "LblP2") && Visible(d, "LblP3"));
}

struct ModeTick {
  int unit, multiplier, secondPoint;
  const char* unitText;
  std::array<bool, 6> units;   // LblK1, Lblcd, LblSlashm, Lbl2, LblK2, LblfL
  std::array<bool, 3> points;  // LblP10, LblP11, LblP13
};

TEST(DisplayModeBytes, CodesOutsideTablesLeaveStateUnchanged) {
  // One sequence of ticks: each row follows the one above it.
  // clang-format off
  const ModeTick ticks[] = {
    // unit mult 2ndP UnitText  K1     cd     /m     2      K2     fL       P10    P11    P13
    {1,   1,   1,   "cd/m2", {true,  true,  true,  true,  false, false}, {true,  false, false}},
    {3,   9,   4,   "cd/m2", {true,  true,  true,  true,  false, false}, {true,  false, false}},
    {0,   0,   0,   "cd/m2", {false, false, false, false, false, false}, {false, false, false}},
    {2,   2,   2,   "fL",    {false, false, false, false, true,  true }, {false, true,  false}},
    {255, 3,   255, "fL",    {false, false, false, false, true,  true }, {false, true,  false}},
    {1,   0,   3,   "cd/m2", {false, true,  true,  true,  false, false}, {false, false, true }},
  };
  // clang-format on
  FrameDecoder d;
  const char* units[] = {"LblK1", "Lblcd", "LblSlashm", "Lbl2", "LblK2", "LblfL"};
  const char* points[] = {"LblP10", "LblP11", "LblP13"};
  int n = 0;
  for (const auto& t : ticks) {
    DecodeTick(d, Frame({{7, t.unit}, {6, t.multiplier}, {19, t.secondPoint}}));
    EXPECT_EQ(d.UnitText(), t.unitText) << "tick " << n;
    for (int i = 0; i < 6; ++i) EXPECT_EQ(Visible(d, units[i]), t.units[i]) << units[i] << n;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Visible(d, points[i]), t.points[i]) << points[i] << n;
    EXPECT_EQ(d.KLit(), t.units[0] || t.units[4]) << "tick " << n;
    ++n;
  }
}

struct SmallCase {
  std::vector<std::pair<int, int>> bytes;
  std::vector<std::pair<const char*, const char*>> captions;
};

class DisplaySmallDigits : public testing::TestWithParam<SmallCase> {};

TEST_P(DisplaySmallDigits, Captions) {
  FrameDecoder d;
  Report f{};
  for (auto [b, v] : GetParam().bytes) f[b] = static_cast<std::uint8_t>(v);
  DecodeTick(d, f);
  for (auto [name, caption] : GetParam().captions) EXPECT_EQ(Caption(d, name), caption) << name;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rewrites, DisplaySmallDigits, testing::Values(
  // plain cells show any code but 10 as a number
  SmallCase{{{8, 12}, {9, 10}, {10, 250}}, {{"LblSeg5", "12"}, {"LblSeg6", ""}, {"LblSeg7", "250"}}},
  // long, short, short
  SmallCase{{{11, 21}, {12, 11}, {14, 12}}, {{"LblSeg8", "u"}, {"LblSeg9", "-"}, {"LblSeg10", "o"}}},
  // Y E 5 -> S; "N" "o" 5 stays
  SmallCase{{{15, 13}, {17, 14}, {18, 5}}, {{"LblSeg11", "Y"}, {"LblSeg12", "E"}, {"LblSeg13", "S"}}},
  SmallCase{{{15, 15}, {17, 16}, {18, 5}}, {{"LblSeg11", "N"}, {"LblSeg12", "o"}, {"LblSeg13", "5"}}},
  // 0 F F -> O F F; letter "o" F F stays
  SmallCase{{{15, 0}, {17, 11}, {18, 11}}, {{"LblSeg11", "O"}, {"LblSeg12", "F"}, {"LblSeg13", "F"}}},
  SmallCase{{{15, 16}, {17, 11}, {18, 11}}, {{"LblSeg11", "o"}, {"LblSeg12", "F"}, {"LblSeg13", "F"}}},
  // 0 n -> o n, also after an O F F could not apply
  SmallCase{{{15, 3}, {17, 0}, {18, 12}}, {{"LblSeg11", "3"}, {"LblSeg12", "o"}, {"LblSeg13", "n"}}},
  SmallCase{{{15, 3}, {17, 0}, {18, 15}}, {{"LblSeg11", "3"}, {"LblSeg12", "0"}, {"LblSeg13", "N"}}},
  // codes outside the long table are blank
  SmallCase{{{15, 23}, {17, 10}, {18, 99}}, {{"LblSeg11", ""}, {"LblSeg12", ""}, {"LblSeg13", ""}}}));
// clang-format on

TEST(DisplaySeparators, EachByteDrivesItsPairAndUnknownCodesKeepIt) {
  // bytes 13 and 16; expected LblDotDot1, LblSlash1, LblDotDot2, LblSlash2
  // clang-format off
  const std::vector<std::pair<std::array<int, 2>, std::array<bool, 4>>> ticks = {
    {{1, 2},   {true,  false, false, true }},
    {{3, 200}, {true,  false, false, true }},
    {{2, 1},   {false, true,  true,  false}},
    {{0, 7},   {false, false, true,  false}},
    {{9, 0},   {false, false, false, false}},
  };
  // clang-format on
  FrameDecoder d;
  const char* names[] = {"LblDotDot1", "LblSlash1", "LblDotDot2", "LblSlash2"};
  for (const auto& [bytes, shown] : ticks) {
    DecodeTick(d, Frame({{13, bytes[0]}, {16, bytes[1]}}));
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(Visible(d, names[i]), shown[i])
          << names[i] << " after " << bytes[0] << "," << bytes[1];
  }
}

}  // namespace
}  // namespace orvane
