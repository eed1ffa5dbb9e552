// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/file_io.h"
#include "common/working_folder.h"

namespace orvane {

FolderLock::~FolderLock() {
  if (fd_ >= 0) ::close(fd_);
}

FolderLock::Result FolderLock::Take(const std::string& folder) {
  if (fd_ >= 0) return Result::Taken;
  if (!EnsureWorkingFolder(folder)) {
    error_ = "The working folder " + folder + " cannot be created.";
    return Result::Failed;
  }
  const std::string path = InWorkingFolder(folder, kFolderLockName);
  // A lock file that is a folder, a link, a FIFO or another user's cannot say who owns the
  // folder: it is refused (and moved aside, so that the next start makes a proper one).
  if (const std::string why = WhyNotOwnFile(path); !why.empty()) {
    const std::string aside = MoveAside(path);
    error_ = "The lock file " + path + " is " + why +
             (aside.empty() ? std::string(".") : "; it was moved aside to " + aside + ".");
    return Result::Failed;
  }
  // O_NOFOLLOW: a link planted meanwhile is refused, not followed.
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
  if (fd < 0) {
    error_ = FileErrorReason("Cannot open the lock file", path);
    return Result::Failed;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) {
    error_ = "The lock file " + path + " is not a file of this user.";
    ::close(fd);
    return Result::Failed;
  }
  int rc = 0;
  while ((rc = ::flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
  }
  if (rc != 0) {
    const bool held = errno == EWOULDBLOCK;
    error_ = held ? std::string() : FileErrorReason("Cannot lock", path);
    ::close(fd);
    return held ? Result::HeldElsewhere : Result::Failed;
  }
  fd_ = fd;
  return Result::Taken;
}

}  // namespace orvane
