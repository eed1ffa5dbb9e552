#include "recording/recording_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "common/file_io.h"

namespace orvane {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Appends the first `wholeBytes` of the scratch file at `scratchPath` to `out`.
bool CopyScratch(const std::string& scratchPath, long long wholeBytes, int out,
                 const std::string& dataPath, std::string& error) {
  const int in = OpenRegularFile(scratchPath, O_RDONLY | O_NOFOLLOW, error);
  if (in < 0) return false;
  // Only what the scratch file holds now is copied, whatever happens to it meanwhile.
  struct stat st {};
  if (::fstat(in, &st) != 0) {
    error = FileErrorReason("Cannot read the recording in", scratchPath);
    ::close(in);
    return false;
  }
  auto left = static_cast<std::size_t>(std::min<long long>(st.st_size, wholeBytes));
  std::vector<char> buffer(1 << 16);
  bool ok = true;
  while (left > 0) {
    const ssize_t n = ::read(in, buffer.data(), std::min(buffer.size(), left));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      error = FileErrorReason("Cannot read the recording in", scratchPath);
      ok = false;
      break;
    }
    if (n == 0) break;
    left -= static_cast<std::size_t>(n);
    if (!WriteAll(out, std::string_view(buffer.data(), static_cast<std::size_t>(n)))) {
      error = FileErrorReason("Cannot write", dataPath);
      ok = false;
      break;
    }
  }
  ::close(in);
  return ok;
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
  // O_NOFOLLOW: a link planted in place of the scratch file is refused, not followed.
  file.fd_ = OpenRegularFile(scratchPath, O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_NOFOLLOW,
                             error, 0600);
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
    file.fd_ = OpenRegularFile(file.scratchPath_, O_WRONLY | O_APPEND | O_NOFOLLOW, error);
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
  const int out = ::open(dataPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (out < 0) {
    error = FileErrorReason("Cannot create", dataPath);
    return false;
  }
  bool ok = WriteAll(out, FileHeaderLines(count));
  if (!ok) error = FileErrorReason("Cannot write", dataPath);
  if (ok) ok = body(out, error);
  // A full disk may show only when the data reach the device or the file is closed.
  if (ok && ::fsync(out) != 0 && errno != EINVAL) {
    error = FileErrorReason("Cannot write", dataPath);
    ok = false;
  }
  if (::close(out) != 0 && ok) {
    error = FileErrorReason("Cannot write", dataPath);
    ok = false;
  }
  return ok;
}

bool FinishRecordingFile(RecordingFile& file, const std::string& dataPath, long count,
                         std::string& error) {
  file.Close();
  return WriteDataFile(
      dataPath, file.scratchPath_, count,
      [&file, &dataPath](int out, std::string& err) {
        return CopyScratch(file.scratchPath_, file.wholeBytes_, out, dataPath, err);
      },
      error);
}

}  // namespace orvane
