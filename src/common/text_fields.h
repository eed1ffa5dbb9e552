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

}  // namespace orvane
