// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A data file's records as CSV for spreadsheets and scripts: one row per record with its
// number, its time in ISO 8601 local time with the UTC offset and as seconds since 1970
// (UTC), the offset read from the order of the records where the clocks went back (see
// InstantResolver), the main reading and the cd
// reading as plain numbers ("K" resolved to thousands), and for each reading a column
// that says whether it was over range (its number field is then empty). A header row
// names the columns as the data file does ("Lux" or "Fc", "cd"). Rows end with CR LF like
// every text file we write; a field is quoted as RFC 4180 says where it needs it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/instant_resolver.h"
#include "common/program_state.h"

namespace orvane {

struct CsvOptions {
  char separator = ',';
  bool decimalComma = false;  // "12,5" instead of "12.5"
};

// Why the options cannot give a readable file (a decimal comma between commas), if so.
std::optional<std::string> CsvOptionsProblem(const CsvOptions& options);

// The separator a command-line or dialog word names: ",", ";" or "tab".
std::optional<char> CsvSeparatorNamed(std::string_view name);

// A reading as a plain decimal number: "  1.25K" gives "1250", " 12.30" gives "12.30",
// "12.3.4" gives "12.3", as far as the number of the text reaches, the same value the
// reader and the charts take. Nothing for a text that carries no number (over range).
std::optional<std::string> CsvNumber(std::string_view readingText, bool decimalComma);

// `text` as one CSV field: as it is, or in double quotes (a quote in it doubled) when it
// holds the separator, a double quote, a CR or an LF.
std::string CsvField(std::string_view text, char separator);

// "2024/05/17 10:30:01" as "2024-05-17T10:30:01+02:00" in the local time zone, the record
// times of one log given in their order. Nothing when the text is not a record time.
class IsoTimeFormatter {
 public:
  std::optional<std::string> Format(std::string_view recordTime);
  // Appends the ISO form to `out` and gives the instant in `epoch` (seconds since 1970,
  // UTC); false (and nothing appended) when it has none.
  bool Append(std::string_view recordTime, std::string& out, std::int64_t* epoch = nullptr);

 private:
  InstantResolver instants_;
};

// The rows of a CSV export, appended to a text one by one.
class CsvRows {
 public:
  explicit CsvRows(const CsvOptions& options) : options_(options) {}
  void Header(std::string_view unit, std::string& out) const;
  void Row(long number, std::string_view time, const StoredReading& main, const StoredReading& cd,
           std::string& out);

 private:
  void Reading(const StoredReading& r, std::string& out) const;

  CsvOptions options_;
  IsoTimeFormatter iso_;
};

// The whole CSV text of a plot's records.
std::string CsvText(const PlotData& plot, const CsvOptions& options);

// Writes the CSV text to `path`, whole or not at all. False with `error` set when the
// file cannot be written.
bool WriteCsvFile(const std::string& path, const PlotData& plot, const CsvOptions& options,
                  std::string& error);

// Reads the data file at `input` once and writes its CSV to `output` as it goes, in
// constant memory, whole or not at all; `output` "-" is standard output. The output is
// refused when it is the input (also through a link). Gives the records written, or -1
// with `error` set.
long ExportDataFileAsCsv(const std::string& input, const std::string& output,
                         const CsvOptions& options, std::string& error);

}  // namespace orvane
