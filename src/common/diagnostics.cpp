// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/diagnostics.h"

#include <array>
#include <cstdlib>
#include <iostream>
#include <mutex>

namespace orvane {

namespace {

struct AreaName {
  LogArea area;
  std::string_view name;
};
constexpr std::array<AreaName, 3> kAreas = {
    {{LogArea::Link, "link"}, {LogArea::Clock, "clock"}, {LogArea::Start, "start"}}};

struct LogState {
  std::mutex mutex;
  unsigned on = 0;  // one bit per area
  std::ostream* sink = nullptr;
};

LogState& State() {
  static LogState state;
  return state;
}

unsigned Bit(LogArea area) {
  return 1U << static_cast<unsigned>(area);
}

std::string_view NameOf(LogArea area) {
  for (const AreaName& a : kAreas)
    if (a.area == area) return a.name;
  return "?";
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

bool EnableDiagnostics(std::string_view list) {
  bool known = true;
  unsigned bits = 0;
  while (!list.empty()) {
    const std::size_t comma = list.find(',');
    const std::string_view word = Trimmed(list.substr(0, comma));
    list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    if (word.empty()) continue;
    bool found = false;
    for (const AreaName& a : kAreas) {
      if (word == a.name || word == "all") {
        bits |= Bit(a.area);
        found = true;
      }
    }
    known = known && found;
  }
  std::lock_guard lock(State().mutex);
  State().on |= bits;
  return known;
}

bool EnableDiagnosticsFromEnvironment() {
  const char* value = std::getenv("ORVANE_DEBUG");
  return value == nullptr || EnableDiagnostics(value);
}

void DisableDiagnostics() {
  std::lock_guard lock(State().mutex);
  State().on = 0;
}

bool DiagnosticsOn(LogArea area) {
  std::lock_guard lock(State().mutex);
  return (State().on & Bit(area)) != 0;
}

void LogLine(LogArea area, std::string_view text) {
  LogState& state = State();
  std::lock_guard lock(state.mutex);
  if ((state.on & Bit(area)) == 0) return;
  std::ostream& out = state.sink != nullptr ? *state.sink : std::cerr;
  out << "orvane " << NameOf(area) << ": " << text << '\n' << std::flush;
}

void SetDiagnosticsSink(std::ostream* sink) {
  std::lock_guard lock(State().mutex);
  State().sink = sink;
}

std::string HexBytes(std::span<const std::uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  text.reserve(bytes.size() * 3);
  for (const std::uint8_t b : bytes) {
    if (!text.empty()) text += ' ';
    text += kDigits[b >> 4];
    text += kDigits[b & 0x0F];
  }
  return text;
}

}  // namespace orvane
