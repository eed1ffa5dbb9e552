// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text file a saved list becomes: the header line, then every row as shown, each
// line ending in CR LF.

#include <cstddef>
#include <functional>
#include <ostream>
#include <string_view>

#include "lists/list_table.h"

namespace orvane {

// Writes the header and the rows; `afterRow` hears the 1-based number of each row once
// it is written. Stops at the first failed write. Returns true when everything was
// written; the caller still has to close the file and check that too.
bool WriteListText(std::ostream& out, std::string_view header, const ListTable& rows,
                   const std::function<void(std::size_t)>& afterRow = {});

}  // namespace orvane
