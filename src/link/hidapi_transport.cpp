#include "link/hidapi_transport.h"

#include <hidapi/hidapi.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cwchar>

namespace orvane {

namespace {
constexpr int kMeterReportLength = 65;

std::string Narrow(const wchar_t* text) {
  std::string out;
  if (text == nullptr) return out;
  for (; *text != L'\0'; ++text) out.push_back(*text < 128 ? static_cast<char>(*text) : '?');
  return out;
}
}  // namespace

HidapiTransport::HidapiTransport() {
  hid_init();
}

HidapiTransport::~HidapiTransport() {
  Close();
  hid_exit();
}

std::vector<HidDeviceInfo> HidapiTransport::Enumerate() {
  using namespace std::chrono;
  const auto nowMs = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  if (!monitor_.MayHaveChanged(nowMs)) return devices_;
  std::vector<HidDeviceInfo> found;
  hid_device_info* list = hid_enumerate(0, 0);
  for (hid_device_info* d = list; d != nullptr; d = d->next) {
    found.push_back(
        {d->path ? d->path : "", d->vendor_id, d->product_id, Narrow(d->product_string)});
  }
  hid_free_enumeration(list);
  devices_ = found;
  return found;
}

bool HidapiTransport::Open(const std::string& path) {
  Close();
  errno = 0;
  device_ = hid_open_path(path.c_str());
  lastOpenDenied_ = device_ == nullptr && access(path.c_str(), R_OK | W_OK) != 0 && errno == EACCES;
  return device_ != nullptr;
}

void HidapiTransport::Close() {
  if (device_ != nullptr) hid_close(device_);
  device_ = nullptr;
}

bool HidapiTransport::Write(std::span<const std::uint8_t> report) {
  if (device_ == nullptr) return false;
  return hid_write(device_, report.data(), report.size()) >= 0;
}

ReadOutcome HidapiTransport::Read(std::span<std::uint8_t> payload, int timeoutMs) {
  if (device_ == nullptr) return ReadOutcome::Failed;
  std::uint8_t buffer[kMeterReportLength] = {};
  const int n = hid_read_timeout(device_, buffer, sizeof buffer, timeoutMs);
  if (n == 0) return ReadOutcome::TimedOut;
  if (n < 0) return ReadOutcome::Failed;
  const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(n), payload.size());
  std::copy(buffer, buffer + count, payload.begin());
  return ReadOutcome::Completed;
}

int HidapiTransport::InputReportByteLength() const {
  return device_ ? kMeterReportLength : 0;
}
int HidapiTransport::OutputReportByteLength() const {
  return device_ ? kMeterReportLength : 0;
}

}  // namespace orvane
