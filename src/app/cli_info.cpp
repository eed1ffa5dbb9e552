// orvane-cli info: what reading a data file gives, as the plot window would get it.

#include <cstdio>
#include <cstring>
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

struct Field {
  const char* name;
  std::string value;
  bool isText;
};

// What info keeps of one pass over the file: the first and last time, beside what the
// reader itself computes. Room for further per-column figures.
class InfoSink : public RecordSink {
 public:
  bool Record(std::string_view time, const StoredReading&, const StoredReading&,
              std::string&) override {
    if (!any_) first_.assign(time);
    if (time.size() > sizeof last_) time = time.substr(0, sizeof last_);
    std::memcpy(last_, time.data(), time.size());
    lastSize_ = time.size();
    any_ = true;
    return true;
  }

  std::vector<Field> Fields(const RecordingParser& parser) const {
    const RangeRecord& r = parser.Limits();
    return {
        {"records", std::to_string(parser.Records()), false},
        {"unit", parser.Unit(), true},
        {"LuxMax", Number(r.LuxMax), false},
        {"LuxMin", Number(r.LuxMin), false},
        {"FcMax", Number(r.FcMax), false},
        {"FcMin", Number(r.FcMin), false},
        {"CdMax", Number(r.CdMax), false},
        {"CdMin", Number(r.CdMin), false},
        {"first", first_, true},
        {"last", std::string(last_, lastSize_), true},
    };
  }

 private:
  std::string first_;
  char last_[kMaxLineBytes] = {};  // copied on every record: no allocation
  std::size_t lastSize_ = 0;
  bool any_ = false;
};

int Info(const Args& args) {
  if (args.positional.size() != 1) return Fail("info wants one data file (try --help)");
  const std::string& path = args.positional[0];
  InfoSink sink;  // one pass, constant memory: no record is kept
  RecordingParser parser(sink);
  RecordingFileError error;
  if (!ReadDataFile(path, parser, error)) return Fail(UnreadableFileMessage(path, error));
  const std::vector<Field> fields = sink.Fields(parser);

  std::string out;
  if (args.Has("json")) {
    out = "{";
    for (const Field& f : fields) {
      if (out.size() > 1) out += ", ";
      out += JsonString(f.name) + ": " + (f.isText ? JsonString(f.value) : f.value);
    }
    out += "}\n";
  } else {
    for (const Field& f : fields) out += std::string(f.name) + "\t" + f.value + "\n";
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}

}  // namespace

ORVANE_CLI_COMMAND(info, "info", "FILE.lms [--json]",
                   "the record count, unit, plot limits and first and last time of a data file", {},
                   Info, {"json"}, 1, 1);

}  // namespace orvane::cli
