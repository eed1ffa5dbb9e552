// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/working_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
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
  // A link, FIFO or another user's file planted in its place is moved aside, never used.
  std::string error;
  std::string notice;
  const int fd = OpenWorkingFile(path, O_WRONLY | O_CREAT | O_TRUNC, error, notice);
  if (fd < 0) return false;
  close(fd);
  return true;
}

std::string WhyNotOwnFile(const std::string& path) {
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0) return {};
  if (S_ISLNK(st.st_mode)) return "a symbolic link";
  if (S_ISDIR(st.st_mode)) return "a folder";
  if (S_ISFIFO(st.st_mode)) return "a named pipe (FIFO)";
  if (!S_ISREG(st.st_mode)) return "no regular file";
  if (st.st_uid != geteuid()) {
    return "a file of another user (uid " + std::to_string(st.st_uid) + ")";
  }
  return {};
}

std::string MoveAside(const std::string& path) {
  for (int n = 1; n < 1000; ++n) {
    std::string aside = path + ".refused" + (n == 1 ? "" : "-" + std::to_string(n));
    if (renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, aside.c_str(), RENAME_NOREPLACE) == 0) {
      return aside;
    }
    if (errno == EINVAL) {  // a file system without the no-replace rename; the folder is ours
      struct stat st {};
      if (lstat(aside.c_str(), &st) == 0) continue;
      return rename(path.c_str(), aside.c_str()) == 0 ? aside : std::string();
    }
    if (errno != EEXIST) return {};
  }
  errno = EEXIST;
  return {};
}

int OpenWorkingFile(const std::string& path, int flags, std::string& error, std::string& notice) {
  if (const std::string why = WhyNotOwnFile(path); !why.empty()) {
    const std::string aside = MoveAside(path);
    if (aside.empty()) {
      error = FileErrorReason(("Cannot move aside " + why + ",").c_str(), path);
      return -1;
    }
    notice = path + " was " + why + ": it was moved aside to " + aside + " and is not used.";
    std::fprintf(stderr, "orvane: %s\n", notice.c_str());  // whoever opened it, it is said
  }
  // O_NOFOLLOW and the check after opening: nothing put there meanwhile is used either.
  const int fd = OpenRegularFile(path, flags | O_NOFOLLOW, error, 0600);
  if (fd < 0) return -1;
  struct stat st {};
  if (fstat(fd, &st) != 0 || st.st_uid != geteuid()) {
    error = "Cannot use " + path + ": it is not a file of this user.";
    close(fd);
    return -1;
  }
  return fd;
}

std::string InWorkingFolder(const std::string& folder, const char* name) {
  return folder + "/" + name;
}

}  // namespace orvane
