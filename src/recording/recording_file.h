// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing a data file (*.lms). While a recording runs, the body header (distance, column
// titles, dashes) and one line per record go to the scratch file LightMeterS.tmp in the
// working folder, each record handed to the operating system as it is written. When the
// recording stops, the data file is assembled: three "-" lines, the record count, then
// the scratch file's content unchanged. Every line ends with CR LF.

#include <functional>
#include <string>
#include <string_view>

#include "common/text_fields.h"

namespace orvane {

inline constexpr const char* kDataFileFilter = "Data Files (*.lms)|*.lms|All Files (*.*)|*.*|";

// Header lines 5 to 8 (metric "Lux" or imperial "Fc"), each ended with CR LF.
std::string BodyHeaderLines(bool metric, std::string_view distanceText);
// Lines 1 to 4 of a data file announcing `count` records.
std::string FileHeaderLines(long count);
// One record line with its CR LF.
std::string RecordLine(long number, std::string_view dateTime, std::string_view mainText,
                       std::string_view cdText);

// The scratch file of one recording. Not copyable: it owns an open file.
class RecordingFile {
 public:
  RecordingFile() = default;
  RecordingFile(const RecordingFile&) = delete;
  RecordingFile& operator=(const RecordingFile&) = delete;
  ~RecordingFile();

  const std::string& ScratchPath() const { return scratchPath_; }
  bool IsOpen() const { return fd_ >= 0; }
  // What BeginRecordingFile found in the scratch file's place and moved aside, or empty.
  const std::string& Notice() const { return notice_; }

 private:
  friend bool BeginRecordingFile(RecordingFile&, const std::string&, bool, std::string_view,
                                 std::string&);
  friend bool AppendRecord(RecordingFile&, long, std::string_view, std::string_view,
                           std::string_view, std::string&);
  friend bool FinishRecordingFile(RecordingFile&, const std::string&, long, std::string&);
  friend bool KeepScratchFile(RecordingFile&, std::string&);
  void Close();

  std::string scratchPath_;
  std::string notice_;
  int fd_ = -1;
  long long wholeBytes_ = 0;  // the scratch file's header and whole record lines
  bool cutPending_ = false;   // a failed write may have left part of a line behind
};

// Truncates the scratch file at `scratchPath` and writes header lines 5 to 8; the file
// stays open (for appending, and for reading when the data file is made). Anything but a
// regular file of this user at that name is moved aside first (Notice() says so). False,
// with the reason in `error`, when it cannot be written.
bool BeginRecordingFile(RecordingFile& file, const std::string& scratchPath, bool metric,
                        std::string_view distanceText, std::string& error);

// Appends one record line and hands it to the operating system at once. A write that
// fails (a full disk) may leave part of the line behind: it is cut back to the last
// whole line, at once or before the next record, so the file never holds a broken line.
bool AppendRecord(RecordingFile& file, long number, std::string_view dateTime,
                  std::string_view mainText, std::string_view cdText, std::string& error);

// Writes the data file at `dataPath`: lines 1 to 4 with `count` records, then what `body`
// writes to the open file descriptor it is given (false with `error` set when it fails).
// Written whole or not at all: into a temporary file beside it, synced and renamed, so a
// failure (a full disk) leaves an earlier file of that name as it was, or none. Refused
// when `dataPath` is the scratch file itself: emptying it would lose the recording.
bool WriteDataFile(const std::string& dataPath, const std::string& scratchPath, long count,
                   const std::function<bool(int out, std::string& error)>& body,
                   std::string& error);

// Writes the data file at `dataPath`: lines 1 to 4 with `count` records and the scratch
// file's whole lines, read from the open scratch file (so also after its folder was
// removed). The scratch file stays open and as it is, so a failed finish can be repeated
// with another path.
bool FinishRecordingFile(RecordingFile& file, const std::string& dataPath, long count,
                         std::string& error);

// Makes sure the records are in a file that can be named: when the scratch file's name no
// longer leads to the open file (its folder was removed), the folder is made again and a
// new scratch file there gets the records (ScratchPath() then names it). False, with the
// reason, when none can be made.
bool KeepScratchFile(RecordingFile& file, std::string& error);

}  // namespace orvane
