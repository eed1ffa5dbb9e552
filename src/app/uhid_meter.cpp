// SPDX-License-Identifier: GPL-3.0-or-later
// orvane-uhid-meter: the built-in meter (the simulator's replies, keys, clock, settings
// and data logger) behind the kernel's /dev/uhid, so that the kernel makes a real
// /dev/hidrawN for it and the program finds it like a USB meter. It can be pulled out
// after a while or after a number of replies, plugged in again, or stay silent.
//
// The device answers each request with the input reports the built-in meter has for it,
// at once, and sends nothing unasked: a read with no reply waiting (the read before a
// query, the one more read after a download) times out, where the simulated transport
// hands the meter's display frame to such a read.
//
// Every report the device receives and sends is written to the log (standard error or
// --log FILE), one line each, stamped with the wall-clock time in seconds.
//
// Root is needed only to open /dev/uhid: right after, a program started with sudo goes
// on as the user who called sudo (SUDO_UID, SUDO_GID), and one installed set-user-ID as
// its real user. The log is opened after that, and never through a symbolic link.

#include <fcntl.h>
#include <grp.h>
#include <linux/input.h>
#include <linux/uhid.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/clock.h"
#include "link/meter_link.h"
#include "simulator/uhid_meter_plan.h"
#include "simulator/virtual_meter.h"

namespace orvane {
namespace {

volatile std::sig_atomic_t stopRequested = 0;

void OnStop(int) {
  stopRequested = 1;
}

struct Options {
  MeterIds ids;
  PlugPlan plan;
  bool silent = false;
  std::string logPath;
  std::string serial;  // the device's serial number (the kernel's "uniq"), or none
};

constexpr const char* kUsage =
    "Usage: orvane-uhid-meter [OPTION]...\n"
    "Puts the built-in light meter behind /dev/uhid until interrupted: the kernel sees a HID\n"
    "device with the meter's vendor and product id, and orvane finds it without --simulate.\n"
    "Needs the uhid module (sudo modprobe uhid) and write access to /dev/uhid.\n"
    "\n"
    "Options:\n"
    "  --meter VID:PID               the vendor and product id to show, in hex\n"
    "  --serial TEXT                 the device's serial number (up to 63 characters), to\n"
    "                                tell several meters apart\n"
    "  --unplug-after SECONDS        pull the meter out once, that long after it is plugged in\n"
    "  --unplug-after-replies N      pull the meter out once, after that many replies\n"
    "  --replug-after SECONDS        plug it in again that long after it was pulled out\n"
    "  --silent                      take requests, never answer\n"
    "  --log FILE                    log every report there (default: standard error)\n"
    "  -h, --help                    show this text\n";

std::int64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

bool ParseMs(const char* text, std::int64_t& ms) {
  const char* const end = text + std::strlen(text);
  double seconds = 0;
  const auto [stop, error] = std::from_chars(text, end, seconds);
  if (stop == text || stop != end || error != std::errc() || !(seconds >= 0) || seconds > 1e6)
    return false;
  ms = std::llround(seconds * 1000.0);
  return true;
}

// Returns 0 to go on, else the exit status.
int ParseOptions(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    const bool hasValue = i + 1 < argc;
    const std::string value = hasValue ? argv[i + 1] : "";
    bool ok = hasValue;
    if (word == "--help" || word == "-h") {
      std::fputs(kUsage, stdout);
      return -1;
    } else if (word == "--silent") {
      o.silent = true;
      continue;
    } else if (word == "--meter") {
      ok = ok && ParseMeterIds(value, o.ids);
    } else if (word == "--unplug-after") {
      ok = ok && ParseMs(value.c_str(), o.plan.unplugAfterMs);
    } else if (word == "--replug-after") {
      ok = ok && ParseMs(value.c_str(), o.plan.replugAfterMs);
    } else if (word == "--unplug-after-replies") {
      char* end = nullptr;
      o.plan.unplugAfterReplies = std::strtol(value.c_str(), &end, 10);
      ok = ok && !value.empty() && *end == '\0' && o.plan.unplugAfterReplies >= 0;
    } else if (word == "--log") {
      o.logPath = value;
    } else if (word == "--serial") {
      o.serial = value;
      ok = ok && !value.empty() && value.size() < 64;
    } else {
      ok = false;
    }
    if (!ok) {
      std::fprintf(stderr, "orvane-uhid-meter: bad or incomplete option '%s'\n%s", word.c_str(),
                   kUsage);
      return 2;
    }
    ++i;
  }
  return 0;
}

class UhidMeter {
 public:
  UhidMeter(const Options& options, std::FILE* log)
      : options_(options), log_(log), meter_(clock_, 2024), schedule_(options.plan) {
    meter_.FillLogger(6);
    meter_.keepLog = false;
  }
  ~UhidMeter() {
    if (schedule_.IsPlugged()) Destroy();
    if (fd_ >= 0) close(fd_);
  }

  // Takes the open /dev/uhid and plugs the meter in.
  bool Start(int uhidFd) {
    fd_ = uhidFd;
    return Create();
  }

  int Run() {
    while (!stopRequested) {
      const std::int64_t now = NowMs();
      switch (schedule_.Due(now)) {
        case PlugSchedule::Action::Unplug:
          Destroy();
          schedule_.Unplugged(now);
          continue;
        case PlugSchedule::Action::Replug:
          if (!Create()) return 1;
          continue;
        case PlugSchedule::Action::None:
          break;
      }
      const std::int64_t wait = schedule_.WaitMs(now);
      pollfd p{fd_, POLLIN, 0};
      const int ready = poll(&p, 1, wait < 0 ? -1 : static_cast<int>(wait));
      if (ready < 0 && errno != EINTR) return Fail("poll");
      if (ready > 0 && (p.revents & POLLIN) != 0 && !HandleEvent()) return 1;
    }
    return 0;
  }

 private:
  void Log(const char* what, const std::uint8_t* data = nullptr, std::size_t size = 0) {
    const std::int64_t ms = NowMs();
    std::fprintf(log_, "%lld.%03lld %s", static_cast<long long>(ms / 1000),
                 static_cast<long long>(ms % 1000), what);
    if (data != nullptr) {
      std::fprintf(log_, " %zu", size);
      for (std::size_t i = 0; i < size; ++i) std::fprintf(log_, " %02x", data[i]);
    }
    std::fputc('\n', log_);
    std::fflush(log_);
  }

  int Fail(const char* what) {
    std::fprintf(stderr, "orvane-uhid-meter: %s: %s\n", what, std::strerror(errno));
    return 1;
  }

  bool Send(const uhid_event& ev) {
    if (write(fd_, &ev, sizeof ev) == static_cast<ssize_t>(sizeof ev)) return true;
    Fail("write to /dev/uhid");
    return false;
  }

  bool Create() {
    uhid_event ev{};
    ev.type = UHID_CREATE2;
    std::snprintf(reinterpret_cast<char*>(ev.u.create2.name), sizeof ev.u.create2.name,
                  "Orvane uhid light meter");
    std::snprintf(reinterpret_cast<char*>(ev.u.create2.uniq), sizeof ev.u.create2.uniq, "%s",
                  options_.serial.c_str());
    std::memcpy(ev.u.create2.rd_data, kMeterReportDescriptor.data(), kMeterReportDescriptor.size());
    ev.u.create2.rd_size = kMeterReportDescriptor.size();
    ev.u.create2.bus = BUS_USB;
    ev.u.create2.vendor = options_.ids.vendorId;
    ev.u.create2.product = options_.ids.productId;
    ev.u.create2.version = 0x0801;
    if (!Send(ev)) return false;
    schedule_.Plugged(NowMs());
    char line[64];
    std::snprintf(line, sizeof line, "plugged %04x:%04x", options_.ids.vendorId,
                  options_.ids.productId);
    Log(line);
    return true;
  }

  void Destroy() {
    uhid_event ev{};
    ev.type = UHID_DESTROY;
    Send(ev);
    Log("unplugged");
  }

  void Answer(const std::uint8_t* data, std::size_t size) {
    const auto request = RequestFromOutput(std::span<const std::uint8_t>(data, size));
    Log(request ? "out" : "out-ignored", data, size);
    if (!request) return;
    if (schedule_.RepliesSpent()) {  // the request after the last reply finds it gone
      Destroy();
      schedule_.Unplugged(NowMs());
      return;
    }
    meter_.HandleRequest(*request);
    while (meter_.QueuedReplies() > 0) {
      const Payload reply = meter_.NextReply();
      if (options_.silent || schedule_.RepliesSpent()) continue;
      uhid_event ev{};
      ev.type = UHID_INPUT2;
      ev.u.input2.size = static_cast<std::uint16_t>(reply.size());
      std::memcpy(ev.u.input2.data, reply.data(), reply.size());
      if (!Send(ev)) return;
      schedule_.ReplySent();
      Log("in", reply.data(), reply.size());
    }
  }

  // Returns false when the device cannot go on.
  bool HandleEvent() {
    uhid_event ev{};
    const ssize_t n = read(fd_, &ev, sizeof ev);
    if (n < 0) {
      if (errno == EINTR || errno == EAGAIN) return true;
      Fail("read from /dev/uhid");
      return false;
    }
    switch (ev.type) {
      case UHID_OUTPUT:
        Answer(ev.u.output.data, ev.u.output.size);
        break;
      case UHID_GET_REPORT: {  // the meter has no feature or readable reports
        uhid_event reply{};
        reply.type = UHID_GET_REPORT_REPLY;
        reply.u.get_report_reply.id = ev.u.get_report.id;
        reply.u.get_report_reply.err = EIO;
        return Send(reply);
      }
      case UHID_SET_REPORT: {
        uhid_event reply{};
        reply.type = UHID_SET_REPORT_REPLY;
        reply.u.set_report_reply.id = ev.u.set_report.id;
        reply.u.set_report_reply.err = EIO;
        return Send(reply);
      }
      case UHID_OPEN:
        Log("opened");
        break;
      case UHID_CLOSE:
        Log("closed");
        break;
      default:
        break;
    }
    return true;
  }

  Options options_;
  std::FILE* log_;
  SystemClock clock_;
  VirtualMeter meter_;
  PlugSchedule schedule_;
  int fd_ = -1;
};

}  // namespace
}  // namespace orvane

namespace orvane {
namespace {

// A user or group id from the environment (as sudo sets it), or -1.
long long IdFromEnvironment(const char* name) {
  const char* text = std::getenv(name);
  if (text == nullptr || *text == '\0') return -1;
  long long id = -1;
  const char* const end = text + std::strlen(text);
  const auto [stop, error] = std::from_chars(text, end, id);
  return error == std::errc() && stop == end && id >= 0 ? id : -1;
}

// Gives up root: to the user who called sudo, else to the real user of a set-user-ID
// start. A program started by root itself has no one else to be and stays root.
bool DropRoot() {
  if (geteuid() != 0) return true;
  long long uid = IdFromEnvironment("SUDO_UID");
  long long gid = IdFromEnvironment("SUDO_GID");
  if (uid < 0 || gid < 0) {
    uid = getuid();
    gid = getgid();
  }
  if (uid == 0) return true;
  if (setgroups(0, nullptr) != 0 || setgid(static_cast<gid_t>(gid)) != 0 ||
      setuid(static_cast<uid_t>(uid)) != 0 || setuid(0) == 0) {
    std::fprintf(stderr, "orvane-uhid-meter: cannot give up root: %s\n", std::strerror(errno));
    return false;
  }
  return true;
}

}  // namespace
}  // namespace orvane

int main(int argc, char** argv) {
  using namespace orvane;
  Options options;
  if (const int status = ParseOptions(argc, argv, options); status != 0) {
    return status < 0 ? 0 : status;
  }
  const int uhid = open("/dev/uhid", O_RDWR | O_CLOEXEC);
  if (uhid < 0) {
    std::fprintf(stderr,
                 "orvane-uhid-meter: /dev/uhid: %s. Load the module (sudo modprobe uhid) and "
                 "run as root or with write access to /dev/uhid.\n",
                 std::strerror(errno));
    return 1;
  }
  if (!DropRoot()) return 1;
  std::FILE* log = stderr;
  if (!options.logPath.empty()) {
    const int fd =
        open(options.logPath.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    log = fd < 0 ? nullptr : fdopen(fd, "a");
    if (log == nullptr) {
      std::fprintf(stderr, "orvane-uhid-meter: %s: %s\n", options.logPath.c_str(),
                   std::strerror(errno));
      return 1;
    }
  }
  struct sigaction action {};
  action.sa_handler = OnStop;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  UhidMeter meter(options, log);
  if (!meter.Start(uhid)) return 1;
  return meter.Run();
}
