// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rows of one table of the real-time list, as shown. Rows live back to back in one
// text block with one offset each, so a day of rows (86,400) takes a few megabytes and
// appending never moves the rows already there more than a growing vector does.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

class ListTable {
 public:
  void Append(std::string_view row);
  void Clear();
  std::size_t Size() const { return ends_.size(); }
  bool Empty() const { return ends_.empty(); }
  // Row `index`, counting from 0; empty for an index past the end.
  std::string_view Row(std::size_t index) const;
  // Bytes held, for measuring.
  std::size_t CapacityBytes() const;

 private:
  std::string text_;
  std::vector<std::uint64_t> ends_;  // end of each row in text_
};

}  // namespace orvane
