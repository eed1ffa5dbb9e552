#include "datalogger/set_text_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "common/file_io.h"
#include "datalogger/logger_codec.h"

namespace orvane {

bool WriteSetTextFile(const std::string& path, const std::string& text) {
  // O_NOFOLLOW: a link planted in place of the scratch file is refused, not followed; nor
  // is a FIFO or anything else but a regular file waited on or written.
  std::string error;
  const int fd = OpenRegularFile(path, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW, error, 0600);
  if (fd < 0) return false;
  const std::string whole = text + "\r\n";
  std::string_view left = whole;
  bool ok = true;
  while (ok && !left.empty()) {
    const ssize_t n = ::write(fd, left.data(), left.size());
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) left.remove_prefix(static_cast<std::size_t>(n));
  }
  return ::close(fd) == 0 && ok;
}

std::string EraseListEntry(long long k, const std::string& stampText) {
  return std::to_string(k) + "  " + StampDisplay(stampText);
}

}  // namespace orvane
