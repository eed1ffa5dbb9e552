# SPDX-License-Identifier: GPL-3.0-or-later
"""Times awk -F'\\t' finding the maximum and minimum of the main and cd readings of a data
file, the peer of BM_ReadRecordingFile, and writes the median as Google Benchmark JSON.

usage: awk_peer.py DATA_FILE OUT_JSON [REPETITIONS]

Records start on line 9; fields 4 and 5 are the main and cd readings. Like the program,
an over-range text (one with an "L") counts as full scale on top and not in the minimum,
and a "K" multiplies by 1000.
"""
import json
import statistics
import subprocess
import sys
import time

FULL_SCALE = 9999000.0
PROGRAM = r"""
BEGIN { mainMax = 0; mainMin = FS_MAX; cdMax = 0; cdMin = FS_MAX }
NR >= 9 && NF >= 6 {
  if ($4 ~ /L/) mainMax = FS_MAX
  else { v = $4 + 0; if ($4 ~ /K/) v *= 1000; if (v > mainMax) mainMax = v; if (v < mainMin) mainMin = v }
  if ($5 ~ /L/) cdMax = FS_MAX
  else { v = $5 + 0; if ($5 ~ /K/) v *= 1000; if (v > cdMax) cdMax = v; if (v < cdMin) cdMin = v }
}
END { print mainMax, mainMin, cdMax, cdMin }
"""


def main():
    path, out = sys.argv[1], sys.argv[2]
    repetitions = int(sys.argv[3]) if len(sys.argv) > 3 else 5
    cmd = ["awk", "-F\t", "-v", f"FS_MAX={FULL_SCALE:.0f}", PROGRAM, path]
    times, answer = [], ""
    for _ in range(repetitions):
        start = time.perf_counter()
        answer = subprocess.run(cmd, check=True, capture_output=True, text=True).stdout
        times.append(time.perf_counter() - start)
    main_max, main_min, cd_max, cd_min = (float(x) for x in answer.split())
    median = statistics.median(times)
    result = {"benchmarks": [{
        "run_name": "AwkMaxMin", "aggregate_name": "median", "time_unit": "ms",
        "real_time": median * 1e3,
        # The program's limits are these extremes 5 beyond, within 0 and full scale.
        "LuxMax": min(main_max + 5, FULL_SCALE), "LuxMin": max(main_min - 5, 0.0),
    }]}
    with open(out, "w") as f:
        json.dump(result, f)
    print(f"awk: max {main_max:g} min {main_min:g} (cd {cd_max:g} / {cd_min:g}), "
          f"median {median * 1e3:.0f} ms of {repetitions}", file=sys.stderr)


if __name__ == "__main__":
    main()
