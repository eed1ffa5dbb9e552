// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One panel per working folder: an advisory lock (flock) on the lock file in the folder,
// held for as long as the program runs. The system lets go of it when the process ends,
// however it ends, so a lock left by a killed program never blocks the next start. The
// lock file is opened close-on-exec, so an editor the program starts does not keep it.

#include <string>

namespace orvane {

class FolderLock {
 public:
  enum class Result {
    Taken,          // this process owns the folder now
    HeldElsewhere,  // another running program owns it
    // The folder or its lock file cannot be made or used (see Error()): a lock file that
    // is a folder, a link, a FIFO or another user's is refused, never used.
    Failed,
  };

  FolderLock() = default;
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  ~FolderLock();

  // Creates the folder (mode 0700) and tries to take its lock without waiting.
  Result Take(const std::string& folder);
  bool Held() const { return fd_ >= 0; }
  const std::string& Error() const { return error_; }

 private:
  int fd_ = -1;
  std::string error_;
};

}  // namespace orvane
