// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording/recording_reader.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "common/file_io.h"
#include "common/live_reading.h"
#include "common/number_text.h"
#include "common/text_value.h"

namespace orvane {

namespace {

constexpr long kCountIndex = 3;   // "-" TAB "Total Records : " N
constexpr long kTitleIndex = 6;   // column titles, names the unit
constexpr long kFirstRecord = 8;  // record k on index 7 + k
constexpr int kRecordTabs = 5;
constexpr std::size_t kBlockBytes = 128 << 10;  // read and scanned while still in the cache

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

constexpr const char* kCrAlone =
    "is ended by a CR alone: the file's lines end with CR only, and a data file's lines end "
    "with CR LF.";

bool Holds(std::string_view text, char c) {
  return !text.empty() && std::memchr(text.data(), c, text.size()) != nullptr;
}

std::string Count(double n) {
  return GeneralText(n);
}

void TakeValue(const StoredReading& r, double& maximum, double& minimum) {
  if (r.overRange) {  // no number: full scale on top, no part in the minimum
    maximum = kFullScale;
    return;
  }
  if (r.value > maximum) maximum = r.value;
  if (r.value < minimum) minimum = r.value;
}

}  // namespace

std::string RecordingFileError::Message() const {
  if (line <= 0) return problem;
  const bool sentence = problem.rfind("is ", 0) == 0;  // "Line 3 is too long …"
  return "Line " + std::to_string(line) + (sentence ? " " : ": ") + problem;
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

bool RecordingParser::Fail(long line, std::string problem) {
  error_.line = line;
  error_.problem = std::move(problem);
  return false;
}

bool RecordingParser::Line(std::string_view line) {
  const long index = index_++;
  // CR LF, or CR CR LF where a transfer turned the LF of CR LF into CR LF once more.
  while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (Holds(line, '\r')) return Fail(index + 1, kCrAlone);
  if (Holds(line, ',')) {
    return Fail(index + 1, "holds a comma, which no line of a data file holds.");
  }
  if (Holds(line, '"')) {
    return Fail(index + 1, "holds a double quote, which no line of a data file holds.");
  }
  if (index >= kFirstRecord && !line.empty() && line.front() == '-') return RecordLine(line);
  const std::size_t start = line.find_first_not_of(' ');
  line = start == std::string_view::npos ? std::string_view() : line.substr(start);

  if (index == kCountIndex) return CountLine(line);
  if (index == kTitleIndex) unit_ = line.find("Lux") != std::string_view::npos ? "Lux" : "Fc";
  if (index < kFirstRecord) return true;
  if (line.empty()) {
    if (firstBlankLine_ == 0) firstBlankLine_ = index + 1;
    return true;
  }
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
  unit_ = "Fc";
  return true;
}

bool RecordingParser::RecordLine(std::string_view text) {
  const long lineNumber = index_;  // 1-based number of the line just taken
  std::string_view fields[kRecordTabs];
  const char* at = text.data();
  const char* const end = at + text.size();
  for (int f = 0; f < kRecordTabs; ++f) {
    const auto* tab = static_cast<const char*>(std::memchr(at, '\t', end - at));
    if (tab == nullptr) {
      if (firstBlankLine_ != 0) return Fail(firstBlankLine_, "is empty, but records follow it.");
      return Fail(lineNumber,
                  "a record line needs five TABs; this one has " + std::to_string(f) + ".");
    }
    fields[f] = std::string_view(at, tab - at);
    at = tab + 1;
  }
  return Fields(lineNumber, fields);
}

bool RecordingParser::RecordLine(std::string_view line, const char* const tabs[5]) {
  const long lineNumber = ++index_;
  std::string_view fields[kRecordTabs];
  const char* at = line.data();
  for (int f = 0; f < kRecordTabs; ++f) {
    fields[f] = std::string_view(at, tabs[f] - at);
    at = tabs[f] + 1;
  }
  return Fields(lineNumber, fields);
}

bool RecordingParser::Fields(long lineNumber, const std::string_view (&fields)[kRecordTabs]) {
  if (firstBlankLine_ != 0) return Fail(firstBlankLine_, "is empty, but records follow it.");
  if (static_cast<double>(records_ + 1) > announced_) {
    return Fail(lineNumber, "one record more than the " + Count(announced_) +
                                " records that line 4 announces.");
  }
  const StoredReading main = StoredReadingOf(fields[3]);
  const StoredReading cd = StoredReadingOf(fields[4]);
  if (!sink_.Record(fields[2], main, cd, sinkProblem_)) return Fail(0, std::move(sinkProblem_));
  ++records_;
  TakeValue(main, mainMax_, mainMin_);
  TakeValue(cd, cdMax_, cdMin_);
  return true;
}

bool RecordingParser::Finish() {
  if (!haveCount_) {
    if (error_.problem.empty()) {
      Fail(index_ + 1, "the file ends before line 4, which holds the record count.");
    }
    return false;
  }
  limits_ = PlotLimits(unit_, mainMax_, mainMin_, cdMax_, cdMin_);
  return true;
}

namespace {

// Where a line ends and where its first five TABs are, from one pass over its bytes;
// `odd` when it holds a comma, a double quote, or a CR anywhere but right before its LF.
struct LineScan {
  const char* lf = nullptr;  // null: no LF before the end of the bytes
  const char* tabs[kRecordTabs] = {};
  int tabCount = 0;
  bool odd = false;
};

// The bytes a line may take before its LF: the text and the CR of CR LF, and one more CR
// of a file converted to CR LF twice.
constexpr std::size_t kLineRoom = kMaxLineBytes + 2;

// Reads up to 15 bytes past `end`, which the block keeps readable.
LineScan ScanLine(const char* p, const char* end) {
  LineScan s;
  const char* lastCr = nullptr;
  int crs = 0;
#if defined(__SSE2__)
  const __m128i lfs = _mm_set1_epi8('\n');
  const __m128i tabs = _mm_set1_epi8('\t');
  const __m128i commas = _mm_set1_epi8(',');
  const __m128i quotes = _mm_set1_epi8('"');
  const __m128i crChars = _mm_set1_epi8('\r');
  for (const char* at = p; at < end; at += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    const auto bits = [&v](__m128i c) {
      return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, c)));
    };
    const unsigned valid = end - at >= 16 ? 0xFFFFu : (1u << (end - at)) - 1;
    const unsigned lf = bits(lfs) & valid;
    const unsigned keep = lf != 0 ? (lf & (0u - lf)) - 1 : valid;  // the bytes before the LF
    if (((bits(commas) | bits(quotes)) & keep) != 0) s.odd = true;
    if (const unsigned cr = bits(crChars) & keep; cr != 0) {
      crs += (cr & (cr - 1)) != 0 ? 2 : 1;  // one or more
      lastCr = at + (31 - __builtin_clz(cr));
    }
    for (unsigned tab = bits(tabs) & keep; tab != 0 && s.tabCount < kRecordTabs; tab &= tab - 1) {
      s.tabs[s.tabCount++] = at + __builtin_ctz(tab);
    }
    if (lf != 0) {
      s.lf = at + __builtin_ctz(lf);
      break;
    }
  }
#else
  for (const char* at = p; at < end; ++at) {
    const char c = *at;
    if (c == '\n') {
      s.lf = at;
      break;
    }
    if (c == '\t' && s.tabCount < kRecordTabs) s.tabs[s.tabCount++] = at;
    if (c == ',' || c == '"') s.odd = true;
    if (c == '\r') {
      ++crs;
      lastCr = at;
    }
  }
#endif
  if (crs > 1 || (crs == 1 && (s.lf == nullptr || lastCr != s.lf - 1))) s.odd = true;
  return s;
}

// Splits the bytes of a file into lines at LF and feeds them to the parser. A line is
// never longer than kMaxLineBytes (and its CRs): a longer one stops the pass as soon as
// it is seen. The bytes go into the splitter's own block, which keeps 16 bytes beyond
// them readable for the scan.
class LineSplitter {
 public:
  LineSplitter(RecordingParser& parser, const std::function<void(long)>& afterLine)
      : parser_(parser), afterLine_(afterLine), block_(new char[kBlockBytes + 16]()) {}

  char* Block() { return block_.get(); }

  // Takes the n bytes at Block().
  bool Feed(std::size_t n) {
    std::string_view bytes(block_.get(), n);
    if (!pending_.empty()) {
      const auto* lf = static_cast<const char*>(std::memchr(bytes.data(), '\n', bytes.size()));
      const std::size_t head = lf == nullptr ? bytes.size() : lf - bytes.data();
      if (pending_.size() + head > kLineRoom) {
        pending_.append(bytes.substr(0, kMaxLineBytes + 1));
        return TooLong(pending_);
      }
      pending_.append(bytes.substr(0, head));
      if (lf == nullptr) return true;
      if (!Take(pending_)) return false;
      pending_.clear();
      bytes.remove_prefix(head + 1);
    }
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end) {
      const LineScan scan = ScanLine(p, end);
      if (scan.lf == nullptr) {
        if (static_cast<std::size_t>(end - p) > kLineRoom) return TooLong({p, kMaxLineBytes});
        pending_.assign(p, end);
        return true;
      }
      const std::string_view line(p, scan.lf - p);
      if (line.size() > kLineRoom) return TooLong(line);
      const bool plain = !scan.odd && scan.tabCount == kRecordTabs && parser_.AtRecords() &&
                         line.front() == '-' && line.size() <= kMaxLineBytes + 1;
      if (plain ? !parser_.RecordLine(line, scan.tabs) : !Take(line)) return false;
      if (plain && afterLine_) afterLine_(parser_.LinesRead());
      p = scan.lf + 1;
    }
    return true;
  }

  // The last line, when the file does not end with a line end.
  bool End() { return pending_.empty() || Take(pending_); }

 private:
  bool Take(std::string_view line) {
    std::string_view body = line;
    while (!body.empty() && body.back() == '\r') body.remove_suffix(1);
    if (body.size() > kMaxLineBytes) return TooLong(line);
    if (!parser_.Line(line)) return false;
    if (afterLine_) afterLine_(parser_.LinesRead());
    return true;
  }

  // A line ended by a CR alone is named as such; any other long line is too long.
  bool TooLong(std::string_view start) {
    const long line = parser_.LinesRead() + 1;
    if (Holds(start.substr(0, kMaxLineBytes), '\r')) return parser_.Fail(line, kCrAlone);
    return parser_.Fail(line, "is too long: no line of a data file is longer than " +
                                  std::to_string(kMaxLineBytes) + " bytes.");
  }

  RecordingParser& parser_;
  std::function<void(long)> afterLine_;
  std::unique_ptr<char[]> block_;
  std::string pending_;  // the start of a line that continues in the next block
};

}  // namespace

bool ReadDataFile(const std::string& path, RecordingParser& parser, RecordingFileError& error,
                  const std::function<void(long)>& afterLine) {
  std::string problem;
  const int fd = OpenRegularFile(path, O_RDONLY, problem);
  if (fd < 0) {
    error = {0, problem};
    return false;
  }
  LineSplitter lines(parser, afterLine);
  bool ok = true;
  for (;;) {
    const ssize_t got = ::read(fd, lines.Block(), kBlockBytes);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      error = {0, FileErrorReason("Cannot read", path)};
      ::close(fd);
      return false;
    }
    if (got == 0) break;
    ok = lines.Feed(static_cast<std::size_t>(got));
    if (!ok) break;
  }
  ::close(fd);
  ok = ok && lines.End() && parser.Finish();
  if (!ok) error = parser.Error();
  return ok;
}

namespace {

// Keeps every record in the plot data, within the memory the plot may take.
class PlotStore : public RecordSink {
 public:
  explicit PlotStore(PlotData& plot) : plot_(plot), budget_(RecordBudget()) {}
  void Watch(const RecordingParser& parser) { parser_ = &parser; }

  bool Record(std::string_view time, const StoredReading& main, const StoredReading& cd,
              std::string& problem) override {
    if (plot_.PlotTimes.size() < budget_) {
      try {
        if (!reserved_) Reserve();
        plot_.PlotTimes.push_back(time);
        plot_.PlotMain.push_back(main);
        plot_.PlotCd.push_back(cd);
        return true;
      } catch (const std::bad_alloc&) {
        budget_ = plot_.PlotTimes.size();
      }
    }
    problem =
        "The file holds more records than the plot can keep in this computer's memory: "
        "line 4 announces " +
        Count(parser_ != nullptr ? parser_->Announced() : 0) + "; at most " +
        std::to_string(budget_) + " fit.";
    return false;
  }

 private:
  // The columns sized once for the records line 4 announces (as far as the budget goes):
  // grown step by step they would hold up to twice their records while a step copies.
  // Room reserved and never filled costs address space only, no memory.
  void Reserve() {
    reserved_ = true;
    const double announced = parser_ != nullptr ? parser_->Announced() : 0;
    if (!(announced > 1)) return;
    const auto n = static_cast<std::size_t>(std::min(announced, static_cast<double>(budget_)));
    try {
      plot_.PlotTimes.reserve(n);
      plot_.PlotMain.reserve(n);
      plot_.PlotCd.reserve(n);
    } catch (const std::bad_alloc&) {  // then the columns grow as they go
    }
  }

  // Bytes per record with the slack of a growing column; a quarter of the memory the
  // program may use goes to the plot.
  static std::size_t RecordBudget() {
    constexpr unsigned long long kBytesPerRecord = 2 * (8 + 8 + 1 + 8 + 1);
    unsigned long long memory = static_cast<unsigned long long>(sysconf(_SC_PHYS_PAGES)) *
                                static_cast<unsigned long long>(sysconf(_SC_PAGESIZE));
    for (const int limit : {RLIMIT_AS, RLIMIT_DATA}) {
      rlimit r{};
      if (getrlimit(limit, &r) == 0 && r.rlim_cur != RLIM_INFINITY) {
        memory = std::min<unsigned long long>(memory, r.rlim_cur);
      }
    }
    return static_cast<std::size_t>(memory / 4 / kBytesPerRecord);
  }

  PlotData& plot_;
  std::size_t budget_;
  bool reserved_ = false;
  const RecordingParser* parser_ = nullptr;
};

void FillPlot(const RecordingParser& parser, PlotData& plot) {
  const long n = parser.Records();
  plot.PlotRecords = n;
  plot.PlotFrom = 1;
  plot.PlotTo = n;
  plot.PlotCount = n;
  plot.PlotUnit = parser.Unit();
  plot.PlotRange = parser.Limits();
}

// Feeds whole blocks, as the file reader does, so both split lines the same way.
bool FeedText(std::string_view content, RecordingParser& parser) {
  LineSplitter lines(parser, {});
  while (!content.empty()) {
    const std::size_t n = std::min(content.size(), kBlockBytes);
    std::memcpy(lines.Block(), content.data(), n);
    if (!lines.Feed(n)) return false;
    content.remove_prefix(n);
  }
  return lines.End() && parser.Finish();
}

}  // namespace

bool ReadRecordingText(std::string_view content, PlotData& plot, RecordingFileError& error) {
  PlotData read;
  PlotStore store(read);
  RecordingParser parser(store);
  store.Watch(parser);
  if (!FeedText(content, parser)) {
    error = parser.Error();
    return false;
  }
  FillPlot(parser, read);
  plot = std::move(read);
  return true;
}

bool ReadRecordingFile(const std::string& path, PlotData& plot, RecordingFileError& error,
                       const std::function<void(long)>& afterLine) {
  PlotData read;
  PlotStore store(read);
  RecordingParser parser(store);
  store.Watch(parser);
  if (!ReadDataFile(path, parser, error, afterLine)) return false;
  FillPlot(parser, read);
  read.PlotFile = path;
  plot = std::move(read);
  return true;
}

}  // namespace orvane
