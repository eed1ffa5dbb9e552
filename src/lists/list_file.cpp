// SPDX-License-Identifier: GPL-3.0-or-later
#include "lists/list_file.h"

namespace orvane {

namespace {
constexpr std::string_view kLineEnd = "\r\n";

bool WriteLine(std::ostream& out, std::string_view line) {
  out.write(line.data(), static_cast<std::streamsize>(line.size()));
  out.write(kLineEnd.data(), static_cast<std::streamsize>(kLineEnd.size()));
  return out.good();
}
}  // namespace

bool WriteListText(std::ostream& out, std::string_view header, const ListTable& rows,
                   const std::function<void(std::size_t)>& afterRow) {
  if (!WriteLine(out, header)) return false;
  for (std::size_t i = 0; i < rows.Size(); ++i) {
    if (!WriteLine(out, rows.Row(i))) return false;
    if (afterRow) afterRow(i + 1);
  }
  out.flush();
  return out.good();
}

}  // namespace orvane
