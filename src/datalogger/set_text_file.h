// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts that name a record set in the erase list.

#include <string>

namespace orvane {

// Grid and erase-list texts of set k: "YYYY/MM/DD hh:mm:ss" and "k  YYYY/MM/DD hh:mm:ss".
std::string EraseListEntry(long long k, const std::string& stampText);

}  // namespace orvane
