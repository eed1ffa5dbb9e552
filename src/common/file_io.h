// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small helpers of the program's file writers.

#include <sys/types.h>

#include <string>
#include <string_view>

namespace orvane {

// Writes every byte to `fd`, going on after interruptions and short writes. Returns
// false with errno set when the file cannot take them all.
bool WriteAll(int fd, std::string_view bytes);

// "<what> <path>: <the system's reason for errno>", for messages.
std::string FileErrorReason(const char* what, const std::string& path);

// Opens `path` with `flags` (O_CLOEXEC added) without ever blocking on it, and keeps it
// open only when it is a regular file: a folder, FIFO, device or socket is refused before
// a byte is read or written. Returns the descriptor, or -1 with `error` set.
int OpenRegularFile(const std::string& path, int flags, std::string& error, mode_t mode = 0600);

// True when `a` and `b` name the same existing file (also through a link).
bool SameExistingFile(const std::string& a, const std::string& b);

// A file written whole or not at all. The bytes go to a temporary file beside the target,
// which takes the target's name only when every byte has reached the device (fsync) and
// the file is closed; a failure (a full disk) removes it and leaves an earlier file of that
// name as it was. A replaced file's permissions are kept. A target that
// is no regular file (/dev/null, /dev/full, a FIFO with a reader) is written directly.
class OutputFile {
 public:
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile();

  bool Open(const std::string& path, std::string& error);
  // Standard output instead of a file, written directly.
  bool OpenStandardOutput(std::string& error);
  bool Write(std::string_view bytes, std::string& error);
  // The open file, for writers that copy into it; -1 when none is open.
  int Descriptor() const { return fd_; }
  // Closes the file and gives it its name. False, with nothing left behind, on failure.
  bool Commit(std::string& error);

 private:
  bool Failed(std::string& error);
  void Discard();

  std::string path_;       // the target, links resolved
  std::string temporary_;  // empty when writing directly
  int fd_ = -1;
};

}  // namespace orvane
