// SPDX-License-Identifier: GPL-3.0-or-later
#include "datalogger/logger_codec.h"

#include <algorithm>

namespace orvane {

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return 0;
}

std::uint64_t Ceiling(std::uint64_t count, std::uint64_t per) {
  return count / per + (count % per != 0 ? 1 : 0);
}

}  // namespace

std::uint64_t Figure40(const Report& reply, std::size_t first) {
  std::uint64_t value = 0;
  for (std::size_t i = first; i < first + 5; ++i) value = value * 256 + reply[i];
  return value;
}

LoggerStatus DecodeStatus(const Report& reply) {
  return {Figure40(reply, 1), Figure40(reply, 6), BigEndianWord(reply, 11)};
}

std::uint64_t DecodeSetLength(const Report& reply) {
  return Figure40(reply, 1);
}

std::uint64_t IndexReportCount(std::uint64_t setCount) {
  return Ceiling(setCount, kStampsPerReport);
}

std::uint64_t ContentBlockCount(std::uint64_t length) {
  return Ceiling(length, kContentBlockBytes);
}

std::string StampText(std::span<const std::uint8_t, kStampBytes> bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(kStampDigits);
  for (std::uint8_t b : bytes) {
    text += kHex[b >> 4];
    text += kHex[b & 0x0F];
  }
  return text;
}

std::string StampDisplay(std::string_view stampText) {
  // Separator written before the digit at each position.
  static constexpr std::array<std::pair<std::size_t, char>, 5> kSeparators{
      {{4, '/'}, {6, '/'}, {8, ' '}, {10, ':'}, {12, ':'}}};
  std::string shown;
  const std::size_t n = std::min(stampText.size(), kStampDigits);
  for (std::size_t i = 0; i < n; ++i) {
    for (const auto& [at, sep] : kSeparators) {
      if (at == i) shown += sep;
    }
    shown += stampText[i];
  }
  return shown;
}

StampAscii StampAsciiBytes(std::string_view stampText) {
  StampAscii bytes;
  bytes.fill('0');
  const std::size_t n = std::min(stampText.size(), kStampDigits);
  for (std::size_t i = 0; i < n; ++i) {
    const char c = stampText[i];
    if (c >= '0' && c <= '9') bytes[i] = static_cast<std::uint8_t>(c);
  }
  return bytes;
}

StampBytes StampBcdBytes(std::string_view stampText) {
  StampBytes bytes{};
  for (std::size_t i = 0; i < kStampBytes; ++i) {
    const char high = 2 * i < stampText.size() ? stampText[2 * i] : '0';
    const char low = 2 * i + 1 < stampText.size() ? stampText[2 * i + 1] : '0';
    bytes[i] = static_cast<std::uint8_t>(HexValue(high) * 16 + HexValue(low));
  }
  return bytes;
}

int MemoryGaugePercent(const LoggerStatus& status) {
  if (status.figure2 == 0) return 0;
  // Both figures fit in 40 bits: the product with 100 cannot overflow 64 bits.
  const std::uint64_t percent = status.figure1 * 100 / status.figure2;
  return static_cast<int>(std::min<std::uint64_t>(percent, 100));
}

std::string MemorySizeCaption(const LoggerStatus& status) {
  return std::to_string(status.figure1) + "k Bytes";
}

std::string MemoryUsedCaption(const LoggerStatus& status) {
  const std::string used = "used " + std::to_string(status.figure1);
  return status.figure2 == 0 ? used + " kB"
                             : used + " of " + std::to_string(status.figure2) + " kB";
}

}  // namespace orvane
