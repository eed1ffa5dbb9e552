// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/hidapi_transport.h"

#include <hidapi/hidapi.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fstream>
#include <iterator>
#include <utility>

#include "link/report.h"
#include "link/report_descriptor.h"

namespace orvane {

namespace {

constexpr std::size_t kMaxDescriptorBytes = 4096;  // the kernel's limit

std::string Narrow(const wchar_t* text) {
  std::string out;
  if (text == nullptr) return out;
  for (; *text != L'\0'; ++text) out.push_back(*text < 128 ? static_cast<char>(*text) : '?');
  return out;
}

std::int64_t SteadyMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

// One worker thread that carries writes, so that the caller can stop waiting for a
// device that does not take its report. It owns a device handed over by Close() while a
// write on it is still running, and closes it when the write returns.
struct HidapiTransport::Writer {
  std::mutex mutex;
  std::condition_variable changed;
  bool job = false;
  bool busy = false;
  bool quit = false;
  hid_device_* device = nullptr;
  hid_device_* closeWhenDone = nullptr;
  std::vector<std::uint8_t> data;
  int result = 0;
  std::string error;  // the platform's text when the write failed
  std::thread thread;

  void Loop(const HidapiCalls& calls) {
    std::unique_lock lock(mutex);
    for (;;) {
      changed.wait(lock, [this] { return job || quit; });
      if (!job) return;
      job = false;
      hid_device_* target = device;
      const std::vector<std::uint8_t> bytes = data;
      lock.unlock();
      const int written = calls.write(target, bytes.data(), bytes.size());
      std::string text = written < 0 && calls.errorText ? calls.errorText(target) : "";
      lock.lock();
      result = written;
      error = std::move(text);
      busy = false;
      if (closeWhenDone != nullptr) {
        hid_device_* orphan = std::exchange(closeWhenDone, nullptr);
        lock.unlock();
        calls.close(orphan);
        lock.lock();
      }
      changed.notify_all();
    }
  }
};

HidapiCalls HidapiCalls::Real() {
  HidapiCalls c;
  c.enumerate = [] { return hid_enumerate(0, 0); };
  c.freeEnumeration = hid_free_enumeration;
  c.openPath = hid_open_path;
  c.close = hid_close;
  c.write = hid_write;
  c.readTimeout = hid_read_timeout;
  c.reportDescriptor = [](const std::string& path) { return SysfsReportDescriptor(path); };
  c.monotonicMs = SteadyMs;
  c.errorText = [](hid_device_* device) { return Narrow(hid_error(device)); };
  return c;
}

std::vector<std::uint8_t> SysfsReportDescriptor(const std::string& hidrawPath,
                                                const std::string& sysfsRoot) {
  const std::string node = hidrawPath.substr(hidrawPath.find_last_of('/') + 1);
  if (node.rfind("hidraw", 0) != 0) return {};
  std::ifstream in(sysfsRoot + "/class/hidraw/" + node + "/device/report_descriptor",
                   std::ios::binary);
  std::vector<std::uint8_t> bytes;
  char c = 0;
  while (bytes.size() <= kMaxDescriptorBytes && in.get(c)) {
    bytes.push_back(static_cast<std::uint8_t>(c));
  }
  if (bytes.size() > kMaxDescriptorBytes) return {};
  return bytes;
}

HidapiTransport::HidapiTransport() : HidapiTransport(HidapiCalls::Real()) {
  real_ = true;
  hid_init();
  monitor_ = std::make_unique<HidrawMonitor>();
}

HidapiTransport::HidapiTransport(HidapiCalls calls, int writeWaitMs)
    : calls_(std::move(calls)),
      writeWaitMs_(writeWaitMs),
      real_(false),
      writer_(std::make_shared<Writer>()) {
  writer_->thread = std::thread([w = writer_, calls = calls_] { w->Loop(calls); });
}

HidapiTransport::~HidapiTransport() {
  Close();
  bool stuck = false;
  {
    std::lock_guard lock(writer_->mutex);
    writer_->quit = true;
    stuck = writer_->busy;
  }
  writer_->changed.notify_all();
  // A write that never returns keeps its thread; the program does not wait for it.
  if (stuck) {
    writer_->thread.detach();
  } else {
    writer_->thread.join();
  }
  if (real_ && !stuck) hid_exit();
}

std::vector<HidDeviceInfo> HidapiTransport::Enumerate() {
  if (monitor_ && !monitor_->MayHaveChanged(calls_.monotonicMs())) return devices_;
  std::vector<HidDeviceInfo> found;
  hid_device_info* list = calls_.enumerate();
  for (hid_device_info* d = list; d != nullptr; d = d->next) {
    found.push_back({d->path ? d->path : "", d->vendor_id, d->product_id, Narrow(d->product_string),
                     Narrow(d->serial_number), d->interface_number});
  }
  calls_.freeEnumeration(list);
  devices_ = found;
  return found;
}

std::string HidapiTransport::ErrorText(hid_device_* device) const {
  return calls_.errorText ? calls_.errorText(device) : std::string();
}

bool HidapiTransport::Open(const std::string& path) {
  Close();
  errno = 0;
  device_ = calls_.openPath(path.c_str());
  lastOpenDenied_ = device_ == nullptr && access(path.c_str(), R_OK | W_OK) != 0 && errno == EACCES;
  if (device_ == nullptr) {
    lastError_ = ErrorText(nullptr);
    return false;
  }
  const auto lengths = ReportLengthsOf(calls_.reportDescriptor(path));
  inputLength_ = lengths ? lengths->input : 0;
  outputLength_ = lengths ? lengths->output : 0;
  return true;
}

void HidapiTransport::Close() {
  if (device_ != nullptr) {
    std::unique_lock lock(writer_->mutex);
    if (writer_->busy) {
      writer_->closeWhenDone = device_;
    } else {
      lock.unlock();
      calls_.close(device_);
    }
  }
  device_ = nullptr;
  writeStuck_ = false;
  inputLength_ = outputLength_ = 0;
}

bool HidapiTransport::Write(std::span<const std::uint8_t> report) {
  if (device_ == nullptr || writeStuck_) return false;
  std::unique_lock lock(writer_->mutex);
  if (writer_->busy) return false;  // a write to a device dropped earlier still hangs
  writer_->device = device_;
  writer_->data.assign(report.begin(), report.end());
  writer_->job = writer_->busy = true;
  writer_->changed.notify_all();
  const bool done = writer_->changed.wait_for(lock, std::chrono::milliseconds(writeWaitMs_),
                                              [this] { return !writer_->busy; });
  if (!done) {
    writeStuck_ = true;  // the reads after it fail, so the link drops the device
    lastError_ =
        "the device did not take the report within " + std::to_string(writeWaitMs_) + " ms";
    return false;
  }
  if (writer_->result < 0) lastError_ = writer_->error;
  return writer_->result >= 0;
}

ReadOutcome HidapiTransport::Read(std::span<std::uint8_t> payload, int timeoutMs) {
  if (device_ == nullptr || writeStuck_) return ReadOutcome::Failed;
  std::uint8_t buffer[kReportLength] = {};
  const std::int64_t deadline = calls_.monotonicMs() + timeoutMs;
  int n = 0;
  for (int wait = timeoutMs;;) {
    errno = 0;
    n = calls_.readTimeout(device_, buffer, sizeof buffer, wait);
    if (n >= 0 || errno != EINTR) break;
    // A signal cut the wait short: wait for the rest of it.
    wait = static_cast<int>(std::max<std::int64_t>(0, deadline - calls_.monotonicMs()));
    if (wait == 0) {
      n = 0;
      break;
    }
  }
  if (n == 0) return ReadOutcome::TimedOut;
  if (n < 0) {
    lastError_ = ErrorText(device_);
    return ReadOutcome::Failed;
  }
  // A short report leaves zeros, never the bytes of an earlier reply.
  const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(n), payload.size());
  std::copy(buffer, buffer + count, payload.begin());
  std::fill(payload.begin() + static_cast<std::ptrdiff_t>(count), payload.end(), 0);
  return ReadOutcome::Completed;
}

int HidapiTransport::InputReportByteLength() const {
  return device_ ? inputLength_ : 0;
}
int HidapiTransport::OutputReportByteLength() const {
  return device_ ? outputLength_ : 0;
}

}  // namespace orvane
