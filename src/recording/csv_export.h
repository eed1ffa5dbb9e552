#pragma once
// A data file's records as CSV for spreadsheets and scripts: one row per record with its
// number, its time in ISO 8601 local time with the UTC offset, the main reading and the cd
// reading as plain numbers ("K" resolved to thousands), and for each reading a column
// that says whether it was over range (its number field is then empty). A header row
// names the columns as the data file does ("Lux" or "Fc", "cd"). Rows end with CR LF like
// every text file we write.

#include <optional>
#include <string>
#include <string_view>

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

// A reading text as a plain decimal number: "  1.25K" gives "1250", " 12.30" gives
// "12.30". Nothing for a text that carries no number (over range, or no digits).
std::optional<std::string> CsvNumber(std::string_view readingText, bool decimalComma);

// "2024/05/17 10:30:01" as "2024-05-17T10:30:01+02:00" in the local time zone. Nothing
// when the text is not a record time.
class IsoTimeFormatter {
 public:
  std::optional<std::string> Format(std::string_view recordTime);

 private:
  std::string hourKey_;  // "YYYY/MM/DD hh" of the cached offset
  std::string offset_;   // "+hh:mm"
};

// The whole CSV text of a plot's records.
std::string CsvText(const PlotData& plot, const CsvOptions& options);

// Writes the CSV text to `path`. False with `error` set when the file cannot be written.
bool WriteCsvFile(const std::string& path, const PlotData& plot, const CsvOptions& options,
                  std::string& error);

}  // namespace orvane
