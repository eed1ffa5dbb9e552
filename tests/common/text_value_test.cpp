// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/text_value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/live_reading.h"

namespace orvane {
namespace {

TEST(NumericValue, ReadsLikeATypedValue) {
  struct Case {
    const char* text;
    double value;
  };
  for (const Case& c : {Case{"  12.5abc", 12.5}, Case{"1.25K", 1.25}, Case{"OL", 0}, Case{"", 0},
                        Case{"-7", -7}, Case{".5", 0.5}, Case{"3e2x", 300}, Case{"3e", 3},
                        Case{"1:00:01", 1}, Case{"\t 42", 42}, Case{"1e999", 0}, Case{"+", 0}}) {
    SCOPED_TRACE(c.text);
    EXPECT_DOUBLE_EQ(NumericValue(c.text), c.value);
  }
}

// Exactly the value strtod reads, to the last bit, for short and long digit strings.
TEST(NumericValue, EveryDecimalTextReadsToTheCorrectlyRoundedValue) {
  std::vector<std::string> texts = {"0.1",
                                    "0.3",
                                    "523.1",
                                    "-0.05",
                                    "+9.87",
                                    "-0",
                                    "999999999999999",
                                    "1234567890123456",
                                    "0.1e1",
                                    "4.35e-3",
                                    "12345678901234567890.5"};
  unsigned seed = 11;
  for (int i = 0; i < 20000; ++i) {
    seed = seed * 1103515245 + 12345;
    const int decimals = static_cast<int>(seed >> 28) % 8;
    std::string text = std::to_string(seed % 100000000);
    if (decimals > 0 && decimals < static_cast<int>(text.size())) {
      text.insert(text.size() - decimals, ".");
    }
    texts.push_back(text);
  }
  for (const std::string& text : texts) {
    const double expected = std::strtod(text.c_str(), nullptr);
    EXPECT_EQ(NumericValue(text), expected) << text;
    EXPECT_EQ(std::signbit(NumericValue(text)), std::signbit(expected)) << text;
  }
}

TEST(LiveReadingText, ThousandsOverRangeAndTheOtherSystem) {
  struct Case {
    const char* text;
    bool luxToFc;
    const char* converted;
  };
  for (const Case& c :
       {Case{"107.6", true, "10.00"}, Case{"10.00", false, "107.6"}, Case{"1.25K", true, "116"},
        Case{"0L", true, "0L"}, Case{"500", false, "5380"}, Case{"9999K", false, "107589K"},
        Case{"", true, ""}}) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ConvertReadingText(c.text, c.luxToFc), c.converted);
  }
  EXPECT_DOUBLE_EQ(ReadingValue("1.25K"), 1250.0);
  EXPECT_TRUE(IsOverRange("0L"));
  const LiveReading r = MakeLiveReading("12.34", true, "fL");
  EXPECT_EQ(r.text, "12.34K");
  EXPECT_EQ(r.cdText, "12.34K");
  EXPECT_EQ(r.system, UnitSystem::Imperial);
  EXPECT_TRUE(r.known);
  EXPECT_FALSE(MakeLiveReading("0", false, "").known);
}

}  // namespace
}  // namespace orvane

namespace orvane {
namespace {

// Found by fuzzing: a reading beyond a double's range, or with hundreds of digits.
TEST(LiveReadingText, ExtremeTextsAreCopiedOrBounded) {
  EXPECT_EQ(ConvertReadingText("1e308K", false), "1e308K");
  const std::string longDigits(500, '1');
  EXPECT_LE(ConvertReadingText(longDigits, true).size(), 420u);
  EXPECT_EQ(ConvertReadingText("0.000000000000000000000000001", true).size(), 22u);
}

}  // namespace
}  // namespace orvane
