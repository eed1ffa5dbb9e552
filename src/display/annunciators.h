// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The meter's 42 fixed LCD symbols. Display frame bytes 20 to 59 carry one symbol each
// (lit when odd); byte 64 carries two more in bits 0 and 1. The table below is in that
// byte order; a flag's index is its position in the table.

#include <array>
#include <cstdint>
#include <string_view>

namespace orvane {

// Direct: the element follows its flag on every tick. StaticOrBlink: it follows its flag
// only while "SET" is dark; in setting mode the blink step decides.
enum class ShownBy : std::uint8_t { Direct, StaticOrBlink };

struct AnnunciatorRow {
  std::string_view flag;
  std::string_view element;
  ShownBy shownBy;
};

inline constexpr int kAnnunciatorCount = 42;
inline constexpr int kFirstAnnunciatorByte = 20;
inline constexpr int kLastAnnunciatorByte = 59;
inline constexpr int kExtraAnnunciatorByte = 64;

constexpr ShownBy kDirect = ShownBy::Direct;
constexpr ShownBy kStatic = ShownBy::StaticOrBlink;

// clang-format off
inline constexpr std::array<AnnunciatorRow, kAnnunciatorCount> kAnnunciators = {{
  // byte  flag            element          shown by
  /* 20 */ {"AnnAPO",      "ImaAPO",      kDirect},
  /* 21 */ {"AnnRH",       "LblRH",       kDirect},
  /* 22 */ {"AnnPK",       "LblPK",       kDirect},
  /* 23 */ {"AnnREC",      "LblREC",      kDirect},
  /* 24 */ {"AnnMX",       "LblMx",       kDirect},
  /* 25 */ {"AnnMxDashMn", "LblMxDashMn", kDirect},
  /* 26 */ {"AnnMN",       "LblMn",       kDirect},
  /* 27 */ {"AnnAVG1",     "LblAVG1",     kDirect},
  /* 28 */ {"AnnH",        "LblH",        kDirect},
  /* 29 */ {"AnnREF",      "LblREF",      kDirect},
  /* 30 */ {"AnnACC",      "LblACC",      kDirect},
  /* 31 */ {"AnnUp",       "ImgUp",       kStatic},
  /* 32 */ {"AnnCMP",      "LblCMP",      kDirect},
  /* 33 */ {"AnnDown",     "ImgDown",     kStatic},
  /* 34 */ {"AnnA",        "LblA",        kDirect},
  /* 35 */ {"AnnB",        "LblB",        kDirect},
  /* 36 */ {"AnnH1",       "Lblh1",       kDirect},
  /* 37 */ {"AnnH2",       "Lblh2",       kDirect},
  /* 38 */ {"AnnZERO",     "LblZero",     kDirect},
  /* 39 */ {"AnnCAF",      "LblCAF",      kDirect},
  /* 40 */ {"AnnCCF",      "LblCCF",      kDirect},
  /* 41 */ {"AnnS",        "LblS",        kDirect},
  /* 42 */ {"AnnPlus",     "LblPlus",     kDirect},
  /* 43 */ {"AnnL",        "LblL",        kDirect},
  /* 44 */ {"AnnTH",       "LblTH",       kStatic},
  /* 45 */ {"AnnSET",      "LblSET",      kDirect},
  /* 46 */ {"AnnDelta",    "ImaDelta",    kDirect},
  /* 47 */ {"AnnASlashB",  "LblASlashB",  kDirect},
  /* 48 */ {"AnnPercentA", "LblPercentA", kDirect},
  /* 49 */ {"AnnBDashA",   "LblBDashA",   kDirect},
  /* 50 */ {"AnnUSB",      "LblUSB",      kDirect},
  /* 51 */ {"AnnCYCLE",    "LblCycle",    kStatic},
  /* 52 */ {"AnnAVG2",     "LblAVG2",     kDirect},
  /* 53 */ {"AnnNO",       "LblNo",       kDirect},
  /* 54 */ {"AnnAMRA",     "LblAMRA",     kDirect},
  /* 55 */ {"AnnAMRM",     "LblAMRM",     kStatic},
  /* 56 */ {"AnnAMRR",     "LblAMRR",     kDirect},
  /* 57 */ {"AnnINTV",     "LblINTV",     kDirect},
  /* 58 */ {"AnnYMD",      "LblYMD",      kDirect},
  /* 59 */ {"AnnHMS",      "Lblhms",      kDirect},
  /* 64 bit 0 */ {"AnnPercent", "LblPercent", kDirect},
  /* 64 bit 1 */ {"AnnSmallH",  "LblSmallh",  kDirect},
}};
// clang-format on

// Index of a flag in the table, or -1.
constexpr int AnnunciatorIndex(std::string_view flag) {
  for (int i = 0; i < kAnnunciatorCount; ++i)
    if (kAnnunciators[i].flag == flag) return i;
  return -1;
}

inline constexpr int kAnnRH = AnnunciatorIndex("AnnRH");
inline constexpr int kAnnSET = AnnunciatorIndex("AnnSET");
static_assert(kAnnRH == 21 - kFirstAnnunciatorByte && kAnnSET == 45 - kFirstAnnunciatorByte);

}  // namespace orvane
