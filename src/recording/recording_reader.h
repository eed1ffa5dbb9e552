// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading a data file (*.lms): the record count, the unit of the main column, every
// record and the plot limits in lux, foot-candles and cd.
//
// Line 4 announces the record count, line 7 names the unit ("Lux" in exact case, else
// "Fc"), and every line from 9 on is a record: "-", number, date and time, main reading,
// cd reading, each followed by a TAB. A file is refused, with the number of the line at
// fault, when a record line lacks a field, when it holds more records than line 4
// announces, when a line holds a comma or a double quote (which no data file holds), when
// a line is longer than kMaxLineBytes or ends with a CR alone (CR CR LF, from a file
// converted to CR LF twice, reads as CR LF). A file with fewer records
// than announced is read with the records it has. Nothing is ever sized from line 4 or
// from the file's size: what a pass keeps is up to its RecordSink.

#include <functional>
#include <string>
#include <string_view>

#include "common/plot_columns.h"
#include "common/program_state.h"

namespace orvane {

// The longest line a data file may hold. A record line of the recorder takes 49 bytes;
// reading texts longer than their field are written whole, so the bound leaves room for
// them, yet a file with no line ends (a device, a sparse file of zeros, a binary file)
// stops at once instead of growing one line without end.
inline constexpr std::size_t kMaxLineBytes = 512;

struct RecordingFileError {
  long line = 0;        // 1-based line number; 0 when the file could not be opened
  std::string problem;  // what is wrong with it: "holds a comma …", "is too long …"

  // "Line 12: holds a comma …", "Line 3 is too long …" (or the problem alone when no line
  // is at fault).
  std::string Message() const;
};

// What the user is told when the file at `path` is refused.
std::string UnreadableFileMessage(const std::string& path, const RecordingFileError& error);

// Takes the records of one pass over a data file, in order.
class RecordSink {
 public:
  virtual ~RecordSink() = default;
  // Record k (1-based: the records taken so far plus one). `time` is field 3 as written;
  // `main` and `cd` are fields 4 and 5 as StoredReadingOf reads them. False stops the
  // pass; `problem` then says why (the pass names the line).
  virtual bool Record(std::string_view time, const StoredReading& main, const StoredReading& cd,
                      std::string& problem) = 0;
};

// Takes a data file line by line and hands each record to the sink. Feed every line
// (without its LF), then Finish.
class RecordingParser {
 public:
  explicit RecordingParser(RecordSink& sink) : sink_(sink) {}

  // False when the line is refused; the error says why.
  bool Line(std::string_view line);
  // True once the header is behind: the next line is a record line (or a blank end).
  bool AtRecords() const { return index_ >= 8; }
  // A record line already known to hold no comma, double quote or stray CR, with the
  // positions of its first five TABs: the same as Line, without looking again.
  bool RecordLine(std::string_view line, const char* const tabs[5]);
  // Computes the limits. False when the file ended before its record count.
  bool Finish();
  // Refuses the line after the last one taken (a line too long, a read that failed).
  bool Fail(long line, std::string problem);

  const RecordingFileError& Error() const { return error_; }
  long LinesRead() const { return index_; }
  long Records() const { return records_; }
  // The count line 4 announces (0 before it is read).
  double Announced() const { return announced_; }
  // "Lux" or "Fc" once line 7 is read.
  const std::string& Unit() const { return unit_; }
  // The plot limits, after Finish.
  const RangeRecord& Limits() const { return limits_; }

 private:
  bool CountLine(std::string_view text);
  bool RecordLine(std::string_view text);
  bool Fields(long lineNumber, const std::string_view (&fields)[5]);

  RecordSink& sink_;
  RecordingFileError error_;
  std::string unit_;
  std::string sinkProblem_;
  RangeRecord limits_;
  long index_ = 0;  // 0-based index of the next line
  long records_ = 0;
  bool haveCount_ = false;
  double announced_ = 0;
  long firstBlankLine_ = 0;  // a blank line among the records, allowed only at the end
  double mainMax_ = 0;
  double mainMin_ = 0;
  double cdMax_ = 0;
  double cdMin_ = 0;
};

// One pass over the data file at `path`: only a regular file is opened (a folder, FIFO,
// device or socket is refused before anything is read), its bytes are read in large
// blocks and split at LF. `afterLine`, when given, runs after each line with the number
// of lines read so far (the window lets pending events run there). On success the
// parser is finished.
bool ReadDataFile(const std::string& path, RecordingParser& parser, RecordingFileError& error,
                  const std::function<void(long)>& afterLine = {});

// Fills `plot` from the text of a data file (CR LF or LF line ends).
bool ReadRecordingText(std::string_view content, PlotData& plot, RecordingFileError& error);

// Reads the data file at `path` into `plot`. A file with more records than the memory
// the plot may take is refused with their number. `afterLine` as for ReadDataFile.
bool ReadRecordingFile(const std::string& path, PlotData& plot, RecordingFileError& error,
                       const std::function<void(long)>& afterLine = {});

// Limits of a plot whose main column is in `unit` ("Lux" or "Fc"), from the running
// extremes of the main and cd readings: 5 beyond them, within 0 and full scale, the other
// system's limits converted with 10.76 and cut to two decimals.
RangeRecord PlotLimits(std::string_view unit, double mainMax, double mainMin, double cdMax,
                       double cdMin);

}  // namespace orvane
