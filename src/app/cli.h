// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// orvane-cli: the program's core driven from a terminal. Each command lives in its own
// file app/cli_<name>.cpp and registers itself; this header is what they share.

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/clock.h"
#include "common/command_gate.h"
#include "display/frame_decoder.h"
#include "link/meter_link.h"

namespace orvane::cli {

struct Args {
  std::vector<std::string> positional;
  std::map<std::string, std::string> options;  // "--name value" or "--flag" → ""
  std::vector<std::string> words;              // every word after the command, in order
  bool Has(const std::string& name) const { return options.count(name) != 0; }
  std::string Get(const std::string& name, const std::string& fallback = "") const {
    auto it = options.find(name);
    return it == options.end() ? fallback : it->second;
  }
};

// A command and the words it accepts. The command line is checked against this before
// the command runs: an option it does not name, a flag given a value, a value option
// without one or a word count outside minWords..maxWords is refused with exit status 2.
struct Command {
  const char* name;
  const char* usage;    // the line after "orvane-cli NAME"
  const char* summary;  // one line
  // Options that take a value: "--name value" or "--name=value".
  std::vector<std::string> valueOptions;
  int (*run)(const Args& args);
  // Options without a value.
  std::vector<std::string> flags = {};
  int minWords = 0;
  int maxWords = 0;  // kAnyWords: no limit
  // More lines for "orvane-cli NAME --help" (each ended with a newline), or null.
  const char* details = nullptr;
};

inline constexpr int kAnyWords = -1;

bool Register(Command command);

// Ends a command with its error on stderr, as one line, and exit status 1: the command
// could not do its work (no meter, unreadable file, nothing found).
int Fail(const std::string& message);

// Ends a command whose command line is wrong (a value out of range, a missing option)
// with one line on stderr and exit status 2.
int Refuse(const std::string& message);

// A duration such as "90", "90s", "15m", "2h" or "1d" in seconds, from `minimum` to
// `maximum`. False for anything else.
bool ParseDuration(const std::string& text, long& seconds, long minimum, long maximum);

// Where a command writes: standard output for "-", else the named file (truncated).
// Null after printing an error when the file cannot be opened.
struct OutputFile {
  std::FILE* file = nullptr;
  bool owned = false;
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile();
  // False (and an error printed) when the file cannot be opened.
  bool Open(const std::string& path);
  // Flushes and closes; false when the data did not all reach the file.
  bool Close();
};

// `text` as a JSON string, quotes included; 8-bit text gives each byte as its code point.
std::string JsonString(const std::string& text);

// Set by SIGINT, SIGTERM or SIGHUP once CatchStopSignals ran: a long command finishes its work
// and ends normally.
void CatchStopSignals();
bool StopRequested();

// The meter a command talks to: the built-in one with --simulate, else the USB meter
// with the ids of --meter or the built-in ids.
class MeterSession {
 public:
  // Returns null after printing an error when the options are wrong.
  static std::unique_ptr<MeterSession> Open(const Args& args);
  virtual ~MeterSession() = default;
  MeterLink& Link() { return *link_; }
  HidTransport& Transport() { return *transport_; }
  const Clock& Now() const { return *clock_; }
  // Waits until the clock's monotonic time is `monotonicMs`; a stop signal ends it early.
  void WaitUntil(std::int64_t monotonicMs);
  // True when the meter answered: MeterConnected() is -1 after an exchange.
  bool Connected() const { return link_->MeterConnected() == -1; }
  // The built-in meter only: pulls its plug or puts it back, to show how a command rides
  // out a lost meter. A USB meter ignores it.
  virtual void SetPlugged(bool /*plugged*/) {}

 protected:
  MeterSession();
  // The system clock, or for tests, when ORVANE_TEST_CLOCK holds a local time such as
  // "2024/05/17 23:59:58", a clock that starts there and moves only as the command waits:
  // a wait moves it on at once instead of sleeping, so a test runs hours of a command
  // (a midnight, a long --duration) in moments.
  std::unique_ptr<Clock> clock_;
  ManualClock* testClock_ = nullptr;
  std::int64_t stepAtMs_ = -1;  // ORVANE_TEST_CLOCK_STEP: when the test clock is set
  long stepByS_ = 0;
  SilentNotices notices_;
  std::unique_ptr<HidTransport> transport_;
  std::unique_ptr<MeterLink> link_;
};

// The meter the command line chooses: --meter, --device, --serial. False after an error
// line when they are wrong.
bool ReadMeterChoice(const Args& args, MeterIds& ids);

// One poll of the meter's display into `decoder`; false when no meter answered.
bool ReadDisplay(MeterSession& session, FrameDecoder& decoder);

// Reads the display and refuses, as the panel's tool-bar command `toolbarCommand` ("RTC",
// "Memory", "RecSetup") would, while the meter is in a mode that forbids it: 0 when the
// command may go on, else 1 after a line naming the lit symbol (or saying no meter
// answered). Nothing is sent but the display request.
int RefuseInMeterMode(MeterSession& session, CommandRule rule);

// A whole number of at least `minimum`, all of `text`.
bool ParseWhole(const std::string& text, long& value, long minimum = 0);

// A whole number from `minimum` to `maximum`, all of `text`.
bool ParseWholeIn(const std::string& text, long& value, long minimum, long maximum);

// The options every meter command takes, for usage lines.
inline constexpr const char* kMeterOptions =
    "[--simulate] [--meter VID:PID] [--device PATH | --serial TEXT]";

}  // namespace orvane::cli

#define ORVANE_CLI_COMMAND(id, ...) \
  static const bool kRegistered_##id = ::orvane::cli::Register(::orvane::cli::Command{__VA_ARGS__})
