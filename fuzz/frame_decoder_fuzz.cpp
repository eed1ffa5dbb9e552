// SPDX-License-Identifier: GPL-3.0-or-later
// Every byte value in every position of the display and blink frames must decode
// without a crash, and leave the LCD within its promises.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "display/frame_replay.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  orvane::FrameDecoder decoder;
  orvane::ReplayTicks(decoder, std::span<const std::uint8_t>(data, size));
  const std::string broken = orvane::CheckDecoderInvariants(decoder);
  if (!broken.empty()) {
    std::fprintf(stderr, "%s\n", broken.c_str());
    std::abort();
  }
  return 0;
}
