#pragma once
// Reading a data file (*.lms) back into the plot data: the record texts, the unit of the
// main column and the plot limits in lux, foot-candles and cd.
//
// Line 4 announces the record count, line 7 names the unit ("Lux" in exact case, else
// "Fc"), and every line from 9 on is a record: "-", number, date and time, main reading,
// cd reading, each followed by a TAB. A file is refused, with the number of the line at
// fault, when a record line lacks a field, when it holds more records than line 4
// announces, or when a line holds a comma or a double quote (which no data file holds).
// A file with fewer records than announced is read with the records it has: nothing is
// ever sized from line 4 alone.

#include <functional>
#include <string>
#include <string_view>

#include "common/program_state.h"

namespace orvane {

struct RecordingFileError {
  long line = 0;        // 1-based line number; 0 when the file could not be opened
  std::string problem;  // what is wrong with it

  // "Line 12: ..." (or the problem alone when no line is at fault).
  std::string Message() const;
};

// What the user is told when the file at `path` is refused.
std::string UnreadableFileMessage(const std::string& path, const RecordingFileError& error);

// Takes a data file line by line. Feed every line (without its line end), then Finish.
class RecordingParser {
 public:
  // A capacity hint only (for instance from the file size); never taken from line 4.
  void ReserveHint(std::size_t records);
  // False when the line is refused; the error says why.
  bool Line(std::string_view line);
  // Computes the limits. False when the file ended before its record count.
  bool Finish();

  const PlotData& Data() const { return data_; }
  PlotData& Data() { return data_; }
  const RecordingFileError& Error() const { return error_; }
  long LinesRead() const { return index_; }

 private:
  bool Fail(long line, std::string problem);
  bool CountLine(std::string_view text);
  bool RecordLine(std::string_view text);
  void TakeValue(std::string_view text, double& maximum, double& minimum) const;

  PlotData data_;
  RecordingFileError error_;
  long index_ = 0;  // 0-based index of the next line
  bool haveCount_ = false;
  double announced_ = 0;
  long firstBlankLine_ = 0;  // a blank line among the records, allowed only at the end
  double mainMax_ = 0;
  double mainMin_ = 0;
  double cdMax_ = 0;
  double cdMin_ = 0;
};

// Fills `plot` from the text of a data file (CR LF or LF line ends).
bool ReadRecordingText(std::string_view content, PlotData& plot, RecordingFileError& error);

// Reads the data file at `path`. `afterLine`, when given, runs after each line read with
// the number of lines read so far (the window lets pending events run there).
bool ReadRecordingFile(const std::string& path, PlotData& plot, RecordingFileError& error,
                       const std::function<void(long)>& afterLine = {});

// Limits of a plot whose main column is in `unit` ("Lux" or "Fc"), from the running
// extremes of the main and cd readings: 5 beyond them, within 0 and full scale, the other
// system's limits converted with 10.76 and cut to two decimals.
RangeRecord PlotLimits(std::string_view unit, double mainMax, double mainMin, double cdMax,
                       double cdMin);

}  // namespace orvane
