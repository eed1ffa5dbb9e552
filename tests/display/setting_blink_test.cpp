// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display_test_support.h"

namespace orvane {
namespace {

using test::Blink;
using test::Frame;

// One tick: the blink codes (unit, digit, point, symbol) or, with set = false, a display
// frame with "SET" dark; then what must hold afterwards: "Lblcd" shown, "!Lblcd" hidden,
// "BlinkCdM2" state true, "!BlinkCdM2" state false.
struct Step {
  std::array<int, 4> codes;
  std::vector<std::string> expect;
  bool set = true;
};

struct Sequence {
  const char* name;
  std::vector<std::pair<int, int>> frame;  // display frame bytes besides "SET"
  std::vector<Step> steps;
};

void PrintTo(const Sequence& s, std::ostream* os) {
  *os << s.name;
}

class BlinkSequences : public testing::TestWithParam<Sequence> {};

TEST_P(BlinkSequences, EachTickShowsAndHidesAsTheRulesSay) {
  const Sequence& seq = GetParam();
  FrameDecoder d;
  int tick = 0;
  for (const auto& step : seq.steps) {
    Report frame = Frame({});
    for (auto [b, v] : seq.frame) frame[b] = static_cast<std::uint8_t>(v);
    frame[45] = step.set ? 1 : 0;
    const Report blink = Blink(step.codes[0], step.codes[1], step.codes[2], step.codes[3]);
    DecodeTick(d, frame, &blink);
    ++tick;
    for (const auto& e : step.expect) {
      const bool negated = e[0] == '!';
      const std::string name = negated ? e.substr(1) : e;
      const bool actual =
          name.starts_with("Blink") ? d.BlinkState(name) : d.Model().Get(name).visible;
      EXPECT_EQ(actual, !negated) << seq.name << ", tick " << tick << ": " << e;
    }
  }
}

const std::vector<std::string> kAllDigits = {
    "LblSeg1", "LblSeg2", "LblSeg3",  "LblSeg4",  "LblSeg5",  "LblSeg6", "LblSeg7",
    "LblSeg8", "LblSeg9", "LblSeg10", "LblSeg11", "LblSeg12", "LblSeg13"};

std::vector<std::string> DigitsExcept(std::vector<std::string> hidden) {
  std::vector<std::string> out;
  for (const auto& d : kAllDigits) {
    bool h = std::find(hidden.begin(), hidden.end(), d) != hidden.end();
    out.push_back(h ? "!" + d : d);
  }
  return out;
}

// Unit byte 2 (fL) and multiplier 1 so the stored flags differ from every blink pattern.
const std::vector<std::pair<int, int>> kFlFrame = {{7, 2}, {6, 1}, {5, 2}, {19, 1}};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Blink, BlinkSequences, testing::Values(
  Sequence{"unit 1 toggles with its followers", kFlFrame, {
    {{1, 0, 0, 0}, {"Lblcd", "LblSlashm", "Lbl2", "!LblK1", "!LblK2", "!LblfL", "BlinkCdM2"}},
    {{1, 0, 0, 0}, {"!Lblcd", "!LblSlashm", "!Lbl2", "!LblK1", "!LblK2", "!LblfL"}},
    {{1, 0, 0, 0}, {"Lblcd", "LblSlashm", "Lbl2"}},
  }},
  Sequence{"unit 16 hides cd/m2, 1 resumes from hidden", kFlFrame, {
    {{1, 0, 0, 0},  {"Lblcd"}},
    {{16, 0, 0, 0}, {"LblfL", "!Lblcd", "!LblSlashm", "!Lbl2", "!LblK1", "!LblK2", "BlinkFL", "BlinkCdM2"}},
    {{16, 0, 0, 0}, {"!LblfL"}},
    {{1, 0, 0, 0},  {"Lblcd", "LblSlashm", "Lbl2", "!LblfL"}},
    {{1, 0, 0, 0},  {"!Lblcd", "!Lbl2"}},
  }},
  Sequence{"unit 0 clears the states and shows the stored flags", kFlFrame, {
    {{48, 0, 0, 0}, {"LblK2", "LblfL", "!LblK1", "!Lblcd"}},
    {{48, 0, 0, 0}, {"!LblK2", "!LblfL"}},
    {{0, 0, 0, 0},  {"LblK1", "!LblK2", "LblfL", "!Lblcd", "!LblSlashm", "!Lbl2", "!BlinkKFL"}},
    {{48, 0, 0, 0}, {"LblK2", "LblfL", "!LblK1"}},
  }},
  Sequence{"unit code outside the table changes nothing", kFlFrame, {
    {{3, 0, 0, 0}, {"LblK1", "Lblcd", "!LblK2", "!LblfL"}},
    {{2, 0, 0, 0}, {"LblK1", "Lblcd", "!LblK2", "!LblfL", "BlinkKCdM2"}},
    {{3, 0, 0, 0}, {"!LblK1", "!Lblcd", "!LblSlashm"}},
  }},
  Sequence{"digit 7 alone blinks", {}, {
    {{0, 7, 0, 0}, DigitsExcept({})},
    {{0, 7, 0, 0}, DigitsExcept({"LblSeg7"})},
    {{0, 7, 0, 0}, DigitsExcept({})},
  }},
  Sequence{"digit groups blink together", {}, {
    {{0, 32, 0, 0}, DigitsExcept({})},
    {{0, 32, 0, 0}, DigitsExcept({"LblSeg10", "LblSeg11"})},
    {{0, 64, 0, 0}, DigitsExcept({})},
    {{0, 64, 0, 0}, DigitsExcept({"LblSeg11", "LblSeg12", "LblSeg13"})},
    {{0, 48, 0, 0}, DigitsExcept({})},
    {{0, 48, 0, 0}, DigitsExcept({"LblSeg12", "LblSeg13"})},
  }},
  Sequence{"digit switch without 0 resumes from the cell's visibility", {}, {
    {{0, 2, 0, 0}, DigitsExcept({})},
    {{0, 2, 0, 0}, DigitsExcept({"LblSeg2"})},
    {{0, 9, 0, 0}, {"LblSeg2", "LblSeg9", "BlinkSeg2", "BlinkSeg9"}},
    {{0, 2, 0, 0}, DigitsExcept({"LblSeg2"})},
    {{0, 99, 0, 0}, DigitsExcept({})},
    {{0, 0, 0, 0}, {"!BlinkSeg2", "!BlinkSeg9"}},
  }},
  Sequence{"digit 80 copies to LblP10 unless the point group rules it", {{19, 0}}, {
    {{0, 80, 9, 0}, {"LblSeg10", "LblSeg13", "LblP10"}},
    {{0, 80, 9, 0}, {"!LblSeg10", "!LblSeg11", "!LblSeg12", "!LblSeg13", "!LblP10", "LblSeg9"}},
    {{0, 80, 0, 0}, {"LblSeg10", "!LblP10"}},
    {{0, 80, 4, 0}, {"!LblSeg10", "LblP10", "BlinkP10"}},
  }},
  Sequence{"digit 80 with point 0 shows LblP10 from its flag", {{19, 1}}, {
    {{0, 80, 0, 0}, {"LblSeg10", "LblP10"}},
    {{0, 80, 0, 0}, {"!LblSeg10", "LblP10"}},
  }},
  Sequence{"point 5 blinks the main points and hides LblP10", {{19, 1}, {5, 0}}, {
    {{0, 0, 5, 0}, {"LblP1", "LblP2", "LblP3", "!LblP10", "LblP11"}},
    {{0, 0, 5, 0}, {"!LblP1", "!LblP2", "!LblP3", "!LblP10"}},
    {{0, 0, 2, 0}, {"!LblP1", "LblP2", "!LblP3", "!LblP10"}},
    {{0, 0, 0, 0}, {"!LblP1", "!LblP2", "!LblP3", "LblP10", "!LblP11", "!BlinkP1To3"}},
  }},
  Sequence{"symbol 2 leaves the other four as they were", {{33, 1}, {51, 0}}, {
    {{0, 0, 0, 0}, {"ImgDown", "!ImgUp", "!LblCycle", "!LblTH", "!LblAMRM"}, false},
    {{0, 0, 0, 2}, {"ImgUp", "ImgDown", "!LblCycle", "BlinkUp"}},
    {{0, 0, 0, 2}, {"!ImgUp", "ImgDown", "!LblCycle"}},
    {{0, 0, 0, 64}, {"!ImgUp", "LblAMRM", "ImgDown"}},
    {{0, 0, 0, 0}, {"!ImgUp", "ImgDown", "!LblAMRM", "!BlinkUp", "!BlinkAMRM"}},
  }},
  Sequence{"leaving the setting mode restores every digit", kFlFrame, {
    {{1, 5, 0, 0}, DigitsExcept({})},
    {{1, 5, 0, 0}, DigitsExcept({"LblSeg5"})},
    {{0, 0, 0, 0}, DigitsExcept({}), false},
    {{0, 0, 0, 0}, {"!BlinkSeg5", "!BlinkCdM2", "LblfL", "!Lblcd"}, false},
    {{0, 5, 0, 0}, DigitsExcept({})},
  }}));
// clang-format on

}  // namespace
}  // namespace orvane
