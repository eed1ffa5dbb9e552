# SPDX-License-Identifier: GPL-3.0-or-later
"""Times the start-up probe from launch to its first painted panel and writes the median
as Google Benchmark JSON (StartupToFirstPaint).

usage: startup_run.py PROBE OUT_JSON [REPETITIONS]
"""
import json
import os
import statistics
import subprocess
import sys
import time


def one_run(probe):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    start = time.perf_counter()
    with subprocess.Popen([probe], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
                          env=env) as p:
        line = p.stdout.readline()
        elapsed = time.perf_counter() - start
        p.wait()
    if not line.startswith("first paint"):
        raise SystemExit(f"{probe} printed no first paint")
    return elapsed, float(line.split()[2])


def main():
    probe, out = sys.argv[1], sys.argv[2]
    repetitions = int(sys.argv[3]) if len(sys.argv) > 3 else 5
    one_run(probe)  # the first run loads the libraries and fonts into the page cache
    runs = [one_run(probe) for _ in range(repetitions)]
    launch = statistics.median(r[0] for r in runs)
    in_main = statistics.median(r[1] for r in runs)
    with open(out, "w") as f:
        json.dump({"benchmarks": [{"run_name": "StartupToFirstPaint", "aggregate_name": "median",
                                   "time_unit": "ms", "real_time": launch * 1e3}]}, f)
    print(f"start-up: launch to first paint {launch * 1e3:.0f} ms "
          f"({in_main:.0f} ms of it after main), median of {repetitions}", file=sys.stderr)


if __name__ == "__main__":
    main()
