// orvane-cli export: a data file's records as CSV, through the same writer as the windows'
// "Export CSV…".

#include <cstdio>

#include "app/cli.h"
#include "recording/csv_export.h"
#include "recording/recording_reader.h"

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

  const std::string& path = args.positional[0];
  PlotData plot;
  RecordingFileError error;
  if (!ReadRecordingFile(path, plot, error)) return Fail(UnreadableFileMessage(path, error));
  if (args.Get("csv") == "-") {  // standard output: the CSV alone
    OutputFile out;
    const std::string text = CsvText(plot, options);
    out.Open("-");
    std::fwrite(text.data(), 1, text.size(), out.file);
    return out.Close() ? 0 : Fail("cannot write the CSV to standard output");
  }
  std::string problem;
  if (!WriteCsvFile(args.Get("csv"), plot, options, problem)) return Fail(problem);
  std::printf("%ld records written to %s\n", plot.PlotRecords, args.Get("csv").c_str());
  return 0;
}

}  // namespace

ORVANE_CLI_COMMAND(export, "export",
                   "FILE.lms --csv OUT.csv [--separator ',' | ';' | tab] [--decimal-comma]",
                   "write a data file's records as CSV (number, ISO 8601 time, readings)",
                   {"csv", "separator"}, Export, {"decimal-comma"}, 1, 1);

}  // namespace orvane::cli
