// SPDX-License-Identifier: GPL-3.0-or-later
#include "lists/list_table.h"

namespace orvane {

void ListTable::Append(std::string_view row) {
  text_.append(row);
  ends_.push_back(text_.size());
}

void ListTable::Clear() {
  text_.clear();
  text_.shrink_to_fit();
  ends_.clear();
  ends_.shrink_to_fit();
}

std::string_view ListTable::Row(std::size_t index) const {
  if (index >= ends_.size()) return {};
  const std::size_t begin = index == 0 ? 0 : ends_[index - 1];
  return std::string_view(text_).substr(begin, ends_[index] - begin);
}

std::size_t ListTable::CapacityBytes() const {
  return text_.capacity() + ends_.capacity() * sizeof(std::uint64_t);
}

}  // namespace orvane
