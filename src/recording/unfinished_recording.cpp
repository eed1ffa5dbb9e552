// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording/unfinished_recording.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/file_io.h"
#include "common/working_folder.h"
#include "recording/recording_file.h"

namespace orvane {

namespace {

constexpr std::size_t kBodyHeaderLines = 4;  // distance, blank, column titles, dashes
constexpr std::string_view kBodyStart = "-\tDistance : ";

// The whole content of a working file of this user's; nothing when it cannot be read.
// Another user's file, a link or a FIFO there is moved aside, never read.
std::optional<std::string> ReadFile(const std::string& path) {
  std::string error;
  std::string notice;
  const int fd = OpenWorkingFile(path, O_RDONLY, error, notice);
  if (fd < 0) return std::nullopt;
  std::string bytes;
  char buffer[1 << 14];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return bytes;
}

// The scratch file's whole lines, when they begin with the body header.
std::optional<std::string> WholeBody(const std::string& folder, long& records) {
  const std::optional<std::string> scratch = ReadFile(InWorkingFolder(folder, kRecordingTempName));
  if (!scratch || scratch->rfind(kBodyStart, 0) != 0) return std::nullopt;
  const std::size_t end = scratch->rfind("\r\n");
  if (end == std::string::npos) return std::nullopt;
  std::string body = scratch->substr(0, end + 2);
  std::size_t lines = 0;
  for (std::size_t at = body.find("\r\n"); at != std::string::npos;
       at = body.find("\r\n", at + 2)) {
    ++lines;
  }
  if (lines < kBodyHeaderLines) return std::nullopt;
  records = static_cast<long>(lines - kBodyHeaderLines);
  return body;
}

}  // namespace

bool MarkRecordingRunning(const std::string& folder, const std::string& dataPath,
                          std::string& error) {
  const std::string mark = InWorkingFolder(folder, kRecordingMarkName);
  std::string notice;
  const int fd = OpenWorkingFile(mark, O_WRONLY | O_CREAT | O_TRUNC, error, notice);
  if (fd < 0) return false;
  const bool ok = WriteAll(fd, dataPath);
  if (!ok) error = FileErrorReason("Cannot write", mark);
  ::close(fd);
  return ok;
}

void ClearRecordingMark(const std::string& folder) {
  ::unlink(InWorkingFolder(folder, kRecordingMarkName).c_str());
}

std::optional<UnfinishedRecording> FindUnfinishedRecording(const std::string& folder) {
  const std::optional<std::string> mark = ReadFile(InWorkingFolder(folder, kRecordingMarkName));
  if (!mark) return std::nullopt;
  UnfinishedRecording found;
  if (!WholeBody(folder, found.records)) return std::nullopt;
  found.dataPath = *mark;
  return found;
}

bool SaveUnfinishedRecording(const std::string& folder, const std::string& dataPath,
                             std::string& error) {
  long records = 0;
  const std::optional<std::string> body = WholeBody(folder, records);
  if (!body) {
    error = "The unfinished recording in " + folder + " cannot be read.";
    return false;
  }
  const bool ok = WriteDataFile(
      dataPath, InWorkingFolder(folder, kRecordingTempName), records,
      [&body, &dataPath](int out, std::string& err) {
        if (WriteAll(out, *body)) return true;
        err = FileErrorReason("Cannot write", dataPath);
        return false;
      },
      error);
  if (ok) ClearRecordingMark(folder);
  return ok;
}

}  // namespace orvane
