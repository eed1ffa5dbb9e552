// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/report_descriptor.h"

#include <algorithm>
#include <map>
#include <vector>

namespace orvane {

namespace {

struct Globals {
  std::uint32_t reportSize = 0;   // bits per field
  std::uint32_t reportCount = 0;  // fields
  std::uint32_t reportId = 0;
};

constexpr std::uint64_t kMaxReportBits = 65535ull * 8;

std::uint32_t ItemValue(std::span<const std::uint8_t> data) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < data.size(); ++i) value |= std::uint32_t{data[i]} << (8 * i);
  return value;
}

int BytesWithId(std::uint64_t bits) {
  return bits == 0 ? 0 : static_cast<int>((bits + 7) / 8) + 1;
}

}  // namespace

std::optional<ReportLengths> ReportLengthsOf(std::span<const std::uint8_t> d) {
  Globals g;
  std::vector<Globals> stack;
  std::map<std::uint32_t, std::uint64_t> inputBits, outputBits;  // by report ID
  std::size_t i = 0;
  while (i < d.size()) {
    const std::uint8_t prefix = d[i];
    if (prefix == 0xfe) {  // long item: size byte, tag byte, data
      if (i + 2 >= d.size()) return std::nullopt;
      i += 3 + d[i + 1];
      if (i > d.size()) return std::nullopt;
      continue;
    }
    const std::size_t size = (prefix & 3) == 3 ? 4 : (prefix & 3);
    if (i + 1 + size > d.size()) return std::nullopt;
    const std::uint32_t value = ItemValue(d.subspan(i + 1, size));
    i += 1 + size;
    const std::uint8_t tag = prefix & 0xfc;
    switch (tag) {
      case 0x74:
        g.reportSize = value;
        break;
      case 0x94:
        g.reportCount = value;
        break;
      case 0x84:
        g.reportId = value;
        break;
      case 0xa4:
        stack.push_back(g);
        break;
      case 0xb4:
        if (stack.empty()) return std::nullopt;
        g = stack.back();
        stack.pop_back();
        break;
      case 0x80:
      case 0x90: {
        auto& bits = tag == 0x80 ? inputBits[g.reportId] : outputBits[g.reportId];
        bits += std::uint64_t{g.reportSize} * g.reportCount;
        if (bits > kMaxReportBits) return std::nullopt;
        break;
      }
      default:
        break;
    }
  }
  auto longest = [](const std::map<std::uint32_t, std::uint64_t>& m) {
    std::uint64_t most = 0;
    for (const auto& [id, bits] : m) most = std::max(most, bits);
    return BytesWithId(most);
  };
  return ReportLengths{longest(inputBits), longest(outputBits)};
}

}  // namespace orvane
