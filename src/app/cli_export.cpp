// SPDX-License-Identifier: GPL-3.0-or-later
// orvane-cli export: a data file's records as CSV, through the same writer as the windows'
// "Export CSV…".

#include <cstdio>

#include "app/cli.h"
#include "recording/csv_export.h"

namespace orvane::cli {

namespace {

int Export(const Args& args) {
  if (args.positional.size() != 1 || args.Get("csv").empty()) {
    return Refuse("export wants FILE.lms and --csv OUT.csv (try --help)");
  }
  CsvOptions options;
  options.decimalComma = args.Has("decimal-comma");
  if (options.decimalComma) options.separator = ';';
  if (args.Has("separator")) {
    const auto separator = CsvSeparatorNamed(args.Get("separator"));
    if (!separator) return Refuse("--separator takes ',', ';' or tab");
    options.separator = *separator;
  }
  if (const auto problem = CsvOptionsProblem(options)) return Refuse(*problem);

  // One pass in constant memory: each record's row is written as it is read.
  std::string problem;
  const long written = ExportDataFileAsCsv(args.positional[0], args.Get("csv"), options, problem);
  if (written < 0) return Fail(problem);
  // To standard output ("-") the CSV stands alone.
  if (args.Get("csv") != "-") {
    std::printf("%ld records written to %s\n", written, args.Get("csv").c_str());
  }
  return 0;
}

}  // namespace

ORVANE_CLI_COMMAND(export, "export",
                   "FILE.lms --csv OUT.csv [--separator ',' | ';' | tab] [--decimal-comma]",
                   "write a data file's records as CSV (number, ISO 8601 time, readings)",
                   {"csv", "separator"}, Export, {"decimal-comma"}, 1, 1);

}  // namespace orvane::cli
