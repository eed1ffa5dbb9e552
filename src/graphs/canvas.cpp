// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/canvas.h"

#include <array>

namespace orvane {

namespace {
// index        red  green blue
constexpr std::array<Colour, 16> kPalette{{
    /*  0 */ {0, 0, 0},        // black
    /*  1 */ {0, 0, 128},      // dark blue
    /*  2 */ {0, 128, 0},      // dark green
    /*  3 */ {0, 128, 128},    // dark cyan
    /*  4 */ {128, 0, 0},      // dark red
    /*  5 */ {128, 0, 128},    // dark magenta
    /*  6 */ {128, 128, 0},    // dark yellow
    /*  7 */ {192, 192, 192},  // light grey
    /*  8 */ {128, 128, 128},  // dark grey
    /*  9 */ {0, 0, 255},      // blue
    /* 10 */ {0, 255, 0},      // green
    /* 11 */ {0, 255, 255},    // cyan
    /* 12 */ {255, 0, 0},      // red
    /* 13 */ {255, 0, 255},    // magenta
    /* 14 */ {255, 255, 0},    // yellow
    /* 15 */ {255, 255, 255},  // white
}};
}  // namespace

Colour PaletteColour(int index) {
  if (index < 0 || index >= static_cast<int>(kPalette.size())) return kBlack;
  return kPalette[static_cast<std::size_t>(index)];
}

}  // namespace orvane
