#include "recording/recording_reader.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "common/live_reading.h"
#include "common/text_value.h"

namespace orvane {

namespace {

constexpr long kCountIndex = 3;   // "-" TAB "Total Records : " N
constexpr long kTitleIndex = 6;   // column titles, names the unit
constexpr long kFirstRecord = 8;  // record k on index 7 + k
constexpr int kRecordTabs = 5;

// Two decimals down: truncated toward zero after the second decimal.
double TwoDecimalsDown(double x) {
  return std::trunc(x * 100.0) / 100.0;
}

double Above(double maximum) {
  return std::min(maximum + 5.0, kFullScale);
}
double Below(double minimum) {
  return std::max(minimum - 5.0, 0.0);
}

// The text before the next TAB from `pos`, moving `pos` past that TAB.
bool NextField(std::string_view line, std::size_t& pos, std::string_view& field) {
  const std::size_t tab = line.find('\t', pos);
  if (tab == std::string_view::npos) return false;
  field = line.substr(pos, tab - pos);
  pos = tab + 1;
  return true;
}

}  // namespace

std::string RecordingFileError::Message() const {
  if (line <= 0) return problem;
  return "Line " + std::to_string(line) + ": " + problem;
}

std::string UnreadableFileMessage(const std::string& path, const RecordingFileError& error) {
  return "The file " + path + " cannot be read as a data file.\n" + error.Message();
}

RangeRecord PlotLimits(std::string_view unit, double mainMax, double mainMin, double cdMax,
                       double cdMin) {
  RangeRecord r;
  if (unit == "Lux") {
    r.LuxMax = Above(mainMax);
    r.FcMax = TwoDecimalsDown(r.LuxMax / kLuxPerFootCandle);
    r.LuxMin = Below(mainMin);
    r.FcMin = TwoDecimalsDown(r.LuxMin / kLuxPerFootCandle);
  } else {
    r.FcMax = Above(mainMax);
    r.LuxMax = TwoDecimalsDown(r.FcMax * kLuxPerFootCandle);
    r.FcMin = Below(mainMin);
    r.LuxMin = TwoDecimalsDown(r.FcMin * kLuxPerFootCandle);
  }
  r.CdMax = Above(cdMax);
  r.CdMin = Below(cdMin);
  return r;
}

void RecordingParser::ReserveHint(std::size_t records) {
  data_.PlotTimes.reserve(records);
  data_.PlotMain.reserve(records);
  data_.PlotCd.reserve(records);
}

bool RecordingParser::Fail(long line, std::string problem) {
  error_.line = line;
  error_.problem = std::move(problem);
  return false;
}

bool RecordingParser::Line(std::string_view line) {
  const long index = index_++;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (line.find(',') != std::string_view::npos) {
    return Fail(index + 1, "holds a comma, which no line of a data file holds.");
  }
  if (line.find('"') != std::string_view::npos) {
    return Fail(index + 1, "holds a double quote, which no line of a data file holds.");
  }
  const std::size_t start = line.find_first_not_of(' ');
  line = start == std::string_view::npos ? std::string_view() : line.substr(start);

  if (index == kCountIndex) return CountLine(line);
  if (index == kTitleIndex) {
    data_.PlotUnit = line.find("Lux") != std::string_view::npos ? "Lux" : "Fc";
  }
  if (index < kFirstRecord) return true;
  if (line.empty()) {
    if (firstBlankLine_ == 0) firstBlankLine_ = index + 1;
    return true;
  }
  if (firstBlankLine_ != 0) return Fail(firstBlankLine_, "is empty, but records follow it.");
  return RecordLine(line);
}

bool RecordingParser::CountLine(std::string_view text) {
  const std::size_t colon = text.find(": ");
  if (colon == std::string_view::npos) {
    return Fail(kCountIndex + 1, "the record count (\"Total Records : N\") is missing.");
  }
  announced_ = NumericValue(text.substr(colon + 2));
  haveCount_ = true;
  mainMax_ = 0;
  mainMin_ = kFullScale;
  cdMax_ = 0;
  cdMin_ = kFullScale;
  data_.PlotUnit = "Fc";
  return true;
}

bool RecordingParser::RecordLine(std::string_view text) {
  const long lineNumber = index_;  // 1-based number of the line just taken
  const double k = static_cast<double>(data_.PlotTimes.size() + 1);
  if (k > announced_) {
    char count[64];
    std::snprintf(count, sizeof count, "%.15g", announced_);
    return Fail(lineNumber, "one record more than the " + std::string(count) +
                                " records that line 4 announces.");
  }
  std::string_view fields[kRecordTabs];
  std::size_t pos = 0;
  for (int f = 0; f < kRecordTabs; ++f) {
    if (!NextField(text, pos, fields[f])) {
      return Fail(lineNumber,
                  "a record line needs five TABs; this one has " + std::to_string(f) + ".");
    }
  }
  data_.PlotTimes.emplace_back(fields[2]);
  data_.PlotMain.emplace_back(fields[3]);
  data_.PlotCd.emplace_back(fields[4]);
  TakeValue(fields[3], mainMax_, mainMin_);
  TakeValue(fields[4], cdMax_, cdMin_);
  return true;
}

void RecordingParser::TakeValue(std::string_view text, double& maximum, double& minimum) const {
  if (IsOverRange(text)) {  // no number: full scale on top, no part in the minimum
    maximum = kFullScale;
    return;
  }
  const double v = ReadingValue(text);
  if (v > maximum) maximum = v;
  if (v < minimum) minimum = v;
}

bool RecordingParser::Finish() {
  if (!haveCount_) {
    if (error_.problem.empty()) {
      Fail(index_ + 1, "the file ends before line 4, which holds the record count.");
    }
    return false;
  }
  const long n = static_cast<long>(data_.PlotTimes.size());
  data_.PlotRecords = n;
  data_.PlotFrom = 1;
  data_.PlotTo = n;
  data_.PlotCount = n;
  data_.PlotRange = PlotLimits(data_.PlotUnit, mainMax_, mainMin_, cdMax_, cdMin_);
  return true;
}

bool ReadRecordingText(std::string_view content, PlotData& plot, RecordingFileError& error) {
  RecordingParser parser;
  bool ok = true;
  while (ok && !content.empty()) {
    const std::size_t end = content.find('\n');
    ok = parser.Line(content.substr(0, end));
    content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);
  }
  ok = ok && parser.Finish();
  if (!ok) {
    error = parser.Error();
    return false;
  }
  plot = std::move(parser.Data());
  return true;
}

namespace {

// Feeds the parser from an open file in large blocks, splitting at LF.
bool FeedFile(std::FILE* in, RecordingParser& parser, const std::function<void(long)>& afterLine,
              RecordingFileError& error) {
  std::vector<char> block(1 << 20);
  std::string pending;  // the start of a line that continues in the next block
  for (;;) {
    const std::size_t got = std::fread(block.data(), 1, block.size(), in);
    if (got == 0) break;
    std::string_view rest(block.data(), got);
    for (std::size_t end; (end = rest.find('\n')) != std::string_view::npos;) {
      bool ok;
      if (pending.empty()) {
        ok = parser.Line(rest.substr(0, end));
      } else {
        pending.append(rest.substr(0, end));
        ok = parser.Line(pending);
        pending.clear();
      }
      if (!ok) return false;
      if (afterLine) afterLine(parser.LinesRead());
      rest.remove_prefix(end + 1);
    }
    pending.append(rest);
  }
  if (std::ferror(in)) {
    error = {0, std::string("Cannot read the file: ") + std::strerror(errno)};
    return false;
  }
  if (!pending.empty()) {
    if (!parser.Line(pending)) return false;
    if (afterLine) afterLine(parser.LinesRead());
  }
  return true;
}

}  // namespace

bool ReadRecordingFile(const std::string& path, PlotData& plot, RecordingFileError& error,
                       const std::function<void(long)>& afterLine) {
  std::FILE* in = std::fopen(path.c_str(), "rb");
  if (in == nullptr) {
    error = {0, "Cannot open " + path + ": " + std::strerror(errno)};
    return false;
  }
  RecordingParser parser;
  if (std::fseek(in, 0, SEEK_END) == 0) {
    const long size = std::ftell(in);
    // A written record line takes 49 bytes: a hint from the file's size, never line 4.
    if (size > 0) parser.ReserveHint(static_cast<std::size_t>(size) / 49);
    std::rewind(in);
  }
  RecordingFileError readError;
  const bool fed = FeedFile(in, parser, afterLine, readError);
  std::fclose(in);
  if (!fed && !readError.problem.empty()) {
    error = readError;
    return false;
  }
  if (!fed || !parser.Finish()) {
    error = parser.Error();
    return false;
  }
  plot = std::move(parser.Data());
  return true;
}

}  // namespace orvane
