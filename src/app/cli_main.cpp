// SPDX-License-Identifier: GPL-3.0-or-later
// orvane-cli: talks to the meter and works on data files without a desktop. It links no
// Qt, so that commands on data files start small and fast; plot draws with Qt GUI in a
// program of its own (cli_plot_launch.cpp).

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <thread>
#include <utility>

#include "app/cli.h"
#include "common/diagnostics.h"
#include "display/panel_keys.h"
#include "link/hidapi_transport.h"
#include "link/meter_choice.h"
#include "simulator/simulated_transport.h"
#include "simulator/virtual_meter.h"

namespace orvane::cli {

namespace {

std::vector<Command>& Commands() {
  static std::vector<Command> commands;
  return commands;
}

// Taken by every command, before or after the command's name.
constexpr const char* kDebugOption = "debug";

constexpr std::int64_t kSimulatedClockLagSeconds = 86400 + 3600 + 60 + 1;

// For tests: ORVANE_SIMULATE_KEYS="MEM,Delta/%" presses these keys (by their captions,
// comma-separated) on the built-in meter before the command starts, so that a command
// meets the meter in a mode (REC, R-H, ...).
void PressKeysFromEnvironment(VirtualMeter& meter) {
  const char* keys = std::getenv("ORVANE_SIMULATE_KEYS");
  std::string_view rest = keys == nullptr ? "" : keys;
  while (!rest.empty()) {
    const std::size_t comma = std::min(rest.find(','), rest.size());
    if (const PanelKey* key = FindPanelKey(rest.substr(0, comma))) {
      Report request{};
      StoreRequest(request, key->code);
      meter.HandleRequest(request);
    } else {
      std::fprintf(stderr, "orvane-cli: ORVANE_SIMULATE_KEYS: no key '%.*s'\n",
                   static_cast<int>(comma), rest.data());
    }
    rest.remove_prefix(std::min(comma + 1, rest.size()));
  }
}

class SimulatedSession final : public MeterSession {
 public:
  explicit SimulatedSession(MeterIds ids) {
    meter_ = std::make_unique<VirtualMeter>(*clock_, 2024);
    meter_->FillLogger(6);
    meter_->keepLog = false;  // a long `record` or `watch` must not grow
    // A meter whose clock was never set runs behind the PC: clock --set shows its effect.
    meter_->clockOffsetSeconds = -kSimulatedClockLagSeconds;
    auto transport = std::make_unique<SimulatedTransport>(*meter_, ids.vendorId, ids.productId);
    transport->keepLog = false;
    ScheduleUnplugFromEnvironment(*transport, *clock_);
    PressKeysFromEnvironment(*meter_);
    simulated_ = transport.get();
    transport_ = std::move(transport);
    link_ = std::make_unique<MeterLink>(*transport_, notices_, ids);
  }
  void SetPlugged(bool plugged) override {
    if (plugged) {
      simulated_->Plug();
    } else {
      simulated_->Unplug();
    }
  }

 private:
  std::unique_ptr<VirtualMeter> meter_;
  SimulatedTransport* simulated_ = nullptr;
};

class UsbSession final : public MeterSession {
 public:
  explicit UsbSession(MeterIds ids) {
    transport_ = std::make_unique<HidapiTransport>();
    link_ = std::make_unique<MeterLink>(*transport_, notices_, ids);
  }
};

// The usage line, with the options that choose one of several meters beside --meter.
std::string UsageOf(const Command& c) {
  std::string usage = c.usage;
  const std::string meter = "[--meter VID:PID]";
  if (const auto at = usage.find(meter); at != std::string::npos) {
    usage.insert(at + meter.size(), " [--device PATH | --serial TEXT]");
  }
  return usage;
}

void PrintUsage(const Command& c) {
  std::printf("usage: orvane-cli %s %s\n  %s\n", c.name, UsageOf(c).c_str(), c.summary);
  if (c.details != nullptr) std::printf("\n%s", c.details);
}

void PrintOverview() {
  std::printf("Usage: orvane-cli COMMAND [OPTIONS]\n  or:  orvane-cli --version\n\nCommands:\n");
  std::vector<Command> sorted = Commands();
  std::sort(sorted.begin(), sorted.end(),
            [](const Command& a, const Command& b) { return std::strcmp(a.name, b.name) < 0; });
  for (const Command& c : sorted) {
    std::printf("  %s %s\n      %s\n", c.name, UsageOf(c).c_str(), c.summary);
  }
  std::printf(
      "\nOptions take their value as --name VALUE or --name=VALUE; -- ends the options. "
      "--debug logs\neach failed exchange with the meter to standard error, as ORVANE_DEBUG=link "
      "does. An output\nfile '-' is standard output. Exit status: 0 done, 1 failed (no meter, "
      "unreadable file,\nnothing found), 2 wrong command line. 'orvane-cli COMMAND --help' "
      "shows one command.\n");
}

// Exit status 2 with "orvane-cli NAME: message" on stderr.
int RefuseWords(const Command& c, const std::string& message) {
  std::fprintf(stderr, "orvane-cli %s: %s\n", c.name, message.c_str());
  return 2;
}

// What the words of a command line name: the options seen with their values, the
// positional words, and what was wrong. The rules are those scripts know from GNU tools:
// "--name value" or "--name=value" for an option with a value, "--flag" for one without,
// "-h" and letters run together ("-hx") as one-letter options, "--" ends the options and a
// lone "-" is a word. A repeated option keeps its last value.
struct ParsedWords {
  std::map<std::string, std::string> options;
  std::vector<std::string> positional;
  std::vector<std::string> unknown;
  std::string error;  // a missing or unexpected value; the last one wins

  std::string ErrorText() const {
    if (!error.empty()) return error;
    if (unknown.size() == 1) return "Unknown option '" + unknown[0] + "'.";
    std::string names;
    for (const std::string& name : unknown) names += (names.empty() ? "" : ", ") + name;
    return unknown.empty() ? "" : "Unknown options: " + names + ".";
  }
};

bool Holds(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

void TakeLongOption(const Command& c, const std::string& word, int& i, int argc, char** argv,
                    ParsedWords& parsed) {
  const std::size_t assign = word.find('=');
  const std::string name = word.substr(2, assign == std::string::npos ? assign : assign - 2);
  if (Holds(c.valueOptions, name)) {
    if (assign != std::string::npos) {
      parsed.options[name] = word.substr(assign + 1);
    } else if (i + 1 < argc) {
      parsed.options[name] = argv[++i];
    } else {
      parsed.error = "Missing value after '" + word + "'.";
    }
  } else if (Holds(c.flags, name) || name == "help" || name == "h" || name == kDebugOption) {
    if (assign != std::string::npos) {
      parsed.error = "Unexpected value after '" + word.substr(0, assign) + "'.";
    } else {
      parsed.options[name == "h" ? "help" : name] = "";
    }
  } else {
    parsed.unknown.push_back(name);
  }
}

ParsedWords ParseWords(const Command& c, int argc, char** argv) {
  ParsedWords parsed;
  bool optionsEnded = false;
  for (int i = 0; i < argc; ++i) {
    const std::string word = argv[i];
    if (optionsEnded || word.size() < 2 || word[0] != '-') {
      parsed.positional.push_back(word);
    } else if (word == "--") {
      optionsEnded = true;
    } else if (word[1] == '-') {
      TakeLongOption(c, word, i, argc, argv, parsed);
    } else {
      for (std::size_t at = 1; at < word.size(); ++at) {  // one-letter options
        if (word[at] == 'h') {
          parsed.options["help"] = "";
        } else {
          parsed.unknown.emplace_back(1, word[at]);
        }
      }
    }
  }
  return parsed;
}

// Checks the words after the command against what it accepts and splits them into
// positional words and options. Returns 0, or the exit status after an error line.
int ParseArgs(const Command& c, int argc, char** argv, Args& args) {
  for (int i = 0; i < argc; ++i) args.words.emplace_back(argv[i]);
  ParsedWords parsed = ParseWords(c, argc, argv);
  if (const std::string error = parsed.ErrorText(); !error.empty()) return RefuseWords(c, error);
  if (parsed.options.count("help") != 0) {
    args.options["help"] = "";
    return 0;
  }
  if (parsed.options.count(kDebugOption) != 0) EnableDiagnostics("all");
  parsed.options.erase(kDebugOption);
  args.options = std::move(parsed.options);
  args.positional = std::move(parsed.positional);
  const int count = static_cast<int>(args.positional.size());
  if (c.maxWords != kAnyWords && count > c.maxWords) {
    return RefuseWords(c, "unexpected argument '" + args.positional[c.maxWords] +
                              "' (usage: orvane-cli " + c.name + " " + c.usage + ")");
  }
  if (count < c.minWords) {
    return RefuseWords(
        c, std::string("missing argument (usage: orvane-cli ") + c.name + " " + c.usage + ")");
  }
  return 0;
}

volatile std::sig_atomic_t stopRequested = 0;

void OnStopSignal(int) {
  stopRequested = 1;
}

// "a\nb" as "a b": every message is one line.
std::string OneLine(const std::string& message) {
  std::string line;
  for (const char ch : message) {
    if (ch == '\r') continue;
    if (ch != '\n') {
      line += ch;
    } else if (!line.empty() && line.back() != ' ') {
      line += ' ';
    }
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

}  // namespace

bool Register(Command command) {
  // Every command that picks the meter by its ids also picks one of several.
  auto& v = command.valueOptions;
  if (std::find(v.begin(), v.end(), "meter") != v.end()) {
    v.insert(v.end(), {"device", "serial"});
  }
  Commands().push_back(std::move(command));
  return true;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "orvane-cli: %s\n", OneLine(message).c_str());
  return 1;
}

int Refuse(const std::string& message) {
  Fail(message);
  return 2;
}

bool ParseWholeIn(const std::string& text, long& value, long minimum, long maximum) {
  return ParseWhole(text, value, minimum) && value <= maximum;
}

bool ParseDuration(const std::string& text, long& seconds, long minimum, long maximum) {
  static constexpr std::pair<char, long> kUnits[] = {
      {'s', 1}, {'m', 60}, {'h', 3600}, {'d', 86400}};
  std::string digits = text;
  long unit = 1;
  for (const auto& [letter, length] : kUnits) {
    if (!text.empty() && text.back() == letter) {
      digits.pop_back();
      unit = length;
    }
  }
  long count = 0;
  if (!ParseWhole(digits, count) || count > maximum / unit) return false;
  seconds = count * unit;
  return seconds >= minimum && seconds <= maximum;
}

OutputFile::~OutputFile() {
  if (owned && file != nullptr) std::fclose(file);
}

bool OutputFile::Open(const std::string& path) {
  if (path == "-") {
    file = stdout;
    return true;
  }
  file = std::fopen(path.c_str(), "wb");
  owned = file != nullptr;
  if (file == nullptr) Fail("cannot write " + path + ": " + std::strerror(errno));
  return file != nullptr;
}

bool OutputFile::Close() {
  if (file == nullptr) return true;
  bool written = std::fflush(file) == 0 && std::ferror(file) == 0;
  if (owned) written = std::fclose(file) == 0 && written;
  file = nullptr;
  owned = false;
  return written;
}

void CatchStopSignals() {
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  // SIGHUP too: what a closed terminal or a dropped SSH session sends.
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
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

bool StopRequested() {
  return stopRequested != 0;
}

// A whole number with an optional sign, all of `text`.
static bool ParseSigned(const std::string& text, long& value) {
  const std::size_t skip = !text.empty() && text[0] == '+' ? 1 : 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data() + skip, end, value);
  return text.size() > skip && ec == std::errc() && ptr == end;
}

bool ParseWhole(const std::string& text, long& value, long minimum) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return !text.empty() && ec == std::errc() && ptr == end && value >= minimum;
}

MeterSession::MeterSession() {
  const char* start = std::getenv("ORVANE_TEST_CLOCK");
  if (start == nullptr || *start == '\0') {
    clock_ = std::make_unique<SystemClock>();
    return;
  }
  // "YYYY/MM/DD hh:nn:ss" or with milliseconds: "YYYY/MM/DD hh:nn:ss.850".
  const std::string text = start;
  std::optional<DateTime> t = ParseDateTime(text.substr(0, 19));
  long ms = 0;
  if (t && text.size() == 23 && text[19] == '.' && ParseWholeIn(text.substr(20), ms, 0, 999)) {
    t->millisecond = static_cast<int>(ms);
  }
  auto test = std::make_unique<ManualClock>(t.value_or(DateTime{}));
  testClock_ = test.get();
  clock_ = std::move(test);
  // ORVANE_TEST_CLOCK_STEP "AT:BY": AT seconds after the start the wall clock is set BY
  // seconds (forward, or back when negative), as a time service or a user would.
  const char* step = std::getenv("ORVANE_TEST_CLOCK_STEP");
  const std::string stepText = step != nullptr ? step : "";
  const std::size_t colon = stepText.find(':');
  long at = 0;
  long by = 0;
  if (colon != std::string::npos && ParseWhole(stepText.substr(0, colon), at, 0) &&
      ParseSigned(stepText.substr(colon + 1), by)) {
    stepAtMs_ = at * 1000;
    stepByS_ = by;
  }
}

void MeterSession::WaitUntil(std::int64_t monotonicMs) {
  if (testClock_ != nullptr) {
    if (StopRequested() || monotonicMs <= testClock_->MonotonicMs()) return;
    if (stepAtMs_ >= 0 && monotonicMs >= stepAtMs_) {
      testClock_->AdvanceMs(std::max<std::int64_t>(stepAtMs_ - testClock_->MonotonicMs(), 0));
      DateTime t = FromSerialSeconds(ToSerialSeconds(testClock_->Now()) + stepByS_);
      t.millisecond = testClock_->Now().millisecond;
      testClock_->Set(t);
      stepAtMs_ = -1;
    }
    testClock_->AdvanceMs(std::max<std::int64_t>(monotonicMs - testClock_->MonotonicMs(), 0));
    return;
  }
  while (!StopRequested() && clock_->MonotonicMs() < monotonicMs) {
    const std::int64_t left = monotonicMs - clock_->MonotonicMs();
    std::this_thread::sleep_for(std::chrono::milliseconds(std::min<std::int64_t>(left, 50)));
  }
}

std::unique_ptr<MeterSession> MeterSession::Open(const Args& args) {
  MeterIds ids;
  if (!ReadMeterChoice(args, ids)) return nullptr;
  if (args.Has("simulate")) return std::make_unique<SimulatedSession>(ids);
  auto session = std::make_unique<UsbSession>(ids);
  const auto ambiguous = AmbiguousMeters(session->Transport().Enumerate(), ids);
  if (ambiguous) {
    Fail(*ambiguous);
    return nullptr;
  }
  return session;
}

bool ReadMeterChoice(const Args& args, MeterIds& ids) {
  if (args.Has("meter") && !ParseMeterIds(args.Get("meter"), ids)) {
    Fail("--meter wants VID:PID in hex, for example 04d8:f1e7");
    return false;
  }
  if (args.Has("device") && args.Has("serial")) {
    Fail("--device and --serial both choose the meter: give one");
    return false;
  }
  ids.devicePath = args.Get("device");
  ids.serial = args.Get("serial");
  if ((args.Has("device") && ids.devicePath.empty()) ||
      (args.Has("serial") && ids.serial.empty())) {
    Fail("--device wants a path and --serial a serial number");
    return false;
  }
  return true;
}

}  // namespace orvane::cli

int main(int argc, char** argv) {
  using namespace orvane::cli;
  if (!orvane::EnableDiagnosticsFromEnvironment()) {
    std::fprintf(stderr,
                 "orvane-cli: ORVANE_DEBUG names an unknown area (known: link, clock, start, all)\n");
  }
  if (argc >= 2 && argv[1] == std::string("--") + kDebugOption) {  // before the command
    orvane::EnableDiagnostics("all");
    --argc, ++argv;
  }
  if (argc < 2) {
    std::fprintf(stderr, "orvane-cli: no command given (try --help)\n");
    return 2;
  }
  const std::string first = argv[1];
  if (first == "--help" || first == "-h") {
    PrintOverview();
    return 0;
  }
  if (first == "--version") {
    std::printf("orvane-cli %s\n", ORVANE_VERSION);
    return 0;
  }
  for (const Command& c : Commands()) {
    if (c.name != first) continue;
    Args args;
    if (const int status = ParseArgs(c, argc - 2, argv + 2, args); status != 0) return status;
    if (args.Has("help")) {
      PrintUsage(c);
      return 0;
    }
    std::fflush(stdout);
    return c.run(args);
  }
  if (first.rfind('-', 0) == 0) {
    std::fprintf(stderr, "orvane-cli: unknown option '%s' (try --help)\n", first.c_str());
  } else {
    std::fprintf(stderr, "orvane-cli: unknown command '%s' (try --help)\n", first.c_str());
  }
  return 2;
}
