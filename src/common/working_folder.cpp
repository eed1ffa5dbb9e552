#include "common/working_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "common/file_io.h"

namespace orvane {

std::string WorkingFolderPath() {
  if (const char* dir = std::getenv("ORVANE_TEMP_DIR"); dir != nullptr && *dir != '\0') {
    return dir;
  }
  if (const char* state = std::getenv("XDG_STATE_HOME"); state != nullptr && *state == '/') {
    return std::string(state) + "/orvane";
  }
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : "/tmp") + "/.local/state/orvane";
}

bool EnsureWorkingFolder(const std::string& path) {
  if (path.empty()) return false;
  for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string part = path.substr(0, slash);
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != geteuid()) return false;
  // A folder left readable by others (created by hand, say) is closed to them.
  return (st.st_mode & 077) == 0 || chmod(path.c_str(), 0700) == 0;
}

bool EmptyFile(const std::string& path) {
  // O_NOFOLLOW: a link planted in place of the scratch file is refused, not followed.
  // Never blocks on a FIFO planted there, and empties only a regular file.
  std::string error;
  const int fd = OpenRegularFile(path, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW, error, 0600);
  if (fd < 0) return false;
  close(fd);
  return true;
}

std::string InWorkingFolder(const std::string& folder, const char* name) {
  return folder + "/" + name;
}

}  // namespace orvane
