// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording/csv_export.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "common/clock.h"
#include "common/file_io.h"
#include "recording/recording_reader.h"

namespace orvane {

namespace {

// Rows are written a quarter megabyte at a time: few writes, and export stays small.
constexpr std::size_t kFlushBytes = 256 << 10;

// 10^0 .. 10^15: every one exact in a double.
constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// The value with the decimals it was written with where they are known ("12.30"),
// else the shortest text that reads back as the value.
void AppendNumber(const StoredReading& r, bool decimalComma, std::string& out) {
  const char point = decimalComma ? ',' : '.';
  const int decimals = r.decimals;
  if (decimals >= 0 && decimals <= 15 && std::fabs(r.value) * kPowersOfTen[decimals] < 1e15) {
    const long long scaled = std::llround(r.value * kPowersOfTen[decimals]);
    char digits[24];
    const auto [end, error] =
        std::to_chars(digits, digits + sizeof digits, scaled < 0 ? -scaled : scaled);
    const int n = static_cast<int>(end - digits);
    if (scaled < 0) out += '-';
    if (n <= decimals) {
      out += '0';
      out += point;
      out.append(static_cast<std::size_t>(decimals - n), '0');
      out.append(digits, static_cast<std::size_t>(n));
    } else {
      out.append(digits, static_cast<std::size_t>(n - decimals));
      if (decimals > 0) {
        out += point;
        out.append(digits + n - decimals, static_cast<std::size_t>(decimals));
      }
    }
    return;
  }
  char text[64];
  const auto [end, error] = std::to_chars(text, text + sizeof text, r.value);
  const std::size_t from = out.size();
  out.append(text, static_cast<std::size_t>(end - text));
  if (decimalComma) std::replace(out.begin() + static_cast<long>(from), out.end(), '.', ',');
}

}  // namespace

std::string CsvField(std::string_view text, char separator) {
  if (text.find_first_of(std::string{separator, '"', '\r', '\n'}) == std::string_view::npos) {
    return std::string(text);
  }
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + '"';
}

std::optional<std::string> CsvOptionsProblem(const CsvOptions& options) {
  if (options.decimalComma && options.separator == ',') {
    return "a decimal comma needs another separator than ','";
  }
  return std::nullopt;
}

std::optional<char> CsvSeparatorNamed(std::string_view name) {
  if (name == ",") return ',';
  if (name == ";") return ';';
  if (name == "tab" || name == "\t") return '\t';
  return std::nullopt;
}

std::optional<std::string> CsvNumber(std::string_view readingText, bool decimalComma) {
  const StoredReading r = StoredReadingOf(readingText);
  if (r.overRange) return std::nullopt;
  std::string out;
  AppendNumber(r, decimalComma, out);
  return out;
}

std::optional<std::string> IsoTimeFormatter::Format(std::string_view time) {
  std::string out;
  if (!Append(time, out)) return std::nullopt;
  return out;
}

bool IsoTimeFormatter::Append(std::string_view time, std::string& out, std::int64_t* epoch) {
  // "YYYY/MM/DD hh:nn:ss"
  if (time.size() != 19 || time[4] != '/') return false;
  const std::optional<DateTime> stamp = ParseDateTime(time);
  if (!stamp) return false;
  const Instant instant = instants_.Next(ToSerialSeconds(*stamp));
  const std::size_t at = out.size();
  out.append(time);
  out[at + 4] = out[at + 7] = '-';
  out[at + 10] = 'T';
  AppendUtcOffset(instant.offset, out);
  if (epoch != nullptr) *epoch = instant.epoch;
  return true;
}

// The reading columns are named as the data file names them, and carry no unit it does
// not state.
void CsvRows::Header(std::string_view unit, std::string& out) const {
  const char s = options_.separator;
  const std::string name = unit == "Lux" ? "Lux" : "Fc";
  out += "No.";
  out += s;
  out += "Time (ISO 8601)";
  out += s;
  out += "Epoch";
  out += s;
  out += name;
  out += s;
  out += name + " over range";
  out += s;
  out += "cd";
  out += s;
  out += "cd over range\r\n";
}

void CsvRows::Reading(const StoredReading& r, std::string& out) const {
  if (!r.overRange) AppendNumber(r, options_.decimalComma, out);
  out += options_.separator;
  out += r.overRange ? '1' : '0';
}

void CsvRows::Row(long number, std::string_view time, const StoredReading& main,
                  const StoredReading& cd, std::string& out) {
  char digits[24];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, number);
  out.append(digits, end);
  out += options_.separator;
  std::int64_t epoch = 0;
  if (iso_.Append(time, out, &epoch)) {
    out += options_.separator;
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, epoch);
    out.append(digits, end);
  } else {  // kept as it stands, quoted so no separator can shift columns; no epoch
    out += '"';
    for (const char c : time) out.append(c == '"' ? 2 : 1, c);
    out += '"';
    out += options_.separator;
  }
  out += options_.separator;
  Reading(main, out);
  out += options_.separator;
  Reading(cd, out);
  out += "\r\n";
}

std::string CsvText(const PlotData& plot, const CsvOptions& options) {
  CsvRows rows(options);
  std::string out;
  rows.Header(plot.PlotUnit, out);
  const std::size_t n = std::min({plot.PlotTimes.size(), plot.PlotMain.size(), plot.PlotCd.size(),
                                  static_cast<std::size_t>(std::max(0L, plot.PlotRecords))});
  out.reserve(out.size() + n * 64);
  for (std::size_t i = 0; i < n; ++i) {
    rows.Row(static_cast<long>(i + 1), plot.PlotTimes[i], plot.PlotMain[i], plot.PlotCd[i], out);
  }
  return out;
}

bool WriteCsvFile(const std::string& path, const PlotData& plot, const CsvOptions& options,
                  std::string& error) {
  if (const auto problem = CsvOptionsProblem(options)) {
    error = *problem;
    return false;
  }
  OutputFile file;
  return file.Open(path, error) && file.Write(CsvText(plot, options), error) && file.Commit(error);
}

namespace {

// Writes each record's row as the reader hands it on, a block at a time.
class CsvSink : public RecordSink {
 public:
  CsvSink(const CsvOptions& options, OutputFile& file) : rows_(options), file_(file) {
    text_.reserve(kFlushBytes + 1024);  // the block never grows: one row more at most
  }
  void Watch(const RecordingParser& parser) { parser_ = &parser; }

  bool Record(std::string_view time, const StoredReading& main, const StoredReading& cd,
              std::string& problem) override {
    if (!headerDone_) Header();
    rows_.Row(++written_, time, main, cd, text_);
    return text_.size() < kFlushBytes || Flush(problem);
  }

  // The header (also of a file without records) and what is left; false on a write error.
  bool Finish(std::string& problem) {
    if (!headerDone_) Header();
    return Flush(problem);
  }

  long Written() const { return written_; }
  bool WriteFailed() const { return writeFailed_; }

 private:
  void Header() {
    rows_.Header(parser_ != nullptr ? parser_->Unit() : "Fc", text_);
    headerDone_ = true;
  }
  bool Flush(std::string& problem) {
    writeFailed_ = !file_.Write(text_, problem);
    text_.clear();
    return !writeFailed_;
  }

  CsvRows rows_;
  OutputFile& file_;
  const RecordingParser* parser_ = nullptr;
  std::string text_;
  long written_ = 0;
  bool headerDone_ = false;
  bool writeFailed_ = false;
};

}  // namespace

long ExportDataFileAsCsv(const std::string& input, const std::string& output,
                         const CsvOptions& options, std::string& error) {
  if (const auto problem = CsvOptionsProblem(options)) {
    error = *problem;
    return -1;
  }
  const bool toStandardOutput = output == "-";
  if (!toStandardOutput && SameExistingFile(input, output)) {
    error = "the CSV file " + output + " would overwrite the data file it is made from";
    return -1;
  }
  OutputFile file;
  if (!(toStandardOutput ? file.OpenStandardOutput(error) : file.Open(output, error))) return -1;
  CsvSink sink(options, file);
  RecordingParser parser(sink);
  sink.Watch(parser);
  RecordingFileError readError;
  if (!ReadDataFile(input, parser, readError)) {
    error = sink.WriteFailed() ? readError.problem : UnreadableFileMessage(input, readError);
    return -1;
  }
  if (!sink.Finish(error) || !file.Commit(error)) return -1;
  return sink.Written();
}

}  // namespace orvane
