// SPDX-License-Identifier: GPL-3.0-or-later
// Data files and typed setting answers: whatever the bytes, the reader either refuses
// the file with a line number or gives consistent plot data within the plot's range, and
// a typed setting is either refused or within what the meter accepts. The CSV of a file
// that was read has one row per record with the same seven columns in every row.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/live_reading.h"
#include "recording/csv_export.h"
#include "recording/meter_settings.h"
#include "recording/recording_reader.h"

namespace {

// Rows of seven columns each, quoted text counting as part of its column.
bool EveryRowHasSevenColumns(const std::string& csv, char separator, std::size_t rows) {
  std::size_t seen = 0, separators = 0;
  bool quoted = false;
  for (std::size_t i = 0; i < csv.size(); ++i) {
    if (csv[i] == '"') quoted = !quoted;
    if (!quoted && csv[i] == separator) ++separators;
    if (!quoted && csv[i] == '\n') {
      if (separators != 6 || i == 0 || csv[i - 1] != '\r') return false;
      separators = 0;
      ++seen;
    }
  }
  return seen == rows && separators == 0 && !quoted;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  orvane::PlotData plot;
  orvane::RecordingFileError error;
  if (orvane::ReadRecordingText(text, plot, error)) {
    const auto n = static_cast<std::size_t>(plot.PlotRecords);
    if (plot.PlotTimes.size() != n || plot.PlotMain.size() != n || plot.PlotCd.size() != n) {
      __builtin_trap();
    }
    const orvane::RangeRecord& r = plot.PlotRange;
    if (r.CdMax > orvane::kFullScale || r.CdMin < 0 || r.LuxMin < 0 || r.FcMin < 0) {
      __builtin_trap();
    }
    const std::string csv = orvane::CsvText(plot, {';', true});
    if (!EveryRowHasSevenColumns(csv, ';', n + 1)) __builtin_trap();
  } else if (error.line < 1 || error.problem.empty()) {
    __builtin_trap();
  }

  const orvane::SamplingAnswer s = orvane::ParseSamplingAnswer(text);
  if (s.kind == orvane::SamplingAnswer::Kind::Accepted && (s.seconds < 1 || s.seconds > 3600)) {
    __builtin_trap();
  }
  if (const auto p = orvane::ParsePeriodAnswer(text); p && (*p < 1 || *p > 9999)) {
    __builtin_trap();
  }
  return 0;
}
