// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cli_watch_feeds.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace orvane::cli {

namespace {

// A tag value of the line protocol: commas, equal signs and blanks escaped.
std::string InfluxTag(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == ',' || c == '=' || c == ' ' || c == '\\') out += '\\';
    out += c;
  }
  return out;
}

// A string field of the line protocol, quotes included.
std::string InfluxString(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

// A label value of the exposition format, quotes included.
std::string PromLabel(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string Gauge(const char* name, const char* help, const std::string& labels,
                  const std::string& value) {
  return std::string("# HELP ") + name + " " + help + "\n# TYPE " + name + " gauge\n" + name + "{" +
         labels + "} " + value + "\n";
}

}  // namespace

std::string InfluxLine(const Sample& s, const Origin& origin, std::int64_t epochNs) {
  std::string line = "orvane,meter=" + InfluxTag(origin.meter);
  if (s.connected && !s.unit.empty()) line += ",unit=" + InfluxTag(s.unit);
  line += ",host=" + InfluxTag(origin.host) + " ";
  if (s.connected && !s.value.empty()) line += "value=" + s.value + ",";
  line += std::string("over_range=") + (s.overRange ? "true" : "false");
  line += std::string(",connected=") + (s.connected ? "true" : "false");
  if (s.connected) line += ",reading=" + InfluxString(s.reading);
  return line + " " + std::to_string(epochNs) + "\n";
}

std::string PromText(const Sample& s, const Origin& origin, const std::string& unit,
                     std::int64_t epochMs) {
  const std::string labels = "meter=" + PromLabel(origin.meter) + ",unit=" + PromLabel(unit);
  const std::string meterOnly = "meter=" + PromLabel(origin.meter);
  const bool number = s.connected && !s.value.empty();
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%lld.%03lld", static_cast<long long>(epochMs / 1000),
                static_cast<long long>(epochMs % 1000));
  return Gauge("orvane_reading", "The light meter's reading in its display unit.", labels,
               number ? s.value : "NaN") +
         Gauge("orvane_over_range", "1 while the meter shows over range.", labels,
               s.connected && s.overRange ? "1" : "0") +
         Gauge("orvane_connected", "1 while the meter answers.", meterOnly,
               s.connected ? "1" : "0") +
         Gauge("orvane_reading_timestamp_seconds",
               "When the reading was taken, seconds since 1970 (UTC).", meterOnly, seconds);
}

bool ReplaceFile(const std::string& path, const std::string& text, std::string& error) {
  const std::string temporary = path + ".tmp-" + std::to_string(getpid());
  const int fd =
      ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0) {
    error = "cannot write " + temporary + ": " + std::strerror(errno);
    return false;
  }
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  const int writeErrno = errno;
  const bool closed = ::close(fd) == 0;
  if (done != text.size() || !closed) {
    error = "cannot write " + temporary + ": " +
            std::strerror(done != text.size() ? writeErrno : errno);
    std::remove(temporary.c_str());
    return false;
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    error = "cannot replace " + path + ": " + std::strerror(errno);
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

std::string HostName() {
  char name[256] = {};
  if (gethostname(name, sizeof name - 1) != 0 || name[0] == '\0') return "localhost";
  return name;
}

}  // namespace orvane::cli
