# SPDX-License-Identifier: GPL-3.0-or-later
"""Counts how often the panel's process wakes with the live graph and the live list open,
thread by thread: `orvane --simulate --show graph,list` runs headless for a warm-up, then
the voluntary context switches of each thread (from /proc) are counted over a measuring
span. Each is one sleep of that thread and so one wake-up (switches forced by other
programs on a busy machine are left out). Prints a table and, with
OUT_JSON, writes the total per second as Google Benchmark JSON (PanelWakeupsPerSecond).

usage: wakeups.py ORVANE [SECONDS] [OUT_JSON]
ORVANE_WAKEUP_WINDOWS (default graph,list) names the windows opened instead.
"""
import json
import os
import subprocess
import sys
import tempfile
import time
from collections import defaultdict

# Long enough for the list to fill its table, so that its scroll bar takes part.
WARM_UP = float(os.environ.get("ORVANE_WAKEUP_WARM_UP", "60"))


def switches(pid):
    """Context switches so far by thread: {tid: (name, count)}."""
    counts = {}
    for tid in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{tid}/comm") as f:
                name = f.read().strip()
            n = 0
            with open(f"/proc/{pid}/task/{tid}/status") as f:
                for line in f:
                    if line.startswith("voluntary_ctxt_switches"):
                        n += int(line.split()[1])
            counts[tid] = (name, n)
        except FileNotFoundError:
            pass  # the thread ended
    return counts


def measure(program, seconds):
    with tempfile.TemporaryDirectory() as work:
        env = dict(os.environ, QT_QPA_PLATFORM=os.environ.get("QT_QPA_PLATFORM", "offscreen"),
                   ORVANE_TEMP_DIR=os.path.join(work, "temp"))
        windows = os.environ.get("ORVANE_WAKEUP_WINDOWS", "graph,list")
        args = [program, "--simulate"] + (["--show", windows] if windows else []) + [
            "--settings", os.path.join(work, "settings.ini")]
        with subprocess.Popen(args, env=env, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL) as p:
            try:
                time.sleep(WARM_UP)
                before = switches(p.pid)
                time.sleep(seconds)
                after = switches(p.pid)
            finally:
                p.terminate()
                p.wait(timeout=10)
    per_thread = defaultdict(float)
    for tid, (name, n) in after.items():
        per_thread[f"{name} ({tid})"] = (n - before.get(tid, (name, 0))[1]) / seconds
    return per_thread


def main():
    program = sys.argv[1]
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 20.0
    per_thread = measure(program, seconds)
    total = sum(per_thread.values())
    windows = os.environ.get("ORVANE_WAKEUP_WINDOWS", "graph,list") or "none"
    print(f"wake-ups per second, windows open: {windows}, over {seconds:.0f} s:")
    for name, rate in sorted(per_thread.items(), key=lambda kv: -kv[1]):
        print(f"  {rate:6.1f}  {name}")
    print(f"  {total:6.1f}  total (target: at most 20)")
    if len(sys.argv) > 3:
        with open(sys.argv[3], "w") as f:
            json.dump({"benchmarks": [{"run_name": "PanelWakeupsPerSecond",
                                       "aggregate_name": "median", "time_unit": "ns",
                                       "real_time": total}]}, f)


if __name__ == "__main__":
    main()
