// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording/recording_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "common/file_io.h"
#include "common/working_folder.h"

namespace orvane {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Appends the first `wholeBytes` of the open scratch file `in` to `out`. Read from the
// descriptor, not by name: the records are copied even when the scratch file's folder
// was removed meanwhile.
bool CopyScratch(int in, const std::string& scratchPath, long long wholeBytes, int out,
                 const std::string& dataPath, std::string& error) {
  std::vector<char> buffer(1 << 16);
  for (long long at = 0; at < wholeBytes;) {
    const auto want = static_cast<std::size_t>(
        std::min<long long>(static_cast<long long>(buffer.size()), wholeBytes - at));
    const ssize_t n = ::pread(in, buffer.data(), want, at);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;  // shorter than the lines written to it
      error = FileErrorReason("Cannot read the recording in", scratchPath);
      return false;
    }
    at += n;
    if (!WriteAll(out, std::string_view(buffer.data(), static_cast<std::size_t>(n)))) {
      error = FileErrorReason("Cannot write", dataPath);
      return false;
    }
  }
  return true;
}

// True when `a` and `b` name the same existing file.
bool SameFile(const std::string& a, const std::string& b) {
  struct stat sa {};
  struct stat sb {};
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

}  // namespace

std::string BodyHeaderLines(bool metric, std::string_view distanceText) {
  // The distance is the last five characters of four blanks and its text: four blanks
  // when there is none, right-aligned in 5 otherwise (a longer text whole).
  const std::string distance =
      distanceText.empty() ? std::string(4, ' ') : RightAligned(distanceText, 5);
  std::string out;
  out += "-\tDistance : " + distance + (metric ? " m" : "ft") + std::string(kLineEnd);
  out += "-\t" + std::string(kLineEnd);
  out += "-\t      No.s\t      Date Time    \t";
  out += metric ? "  Lux" : "   Fc";
  out += "\t   cd" + std::string(kLineEnd);
  out += "-\t" + std::string(53, '-') + std::string(kLineEnd);
  return out;
}

std::string FileHeaderLines(long count) {
  return "-\r\n-\r\n-\r\n-\tTotal Records : " + std::to_string(count) + std::string(kLineEnd);
}

std::string RecordLine(long number, std::string_view dateTime, std::string_view mainText,
                       std::string_view cdText) {
  std::string line = "-\t";
  line += RightAligned(std::to_string(number), 10);
  line += '\t';
  line += dateTime;
  line += '\t';
  line += RightAligned(mainText, 6);
  line += '\t';
  line += RightAligned(cdText, 6);
  line += '\t';
  line += kLineEnd;
  return line;
}

RecordingFile::~RecordingFile() {
  Close();
}

void RecordingFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool BeginRecordingFile(RecordingFile& file, const std::string& scratchPath, bool metric,
                        std::string_view distanceText, std::string& error) {
  file.Close();
  file.scratchPath_ = scratchPath;
  file.notice_.clear();
  // Only a regular file of this user: a link, FIFO or another user's file planted there
  // is moved aside, never written. Readable too: the data file is copied from it.
  file.fd_ =
      OpenWorkingFile(scratchPath, O_RDWR | O_CREAT | O_TRUNC | O_APPEND, error, file.notice_);
  if (file.fd_ < 0) return false;
  ::fchmod(file.fd_, 0600);  // also a scratch file left by an older run: only its owner reads it
  const std::string header = BodyHeaderLines(metric, distanceText);
  if (!WriteAll(file.fd_, header)) {
    error = FileErrorReason("Cannot write", scratchPath);
    file.Close();
    return false;
  }
  file.wholeBytes_ = static_cast<long long>(header.size());
  file.cutPending_ = false;
  return true;
}

bool AppendRecord(RecordingFile& file, long number, std::string_view dateTime,
                  std::string_view mainText, std::string_view cdText, std::string& error) {
  if (file.fd_ < 0) {
    if (file.scratchPath_.empty()) {
      error = "No recording has been started";
      return false;
    }
    std::string notice;
    file.fd_ = OpenWorkingFile(file.scratchPath_, O_RDWR | O_APPEND, error, notice);
    if (file.fd_ < 0) return false;
  }
  if (file.cutPending_) {
    if (::ftruncate(file.fd_, file.wholeBytes_) != 0) {
      error = FileErrorReason("Cannot write", file.scratchPath_);
      return false;
    }
    file.cutPending_ = false;
  }
  // One write per line: the operating system holds every record once this returns.
  const std::string line = RecordLine(number, dateTime, mainText, cdText);
  if (!WriteAll(file.fd_, line)) {
    error = FileErrorReason("Cannot write", file.scratchPath_);
    file.cutPending_ = ::ftruncate(file.fd_, file.wholeBytes_) != 0;
    return false;
  }
  file.wholeBytes_ += static_cast<long long>(line.size());
  return true;
}

bool WriteDataFile(const std::string& dataPath, const std::string& scratchPath, long count,
                   const std::function<bool(int out, std::string& error)>& body,
                   std::string& error) {
  if (SameFile(dataPath, scratchPath)) {
    error = dataPath + " holds the recording itself; choose another file.";
    return false;
  }
  // Written whole or not at all: a full disk leaves an earlier file of that name (or
  // none), never a file that announces more records than it holds.
  OutputFile out;  // removes its temporary file unless committed
  return out.Open(dataPath, error) && out.Write(FileHeaderLines(count), error) &&
         body(out.Descriptor(), error) && out.Commit(error);
}

bool FinishRecordingFile(RecordingFile& file, const std::string& dataPath, long count,
                         std::string& error) {
  if (file.fd_ < 0) {
    error = "No recording has been started";
    return false;
  }
  return WriteDataFile(
      dataPath, file.scratchPath_, count,
      [&file, &dataPath](int out, std::string& err) {
        return CopyScratch(file.fd_, file.scratchPath_, file.wholeBytes_, out, dataPath, err);
      },
      error);
}

bool KeepScratchFile(RecordingFile& file, std::string& error) {
  if (file.fd_ < 0) {
    error = "No recording has been started";
    return false;
  }
  struct stat held {};
  struct stat named {};
  if (::fstat(file.fd_, &held) == 0 && ::lstat(file.scratchPath_.c_str(), &named) == 0 &&
      held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
    return true;
  }
  // The name is gone (its folder removed, say): a new scratch file gets the records.
  const std::size_t slash = file.scratchPath_.rfind('/');
  if (slash != std::string::npos && slash > 0)
    EnsureWorkingFolder(file.scratchPath_.substr(0, slash));
  const std::size_t dot = file.scratchPath_.rfind('.');
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  const std::string stem = hasExtension ? file.scratchPath_.substr(0, dot) : file.scratchPath_;
  const std::string extension = hasExtension ? file.scratchPath_.substr(dot) : "";
  for (int n = 1; n < 100; ++n) {
    std::string path = file.scratchPath_;
    if (n > 1) {
      path = stem;
      path += '-';
      path += std::to_string(n);
      path += extension;
    }
    const int fd =
        ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_APPEND | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) {
      error = FileErrorReason("Cannot create", path);
      return false;
    }
    if (!CopyScratch(file.fd_, file.scratchPath_, file.wholeBytes_, fd, path, error) ||
        ::fsync(fd) != 0) {
      if (error.empty()) error = FileErrorReason("Cannot write", path);
      ::close(fd);
      ::unlink(path.c_str());
      return false;
    }
    file.Close();
    file.fd_ = fd;
    file.scratchPath_ = path;
    file.cutPending_ = false;
    return true;
  }
  error = "No new scratch file can be made beside " + file.scratchPath_;
  return false;
}

}  // namespace orvane
