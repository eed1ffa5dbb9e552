// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Numbers as the program writes them for itself: a point before the decimals, no digit
// grouping, whatever locale the program runs in. The C library's printf family follows
// the locale (a decimal comma under de_DE), so no number of a file, a chart or an output
// line is formatted with it.

#include <string>

namespace orvane {

// The value with exactly `decimals` decimals, as "%.*f" writes it in the C locale.
std::string FixedText(double value, int decimals);

// The value with up to `digits` significant digits, as "%.*g" writes it in the C locale:
// 5, 9998995, 92.93, 1e+20.
std::string GeneralText(double value, int digits = 15);

}  // namespace orvane
