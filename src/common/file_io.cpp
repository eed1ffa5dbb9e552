// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace orvane {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

namespace {

const char* KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a named pipe (FIFO)";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISSOCK(mode)) return "a socket";
  return "no regular file";
}

}  // namespace

int OpenRegularFile(const std::string& path, int flags, std::string& error, mode_t mode) {
  // O_NONBLOCK: opening a FIFO without a writer (or reader) returns at once instead of
  // waiting; a folder opened for reading is only refused below.
  const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, mode);
  if (fd < 0) {
    error = errno == ENXIO ? "Cannot open " + path + ": it is a named pipe (FIFO), not a file."
                           : FileErrorReason("Cannot open", path);
    return -1;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    error = FileErrorReason("Cannot open", path);
    ::close(fd);
    return -1;
  }
  if (!S_ISREG(st.st_mode)) {
    error = "Cannot open " + path + ": it is " + KindOf(st.st_mode) + ", not a file.";
    ::close(fd);
    return -1;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

std::string FileErrorReason(const char* what, const std::string& path) {
  return std::string(what) + " " + path + ": " + std::strerror(errno);
}

bool SameExistingFile(const std::string& a, const std::string& b) {
  struct stat sa {};
  struct stat sb {};
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

OutputFile::~OutputFile() {
  Discard();
}

void OutputFile::Discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
}

bool OutputFile::Failed(std::string& error) {
  error = FileErrorReason("Cannot write", path_);
  const int saved = errno;
  Discard();
  errno = saved;
  return false;
}

bool OutputFile::Open(const std::string& path, std::string& error) {
  Discard();
  path_ = path;
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    char target[PATH_MAX];
    if (::realpath(path.c_str(), target) != nullptr) path_ = target;
  }
  if (::stat(path_.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    if (S_ISDIR(st.st_mode)) {
      error = "Cannot write " + path + ": it is a folder.";
      return false;
    }
    fd_ = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) return Failed(error);
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
    return true;
  }
  const std::size_t slash = path_.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path_.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path_ : path_.substr(slash + 1);
  std::string pattern = folder + (slash == std::string::npos ? "/." : ".") + name + ".XXXXXX";
  fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd_ < 0) return Failed(error);
  temporary_ = pattern;
  if (::stat(path_.c_str(), &st) == 0) {
    ::fchmod(fd_, st.st_mode & 07777);  // a file replaced keeps who may read it
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd_, 0666 & ~mask);
  }
  return true;
}

bool OutputFile::Write(std::string_view bytes, std::string& error) {
  if (fd_ < 0) return Failed(error);
  return WriteAll(fd_, bytes) || Failed(error);
}

bool OutputFile::OpenStandardOutput(std::string& error) {
  Discard();
  path_ = "standard output";
  fd_ = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 0);
  return fd_ >= 0 || Failed(error);
}

bool OutputFile::Commit(std::string& error) {
  if (fd_ < 0) return Failed(error);
  // A full disk may show only when the data reach the device. (A device or a pipe,
  // written directly, cannot be synced: EINVAL.)
  if (::fsync(fd_) != 0 && errno != EINVAL) return Failed(error);
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) return Failed(error);
  if (!temporary_.empty() && ::rename(temporary_.c_str(), path_.c_str()) != 0) {
    return Failed(error);
  }
  temporary_.clear();
  return true;
}

}  // namespace orvane
