// orvane-cli info: what reading a data file gives, as the plot window would get it.

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "app/cli.h"
#include "recording/recording_reader.h"

namespace orvane::cli {

namespace {

// Plain decimal without trailing zeros: 5, 9998995, 92.93.
std::string Number(double v) {
  char out[64];
  std::snprintf(out, sizeof out, "%.15g", v);
  return out;
}

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (const unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x7F) {  // 8-bit text: each byte as its code point
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

struct Field {
  const char* name;
  std::string value;
  bool isText;
};

std::vector<Field> Fields(const PlotData& plot) {
  const RangeRecord& r = plot.PlotRange;
  const bool any = !plot.PlotTimes.empty();
  return {
      {"records", std::to_string(plot.PlotRecords), false},
      {"unit", plot.PlotUnit, true},
      {"LuxMax", Number(r.LuxMax), false},
      {"LuxMin", Number(r.LuxMin), false},
      {"FcMax", Number(r.FcMax), false},
      {"FcMin", Number(r.FcMin), false},
      {"CdMax", Number(r.CdMax), false},
      {"CdMin", Number(r.CdMin), false},
      {"first", any ? plot.PlotTimes.front() : "", true},
      {"last", any ? plot.PlotTimes.back() : "", true},
  };
}

int Info(const Args& args) {
  if (args.positional.size() != 1) return Fail("info wants one data file (try --help)");
  const std::string& path = args.positional[0];
  PlotData plot;
  RecordingFileError error;
  if (!ReadRecordingFile(path, plot, error)) return Fail(UnreadableFileMessage(path, error));

  std::string out;
  if (args.Has("json")) {
    out = "{";
    for (const Field& f : Fields(plot)) {
      if (out.size() > 1) out += ", ";
      out += JsonString(f.name) + ": " + (f.isText ? JsonString(f.value) : f.value);
    }
    out += "}\n";
  } else {
    for (const Field& f : Fields(plot)) out += std::string(f.name) + "\t" + f.value + "\n";
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}

}  // namespace

ORVANE_CLI_COMMAND(info, "info", "FILE.lms [--json]",
                   "the record count, unit, plot limits and first and last time of a data file", {},
                   Info, {"json"}, 1, 1);

}  // namespace orvane::cli
