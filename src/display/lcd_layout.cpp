// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/lcd_layout.h"

#include <array>

namespace orvane {

namespace {

constexpr ElementKind L = ElementKind::Label;
constexpr ElementKind I = ElementKind::Image;
constexpr double kDigitMainPt = 60;
constexpr double kPointMainPt = 72;
constexpr double kDigitSmallPt = 48;
constexpr double kDigitSecondPt = 36;
constexpr double kSymbolPt = 15.75;
constexpr double kSquarePt = 8.25;
constexpr int kSym = 360;  // height of a symbol label
constexpr int kImg = 480;  // images are 480 x 480

// clang-format off
constexpr std::array kLayout = {
  // name           kind caption   left  top   width height font
  // main digits and points
  LcdElement{"LblSeg1",  L, "0",   1560, 1200, 855, 1455, kDigitMainPt},
  LcdElement{"LblSeg2",  L, "0",   2640, 1200, 855, 1455, kDigitMainPt},
  LcdElement{"LblSeg3",  L, "0",   3720, 1200, 855, 1455, kDigitMainPt},
  LcdElement{"LblSeg4",  L, "0",   4800, 1200, 855, 1455, kDigitMainPt},
  LcdElement{"LblP1",    L, ".",   2400,  960, 375, 1455, kPointMainPt},
  LcdElement{"LblP2",    L, ".",   3480,  960, 375, 1455, kPointMainPt},
  LcdElement{"LblP3",    L, ".",   4560,  960, 375, 1455, kPointMainPt},
  // small digits
  LcdElement{"LblSeg5",  L, "0",   1080, 3840, 495,  975, kDigitSmallPt},
  LcdElement{"LblSeg6",  L, "0",   1560, 3840, 495,  975, kDigitSmallPt},
  LcdElement{"LblSeg7",  L, "0",   2040, 3840, 495,  975, kDigitSmallPt},
  // secondary digits, separators and points
  LcdElement{"LblSeg8",  L, "0",   2880, 3600, 495,  975, kDigitSecondPt},
  LcdElement{"LblSeg9",  L, "0",   3480, 3600, 495,  975, kDigitSecondPt},
  LcdElement{"LblSeg10", L, "0",   4080, 3600, 495,  975, kDigitSecondPt},
  LcdElement{"LblSeg11", L, "0",   4680, 3600, 495,  975, kDigitSecondPt},
  LcdElement{"LblSeg12", L, "0",   5280, 3600, 495,  975, kDigitSecondPt},
  LcdElement{"LblSeg13", L, "0",   5880, 3600, 495,  975, kDigitSecondPt},
  LcdElement{"LblDotDot1", L, ":", 3900, 3600, 255,  975, kDigitSecondPt},
  LcdElement{"LblSlash1",  L, "/", 3840, 3600, 375,  975, kDigitSecondPt},
  LcdElement{"LblDotDot2", L, ":", 5100, 3600, 255,  975, kDigitSecondPt},
  LcdElement{"LblSlash2",  L, "/", 5040, 3600, 375,  975, kDigitSecondPt},
  LcdElement{"LblP10",   L, ".",   4500, 3600, 255,  975, kDigitSecondPt},
  LcdElement{"LblP11",   L, ".",   5100, 3600, 255,  975, kDigitSecondPt},
  LcdElement{"LblP13",   L, ".",   5700, 3600, 255,  975, kDigitSecondPt},
  // luminance units: K cd/m2 and K fL
  LcdElement{"LblK1",     L, "K",  5880, 1320, 240, kSym, kSymbolPt},
  LcdElement{"Lblcd",     L, "cd", 6120, 1320, 360, kSym, kSymbolPt},
  LcdElement{"LblSlashm", L, "/m", 6480, 1320, 360, kSym, kSymbolPt},
  LcdElement{"Lbl2",      L, "2",  6840, 1320, 120,  240, kSquarePt},
  LcdElement{"LblK2",     L, "K",  5880, 1680, 240, kSym, kSymbolPt},
  LcdElement{"LblfL",     L, "fL", 6120, 1680, 360, kSym, kSymbolPt},
  // annunciators, in byte order (20..59, then byte 64 bits 0 and 1)
  LcdElement{"ImaAPO",      I, "",      240,  720,  kImg, kImg, 0, Picture::ClockDial},
  LcdElement{"LblRH",       L, "R-H",   840,  720,  720, kSym, kSymbolPt},
  LcdElement{"LblPK",       L, "PK",    1560, 720,  600, kSym, kSymbolPt},
  LcdElement{"LblREC",      L, "REC",   2160, 720,  840, kSym, kSymbolPt},
  LcdElement{"LblMx",       L, "MX",    3000, 720,  480, kSym, kSymbolPt},
  LcdElement{"LblMxDashMn", L, "-",     3480, 720,  240, kSym, kSymbolPt},
  LcdElement{"LblMn",       L, "MN",    3720, 720,  720, kSym, kSymbolPt},
  LcdElement{"LblAVG1",     L, "AVG",   4440, 720,  840, kSym, kSymbolPt},
  LcdElement{"LblH",        L, "H",     5280, 720,  480, kSym, kSymbolPt},
  LcdElement{"LblREF",      L, "REF",   5760, 720,  840, kSym, kSymbolPt},
  LcdElement{"LblACC",      L, "ACC",   6600, 720,  840, kSym, kSymbolPt},
  LcdElement{"ImgUp",       I, "",      360,  1200, kImg, kImg, 0, Picture::TriangleUp},
  LcdElement{"LblCMP",      L, "CMP",   240,  1680, 720, kSym, kSymbolPt},
  LcdElement{"ImgDown",     I, "",      360,  2040, kImg, kImg, 0, Picture::TriangleDown},
  LcdElement{"LblA",        L, "A",     720,  1320, 360, kSym, kSymbolPt},
  LcdElement{"LblB",        L, "B",     720,  2160, 360, kSym, kSymbolPt},
  LcdElement{"Lblh1",       L, ".h",    6960, 1320, 480, kSym, kSymbolPt},
  LcdElement{"Lblh2",       L, ".h",    6480, 1680, 480, kSym, kSymbolPt},
  LcdElement{"LblZero",     L, "ZERO",  1320, 2640, 1080, kSym, kSymbolPt},
  LcdElement{"LblCAF",      L, "CAF",   2400, 2640, 960, kSym, kSymbolPt},
  LcdElement{"LblCCF",      L, "CCF",   3360, 2640, 840, kSym, kSymbolPt},
  LcdElement{"LblS",        L, "S",     4200, 2640, 240, kSym, kSymbolPt},
  LcdElement{"LblPlus",     L, "+",     4440, 2640, 360, kSym, kSymbolPt},
  LcdElement{"LblL",        L, "L",     4800, 2640, 360, kSym, kSymbolPt},
  LcdElement{"LblTH",       L, "T-H",   5160, 2640, 720, kSym, kSymbolPt},
  LcdElement{"LblSET",      L, "SET",   1560, 3120, 720, kSym, kSymbolPt},
  LcdElement{"ImaDelta",    I, "",      3480, 3120, kImg, kImg, 0, Picture::OpenTriangle},
  LcdElement{"LblASlashB",  L, "A/B",   4320, 3120, 720, kSym, kSymbolPt},
  LcdElement{"LblPercentA", L, "%A",    5040, 3120, 720, kSym, kSymbolPt},
  LcdElement{"LblBDashA",   L, "B-A",   5760, 3120, 720, kSym, kSymbolPt},
  LcdElement{"LblUSB",      L, "USB",   6480, 3120, 720, kSym, kSymbolPt},
  LcdElement{"LblCycle",    L, "CYCLE", 240,  3600, 1200, kSym, kSymbolPt},
  LcdElement{"LblAVG2",     L, "AVG",   240,  3960, 720, kSym, kSymbolPt},
  LcdElement{"LblNo",       L, "NO.",   240,  4320, 720, kSym, kSymbolPt},
  LcdElement{"LblAMRA",     L, "A",     1440, 3600, 360, kSym, kSymbolPt},
  LcdElement{"LblAMRM",     L, "M",     1920, 3600, 360, kSym, kSymbolPt},
  LcdElement{"LblAMRR",     L, "R",     2400, 3600, 360, kSym, kSymbolPt},
  LcdElement{"LblINTV",     L, "INTV",  3000, 4440, 960, kSym, kSymbolPt},
  LcdElement{"LblYMD",      L, "Y/M/D", 4320, 4440, 1080, kSym, kSymbolPt},
  LcdElement{"Lblhms",      L, "h:m:s", 5760, 4440, 960, kSym, kSymbolPt},
  LcdElement{"LblPercent",  L, "%",     6720, 3600, 360, kSym, kSymbolPt},
  LcdElement{"LblSmallh",   L, "h",     6720, 3960, 360, kSym, kSymbolPt},
  // battery gauge: six stacked images
  LcdElement{"ImaS1", I, "", 360, 2520, kImg, kImg, 0, Picture::BatteryOutline},
  LcdElement{"ImaS2", I, "", 360, 2520, kImg, kImg, 0, Picture::BatteryBar, 1},
  LcdElement{"ImaS3", I, "", 360, 2520, kImg, kImg, 0, Picture::BatteryBar, 2},
  LcdElement{"ImaS4", I, "", 360, 2520, kImg, kImg, 0, Picture::BatteryBar, 3},
  LcdElement{"ImaS5", I, "", 360, 2520, kImg, kImg, 0, Picture::BatteryBar, 4},
  LcdElement{"ImaS6", I, "", 360, 2520, kImg, kImg, 0, Picture::BatteryBar, 5},
  // unit legends printed on the glass, never lit: the illuminance units under the
  // luminance units, the distance units at the end of the clock row
  LcdElement{"LblK3", L, "K",  5880, 2100, 240, kSym, kSymbolPt},
  LcdElement{"Lbllx", L, "lx", 6120, 2100, 360, kSym, kSymbolPt},
  LcdElement{"Lblfc", L, "fc", 6480, 2100, 360, kSym, kSymbolPt},
  LcdElement{"Lblh3", L, ".h", 6840, 2100, 480, kSym, kSymbolPt},
  LcdElement{"Lblm",  L, "m",  6720, 4440, 300, kSym, kSymbolPt},
  LcdElement{"Lblft", L, "ft", 7080, 4440, 300, kSym, kSymbolPt},
};
// clang-format on

}  // namespace

std::span<const LcdElement> LcdLayout() {
  return kLayout;
}

}  // namespace orvane
