#include "common/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
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
  // O_NOFOLLOW: a link planted in place of the lock file is refused, not followed.
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) {
    error_ = FileErrorReason("cannot open", path);
    return Result::Failed;
  }
  int rc = 0;
  while ((rc = ::flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
  }
  if (rc != 0) {
    const bool held = errno == EWOULDBLOCK;
    error_ = held ? std::string() : FileErrorReason("cannot lock", path);
    ::close(fd);
    return held ? Result::HeldElsewhere : Result::Failed;
  }
  fd_ = fd;
  return Result::Taken;
}

}  // namespace orvane
