#pragma once
// orvane-cli: the program's core driven from a terminal. Each command lives in its own
// file app/cli_<name>.cpp and registers itself; this header is what they share.

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/clock.h"
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

struct Command {
  const char* name;
  const char* usage;    // the line after "orvane-cli NAME"
  const char* summary;  // one line
  // Options that take a value (all others are flags).
  std::vector<std::string> valueOptions;
  int (*run)(const Args& args);
};

bool Register(Command command);

// Ends a command with a one-line error on stderr and exit status 1.
int Fail(const std::string& message);

// The meter a command talks to: the built-in one with --simulate, else the USB meter
// with the ids of --meter or the built-in ids.
class MeterSession {
 public:
  // Returns null after printing an error when the options are wrong.
  static std::unique_ptr<MeterSession> Open(const Args& args);
  virtual ~MeterSession() = default;
  MeterLink& Link() { return *link_; }
  const Clock& Now() const { return clock_; }
  // True when the meter answered: MeterConnected() is -1 after an exchange.
  bool Connected() const { return link_->MeterConnected() == -1; }

 protected:
  MeterSession() = default;
  SystemClock clock_;
  SilentNotices notices_;
  std::unique_ptr<HidTransport> transport_;
  std::unique_ptr<MeterLink> link_;
};

// A whole number of at least `minimum`, all of `text`.
bool ParseWhole(const std::string& text, long& value, long minimum = 0);

// The options every meter command takes, for usage lines.
inline constexpr const char* kMeterOptions = "[--simulate] [--meter VID:PID]";

}  // namespace orvane::cli

#define ORVANE_CLI_COMMAND(id, ...) \
  static const bool kRegistered_##id = ::orvane::cli::Register(::orvane::cli::Command{__VA_ARGS__})
