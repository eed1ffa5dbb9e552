// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fields of the program's text files and lists.

#include <string>
#include <string_view>

namespace orvane {

// `text` right-aligned in `width` characters; a longer text is written whole, never cut.
inline std::string RightAligned(std::string_view text, std::size_t width) {
  std::string out;
  if (text.size() < width) out.assign(width - text.size(), ' ');
  out.append(text);
  return out;
}

// The last two characters of "0" followed by the number: 5 gives "05", 12 gives "12".
inline std::string TwoDigits(int value) {
  const std::string text = "0" + std::to_string(value);
  return text.substr(text.size() - 2);
}

}  // namespace orvane
