// SPDX-License-Identifier: GPL-3.0-or-later
// One poll tick's decoding and model update, as the panel runs it four times a second:
// a normal display frame, and a setting-mode frame with its blink frame.

#include <benchmark/benchmark.h>

#include "display/frame_replay.h"

namespace {

orvane::Report NormalFrame(int tick) {
  orvane::Report f{};
  f[1] = 1, f[2] = tick % 10, f[3] = 3, f[4] = (tick / 10) % 10, f[5] = 2, f[6] = 1, f[7] = 1;
  f[8] = 1, f[9] = 2, f[10] = 3, f[11] = 2, f[12] = 0, f[13] = 1, f[14] = 2, f[15] = 4;
  f[16] = 1, f[17] = 5, f[18] = tick % 10, f[19] = 2, f[23] = 1, f[21] = tick & 1, f[60] = 21;
  return f;
}

void BM_NormalTick(benchmark::State& state) {
  orvane::FrameDecoder decoder;
  const orvane::Report blink{};
  int tick = 0;
  for (auto _ : state) {
    orvane::DecodeTick(decoder, NormalFrame(++tick), &blink);
    benchmark::DoNotOptimize(decoder.Model().TakeChangedIds());
  }
}
BENCHMARK(BM_NormalTick);

void BM_SettingModeTick(benchmark::State& state) {
  orvane::FrameDecoder decoder;
  orvane::Report frame = NormalFrame(0);
  frame[45] = 1;
  orvane::Report blink{};
  blink[1] = 1, blink[2] = 80, blink[3] = 5, blink[4] = 2;
  for (auto _ : state) {
    orvane::DecodeTick(decoder, frame, &blink);
    benchmark::DoNotOptimize(decoder.Model().TakeChangedIds());
  }
}
BENCHMARK(BM_SettingModeTick);

}  // namespace
