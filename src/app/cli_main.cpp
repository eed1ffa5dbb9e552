// orvane-cli: talks to the meter and works on data files without a desktop.

#include <algorithm>
#include <charconv>
#include <cstring>
#include <iostream>

#include "app/cli.h"
#include "link/hidapi_transport.h"
#include "simulator/simulated_transport.h"
#include "simulator/virtual_meter.h"

namespace orvane::cli {

namespace {

std::vector<Command>& Commands() {
  static std::vector<Command> commands;
  return commands;
}

constexpr std::int64_t kSimulatedClockLagSeconds = 86400 + 3600 + 60 + 1;

class SimulatedSession final : public MeterSession {
 public:
  explicit SimulatedSession(MeterIds ids) {
    meter_ = std::make_unique<VirtualMeter>(clock_, 2024);
    meter_->FillLogger(6);
    meter_->keepLog = false;  // a long `record` or `watch` must not grow
    // A meter whose clock was never set runs behind the PC: clock --set shows its effect.
    meter_->clockOffsetSeconds = -kSimulatedClockLagSeconds;
    auto transport = std::make_unique<SimulatedTransport>(*meter_, ids.vendorId, ids.productId);
    transport->keepLog = false;
    ScheduleUnplugFromEnvironment(*transport, clock_);
    transport_ = std::move(transport);
    link_ = std::make_unique<MeterLink>(*transport_, notices_, ids);
  }

 private:
  std::unique_ptr<VirtualMeter> meter_;
};

class UsbSession final : public MeterSession {
 public:
  explicit UsbSession(MeterIds ids) {
    transport_ = std::make_unique<HidapiTransport>();
    link_ = std::make_unique<MeterLink>(*transport_, notices_, ids);
  }
};

void PrintUsage(const Command& c) {
  std::printf("usage: orvane-cli %s %s\n  %s\n", c.name, c.usage, c.summary);
}

void PrintOverview() {
  std::printf("usage: orvane-cli COMMAND [OPTIONS]\n\ncommands:\n");
  std::vector<Command> sorted = Commands();
  std::sort(sorted.begin(), sorted.end(),
            [](const Command& a, const Command& b) { return std::strcmp(a.name, b.name) < 0; });
  for (const Command& c : sorted) std::printf("  %-10s %s\n", c.name, c.summary);
  std::printf("\n'orvane-cli COMMAND --help' tells more.\n");
}

// Splits the words after the command into positional words and options.
bool ParseArgs(const Command& c, int argc, char** argv, Args& args) {
  for (int i = 0; i < argc; ++i) {
    const std::string word = argv[i];
    args.words.push_back(word);
    if (word.size() < 3 || word.rfind("--", 0) != 0) {
      args.positional.push_back(word);
      continue;
    }
    const std::string name = word.substr(2);
    const bool takesValue =
        std::find(c.valueOptions.begin(), c.valueOptions.end(), name) != c.valueOptions.end() ||
        name == "meter";
    if (!takesValue) {
      args.options[name] = "";
    } else if (i + 1 < argc) {
      args.options[name] = argv[++i];
    } else {
      std::fprintf(stderr, "orvane-cli %s: --%s needs a value\n", c.name, name.c_str());
      return false;
    }
  }
  return true;
}

}  // namespace

bool Register(Command command) {
  Commands().push_back(std::move(command));
  return true;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "orvane-cli: %s\n", message.c_str());
  return 1;
}

bool ParseWhole(const std::string& text, long& value, long minimum) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return !text.empty() && ec == std::errc() && ptr == end && value >= minimum;
}

std::unique_ptr<MeterSession> MeterSession::Open(const Args& args) {
  MeterIds ids;
  if (args.Has("meter") && !ParseMeterIds(args.Get("meter"), ids)) {
    Fail("--meter wants VID:PID in hex, for example 04d8:f1e7");
    return nullptr;
  }
  if (args.Has("simulate")) return std::make_unique<SimulatedSession>(ids);
  return std::make_unique<UsbSession>(ids);
}

}  // namespace orvane::cli

int main(int argc, char** argv) {
  using namespace orvane::cli;
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    PrintOverview();
    return argc < 2 ? 2 : 0;
  }
  for (const Command& c : Commands()) {
    if (c.name != std::string(argv[1])) continue;
    Args args;
    if (!ParseArgs(c, argc - 2, argv + 2, args)) return 2;
    if (args.Has("help")) {
      PrintUsage(c);
      return 0;
    }
    std::fflush(stdout);
    return c.run(args);
  }
  std::fprintf(stderr, "orvane-cli: unknown command '%s' (try --help)\n", argv[1]);
  return 2;
}
