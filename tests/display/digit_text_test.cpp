// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/digit_text.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

using Fn = DigitText (*)(std::uint8_t);
using K = DigitText::Kind;

struct Case {
  const char* table;
  Fn fn;
  int code;
  K kind;
  const char* text;
};

class DigitTextTables : public testing::TestWithParam<Case> {};

TEST_P(DigitTextTables, DecodesCodeToKindAndText) {
  const Case& c = GetParam();
  const DigitText d = c.fn(static_cast<std::uint8_t>(c.code));
  EXPECT_EQ(d.kind, c.kind) << c.table << " code " << c.code;
  EXPECT_EQ(d.Text(), c.text) << c.table << " code " << c.code;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Digit, DigitTextTables, testing::Values(
  // Plain: every code but 10 is a number, also with two or three characters.
  Case{"Plain",  DigitTextPlain,   0,  K::Numeral, "0"},
  Case{"Plain",  DigitTextPlain,   9,  K::Numeral, "9"},
  Case{"Plain",  DigitTextPlain,  10,  K::Empty,   ""},
  Case{"Plain",  DigitTextPlain,  11,  K::Numeral, "11"},
  Case{"Plain",  DigitTextPlain,  22,  K::Numeral, "22"},
  Case{"Plain",  DigitTextPlain, 100,  K::Numeral, "100"},
  Case{"Plain",  DigitTextPlain, 255,  K::Numeral, "255"},
  // Main
  Case{"Main",   DigitTextMain,    7,  K::Numeral, "7"},
  Case{"Main",   DigitTextMain,   10,  K::Empty,   ""},
  Case{"Main",   DigitTextMain,   11,  K::Letter,  "A"},
  Case{"Main",   DigitTextMain,   16,  K::Letter,  "E"},
  Case{"Main",   DigitTextMain,   19,  K::Letter,  "L"},
  Case{"Main",   DigitTextMain,   20,  K::Empty,   ""},
  Case{"Main",   DigitTextMain,   23,  K::Empty,   ""},
  Case{"Main",   DigitTextMain,  255,  K::Empty,   ""},
  // Second
  Case{"Second", DigitTextSecond,  0,  K::Numeral, "0"},
  Case{"Second", DigitTextSecond, 11,  K::Letter,  "t"},
  Case{"Second", DigitTextSecond, 13,  K::Letter,  "P"},
  Case{"Second", DigitTextSecond, 16,  K::Letter,  "A"},
  Case{"Second", DigitTextSecond, 17,  K::Empty,   ""},
  Case{"Second", DigitTextSecond, 22,  K::Empty,   ""},
  // Short
  Case{"Short",  DigitTextShort,  11,  K::Letter,  "-"},
  Case{"Short",  DigitTextShort,  12,  K::Letter,  "o"},
  Case{"Short",  DigitTextShort,  14,  K::Letter,  "F"},
  Case{"Short",  DigitTextShort,  15,  K::Empty,   ""},
  Case{"Short",  DigitTextShort, 200,  K::Empty,   ""},
  // Long
  Case{"Long",   DigitTextLong,   11,  K::Letter,  "F"},
  Case{"Long",   DigitTextLong,   15,  K::Letter,  "N"},
  Case{"Long",   DigitTextLong,   16,  K::Letter,  "o"},
  Case{"Long",   DigitTextLong,   20,  K::Letter,  "d"},
  Case{"Long",   DigitTextLong,   22,  K::Letter,  "L"},
  Case{"Long",   DigitTextLong,   23,  K::Empty,   ""},
  Case{"Long",   DigitTextLong,   10,  K::Empty,   ""}));
// clang-format on

}  // namespace
}  // namespace orvane
