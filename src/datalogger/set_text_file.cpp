// SPDX-License-Identifier: GPL-3.0-or-later
#include "datalogger/set_text_file.h"

#include "datalogger/logger_codec.h"

namespace orvane {

std::string EraseListEntry(long long k, const std::string& stampText) {
  return std::to_string(k) + "  " + StampDisplay(stampText);
}

}  // namespace orvane
