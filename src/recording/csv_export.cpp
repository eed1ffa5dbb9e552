#include "recording/csv_export.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "common/live_reading.h"

namespace orvane {

namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "12.3" with a "K": the point moves three places to the right ("12300").
std::string Thousands(std::string_view whole, std::string_view fraction) {
  std::string digits(fraction);
  digits.resize(std::max<std::size_t>(digits.size(), 3), '0');
  std::string integer = std::string(whole) + digits.substr(0, 3);
  const std::string rest = digits.substr(3);
  integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size() - 1));
  return rest.empty() ? integer : integer + "." + rest;
}

std::optional<std::string> PlainNumber(std::string_view text) {
  const bool thousands = !text.empty() && text.back() == 'K';
  if (thousands) text.remove_suffix(1);
  const std::size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  if (!AllDigits(whole) || !AllDigits(fraction) || whole.size() + fraction.size() == 0) {
    return std::nullopt;
  }
  if (thousands) return Thousands(whole, fraction);
  return std::string(text);
}

int Digits(std::string_view text, std::size_t at, std::size_t count, bool& ok) {
  int value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) ok = false;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

// The UTC offset of a local time, "+hh:mm".
std::string OffsetOf(int year, int month, int day, int hour) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_isdst = -1;
  std::mktime(&t);
  const long offset = t.tm_gmtoff;
  const long minutes = (offset < 0 ? -offset : offset) / 60;
  char out[48];
  std::snprintf(out, sizeof out, "%c%02ld:%02ld", offset < 0 ? '-' : '+', minutes / 60,
                minutes % 60);
  return out;
}

void AppendReading(std::string& out, std::string_view text, const CsvOptions& options) {
  const auto number = CsvNumber(text, options.decimalComma);
  if (number) out += *number;
  out += options.separator;
  out += IsOverRange(text) ? '1' : '0';
}

std::string Header(const PlotData& plot, char s) {
  // The reading columns are named as the data file names them, and carry no unit it
  // does not state.
  const std::string unit = plot.PlotUnit == "Lux" ? "Lux" : "Fc";
  return "No." + std::string(1, s) + "Time (ISO 8601)" + s + unit + s + unit + " over range" + s +
         "cd" + s + "cd over range\r\n";
}

}  // namespace

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
  const std::string_view text = Trimmed(readingText);
  if (IsOverRange(text)) return std::nullopt;
  auto number = PlainNumber(text);
  if (number && decimalComma) std::replace(number->begin(), number->end(), '.', ',');
  return number;
}

std::optional<std::string> IsoTimeFormatter::Format(std::string_view time) {
  // "YYYY/MM/DD hh:nn:ss"
  if (time.size() != 19 || time[4] != '/' || time[7] != '/' || time[10] != ' ' || time[13] != ':' ||
      time[16] != ':') {
    return std::nullopt;
  }
  bool ok = true;
  const int year = Digits(time, 0, 4, ok), month = Digits(time, 5, 2, ok);
  const int day = Digits(time, 8, 2, ok), hour = Digits(time, 11, 2, ok);
  Digits(time, 14, 2, ok);
  Digits(time, 17, 2, ok);
  if (!ok || month < 1 || month > 12 || day < 1 || day > 31 || hour > 23) return std::nullopt;
  // Offsets change on the hour (or never within one): one look-up per hour of records.
  if (time.substr(0, 13) != hourKey_) {
    hourKey_ = std::string(time.substr(0, 13));
    offset_ = OffsetOf(year, month, day, hour);
  }
  std::string out(time);
  out[4] = out[7] = '-';
  out[10] = 'T';
  return out + offset_;
}

std::string CsvText(const PlotData& plot, const CsvOptions& options) {
  const char s = options.separator;
  std::string out = Header(plot, s);
  const std::size_t n = std::min({plot.PlotTimes.size(), plot.PlotMain.size(), plot.PlotCd.size(),
                                  static_cast<std::size_t>(std::max(0L, plot.PlotRecords))});
  out.reserve(out.size() + n * 64);
  IsoTimeFormatter iso;
  for (std::size_t i = 0; i < n; ++i) {
    out += std::to_string(i + 1);
    out += s;
    const std::string& time = plot.PlotTimes[i];
    if (const auto t = iso.Format(time)) {
      out += *t;
    } else {  // kept as it stands, quoted so no separator in it can shift the columns
      out += '"' + time + '"';
    }
    out += s;
    AppendReading(out, plot.PlotMain[i], options);
    out += s;
    AppendReading(out, plot.PlotCd[i], options);
    out += "\r\n";
  }
  return out;
}

bool WriteCsvFile(const std::string& path, const PlotData& plot, const CsvOptions& options,
                  std::string& error) {
  if (const auto problem = CsvOptionsProblem(options)) {
    error = *problem;
    return false;
  }
  const std::string text = CsvText(plot, options);
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) {
    error = "cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  const bool closed = std::fclose(f) == 0;
  if (!written || !closed) {
    error = "cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

}  // namespace orvane
