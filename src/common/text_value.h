#pragma once
// The numeric value of a text, as every typed value and stored reading is read: leading
// blanks are skipped, reading stops at the first character that cannot continue a
// number, and a text with no number gives 0.

#include <string_view>

namespace orvane {

double NumericValue(std::string_view text);

}  // namespace orvane
