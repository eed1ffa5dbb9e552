// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/annunciators.h"
#include "display_test_support.h"

namespace orvane {
namespace {

using test::Frame;
using test::Visible;

// Every annunciator byte lights exactly its own flag when odd, whatever the other bits.
TEST(DisplayAnnunciators, OddBytesLightExactlyTheirFlag) {
  for (int value : {1, 3, 255}) {
    for (int b = kFirstAnnunciatorByte; b <= kLastAnnunciatorByte; ++b) {
      FrameDecoder d;
      DecodeTick(d, Frame({{b, value}}));
      const auto lit = d.LitAnnunciators();
      ASSERT_EQ(lit.size(), 1u) << "byte " << b << " = " << value;
      EXPECT_EQ(lit[0], kAnnunciators[b - kFirstAnnunciatorByte].flag);
      EXPECT_TRUE(d.Flag(lit[0]));
    }
  }
}

TEST(DisplayAnnunciators, EvenBytesStayDark) {
  for (int value : {0, 2, 254}) {
    FrameDecoder d;
    Report f{};
    for (int b = kFirstAnnunciatorByte; b <= kLastAnnunciatorByte; ++b) f[b] = value;
    f[60] = value;  // the battery byte is no annunciator
    f[61] = f[62] = f[63] = 255;
    DecodeTick(d, f);
    EXPECT_TRUE(d.LitAnnunciators().empty()) << value;
  }
}

TEST(DisplayAnnunciators, Byte64BitsZeroAndOne) {
  struct Row {
    int value;
    bool percent, smallH;
  };
  const Row rows[] = {{0, false, false}, {1, true, false},   {2, false, true},  {3, true, true},
                      {4, false, false}, {254, false, true}, {253, true, false}};
  for (const auto& r : rows) {
    FrameDecoder d;
    DecodeTick(d, Frame({{64, r.value}}));
    EXPECT_EQ(d.Flag("AnnPercent"), r.percent) << r.value;
    EXPECT_EQ(d.Flag("AnnSmallH"), r.smallH) << r.value;
    EXPECT_EQ(Visible(d, "LblPercent"), r.percent) << r.value;
    EXPECT_EQ(Visible(d, "LblSmallh"), r.smallH) << r.value;
  }
}

TEST(DisplayAnnunciators, FlagsAndElementsFollowEachFrame) {
  FrameDecoder d;
  // REC, MX, R-H lit; then only MN; then R-H again.
  DecodeTick(d, Frame({{23, 1}, {24, 3}, {21, 1}}));
  EXPECT_TRUE(d.Flag("AnnREC") && d.Flag("AnnMX") && d.RhLit());
  EXPECT_TRUE(Visible(d, "LblREC") && Visible(d, "LblMx") && Visible(d, "LblRH"));
  EXPECT_TRUE(d.Model().Get("Cmdref").enabled);
  EXPECT_FALSE(Visible(d, "LblMn"));

  DecodeTick(d, Frame({{26, 1}, {21, 2}}));
  EXPECT_FALSE(d.Flag("AnnREC") || d.Flag("AnnMX") || d.RhLit());
  EXPECT_FALSE(Visible(d, "LblREC") || Visible(d, "LblRH"));
  EXPECT_FALSE(d.Model().Get("Cmdref").enabled);
  EXPECT_TRUE(Visible(d, "LblMn"));

  DecodeTick(d, Frame({{21, 255}}));
  EXPECT_TRUE(d.Model().Get("Cmdref").enabled);
  EXPECT_EQ(d.LitAnnunciators(), std::vector<std::string_view>{"AnnRH"});
}

TEST(DisplayAnnunciators, StaticSymbolsFollowFlagsOnlyWithSetDark) {
  const char* elements[] = {"ImgUp", "ImgDown", "LblCycle", "LblTH", "LblAMRM"};
  FrameDecoder d;
  DecodeTick(d, Frame({{31, 1}, {33, 0}, {51, 1}, {44, 0}, {55, 1}}));
  const bool dark[] = {true, false, true, false, true};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Visible(d, elements[i]), dark[i]) << elements[i];

  // "SET" lit, no blink frame applied: the five keep what they showed.
  DecodeTick(d, Frame({{45, 1}, {31, 0}, {33, 1}, {51, 0}, {44, 1}, {55, 0}}));
  EXPECT_TRUE(Visible(d, "LblSET"));
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Visible(d, elements[i]), dark[i]) << elements[i];
}

TEST(DisplayBattery, GaugeTable) {
  struct Row {
    int code;
    const char* shown;  // ImaS1..ImaS6, 1 shown
  };
  const Row rows[] = {{0, "000000"},  {15, "000000"}, {16, "100000"}, {17, "100001"},
                      {18, "100011"}, {19, "100111"}, {20, "101111"}, {21, "111111"},
                      {22, "000000"}, {255, "000000"}};
  FrameDecoder d;
  for (const auto& r : rows) {
    DecodeTick(d, Frame({{60, r.code}}));
    for (int i = 0; i < 6; ++i)
      EXPECT_EQ(Visible(d, "ImaS" + std::to_string(i + 1)), r.shown[i] == '1')
          << "code " << r.code << " ImaS" << i + 1;
  }
}

}  // namespace
}  // namespace orvane
