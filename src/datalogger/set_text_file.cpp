#include "datalogger/set_text_file.h"

#include <fstream>

#include "datalogger/logger_codec.h"

namespace orvane {

bool WriteSetTextFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.write("\r\n", 2);
  out.close();
  return !out.fail();
}

std::string EraseListEntry(long long k, const std::string& stampText) {
  return std::to_string(k) + "  " + StampDisplay(stampText);
}

}  // namespace orvane
