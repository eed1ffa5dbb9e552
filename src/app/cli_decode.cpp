// SPDX-License-Identifier: GPL-3.0-or-later
// orvane-cli decode: the panel's LCD after a sequence of captured meter replies.

#include <cstdio>
#include <iostream>

#include "app/cli.h"
#include "display/display_listing.h"

namespace orvane::cli {

namespace {

int RunDecode(const Args& args) {
  std::string error;
  const auto ticks = ParseCapturedTicks(args.words, error);
  if (!ticks) {
    std::fprintf(stderr, "orvane-cli decode: %s\n", error.c_str());
    return 2;
  }
  FrameDecoder decoder;
  DecodeCapturedTicks(decoder, *ticks);
  std::cout << DescribeDisplay(decoder);
  return 0;
}

}  // namespace

ORVANE_CLI_COMMAND(decode, "decode", "HEX [--blink HEX] [HEX [--blink HEX]]...",
                   "decode display frames (128 hex digits each, one per poll tick) and list "
                   "the panel's LCD",
                   {"blink"}, RunDecode, {}, 1, kAnyWords);

}  // namespace orvane::cli
