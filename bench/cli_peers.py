# SPDX-License-Identifier: GPL-3.0-or-later
"""Times orvane-cli info, export and plot as whole processes beside mawk doing the same
work, side by side in one run, and writes the medians (wall time, peak resident memory)
as Google Benchmark JSON for report.py.

usage: cli_peers.py ORVANE_CLI MILLION_LMS OUT_JSON [REPETITIONS]

MILLION_LMS is the 1,000,000-record file of recording_read_bench; a 5,000,000-record file
of the same form is written beside it. The peers: mawk -F'\\t' finding the same maxima
and minima as info, and mawk writing the same six CSV columns as export (times rewritten
to ISO 8601). Peak memory is the command's own maximum resident set, as /usr/bin/time
reports it (a forked Python would count its own pages too).
"""
import json
import os
import shutil
import statistics
import subprocess
import sys
import time

import awk_peer

FULL_SCALE = 9999000
# The maxima and minima as the awk peer of the reader computes them.
MAX_MIN = awk_peer.PROGRAM
CSV = r"""
BEGIN { printf "No.,Time (ISO 8601),Lux,Lux over range,cd,cd over range\r\n" }
NR >= 9 && NF >= 6 {
  t = $3; gsub("/", "-", t); sub(" ", "T", t)
  if ($4 ~ /L/) { m = ""; mo = 1 } else { m = $4 + 0; if ($4 ~ /K/) m *= 1000; mo = 0 }
  if ($5 ~ /L/) { c = ""; co = 1 } else { c = $5 + 0; if ($5 ~ /K/) c *= 1000; co = 0 }
  printf "%d,%s%s,%s,%d,%s,%d\r\n", NR - 8, t, OFFSET, m, mo, c, co
}
"""
READINGS = ["523.1", "1.25K", "88.8", "OL", "0.05", "9999"]


def write_records(path, n):
    """A data file of n records in the recorder's form, as recording_read_bench writes."""
    with open(path, "w", newline="") as f:
        f.write("-\r\n-\r\n-\r\n-\tTotal Records : %d\r\n-\tDistance :      m\r\n-\t\r\n" % n)
        f.write("-\t      No.s\t      Date Time    \t  Lux\t   cd\r\n-\t" + "-" * 53 + "\r\n")
        lines = []
        for k in range(1, n + 1):
            r = READINGS[k % 6]
            lines.append("-\t%10d\t2024/05/17 %02d:%02d:%02d\t%6s\t%6s\t\r\n" %
                         (k, k // 3600 % 24, k // 60 % 60, k % 60, r, r))
            if len(lines) == 100000:
                f.write("".join(lines))
                lines = []
        f.write("".join(lines))


def run(cmd, stdout, report):
    """Wall seconds and peak resident bytes of one run of cmd."""
    start = time.perf_counter()
    p = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", report] + cmd, stdout=stdout,
                       stderr=subprocess.PIPE)
    wall = time.perf_counter() - start
    if p.returncode != 0:
        sys.exit(f"{' '.join(cmd)} failed ({p.returncode}): {p.stderr.decode()}")
    with open(report) as f:
        return wall, int(f.read().split()[-1]) * 1024


def main():
    cli, million, out = sys.argv[1], sys.argv[2], sys.argv[3]
    reps = int(sys.argv[4]) if len(sys.argv) > 4 else 5
    awk = shutil.which("mawk") or "awk"
    folder = os.path.dirname(os.path.abspath(million))
    five = os.path.join(folder, "five-million.lms")
    if not os.path.exists(five):
        write_records(five, 5000000)
    tmp = os.path.join(folder, "peers-out")
    os.makedirs(tmp, exist_ok=True)
    offset = time.strftime("%z")
    offset = offset[:3] + ":" + offset[3:]
    figures = {}
    for label, path in (("", million), ("Five", five)):
        cases = {
            f"CliInfo{label}": ([cli, "info", path], None),
            f"CliExport{label}": ([cli, "export", path, "--csv", f"{tmp}/o.csv"], None),
            f"CliPlot{label}": ([cli, "plot", path, "--out", f"{tmp}/o.png", "--size", "1280x720"],
                                None),
        }
        if not label:
            cases["MawkMaxMin"] = ([awk, "-F\t", "-v", f"FS_MAX={FULL_SCALE}", MAX_MIN, path], None)
            cases["MawkCsv"] = ([awk, "-F\t", "-v", f"OFFSET={offset}", CSV, path], f"{tmp}/m.csv")
        runs = {name: [] for name in cases}
        for _ in range(reps):  # side by side: one run of each per round
            for name, (cmd, target) in cases.items():
                with open(target or os.devnull, "w") as sink:
                    runs[name].append(run(cmd, sink, f"{tmp}/time"))
        for name, got in runs.items():
            figures[name] = (statistics.median(w for w, _ in got),
                             statistics.median(m for _, m in got))
    shutil.rmtree(tmp, ignore_errors=True)
    benchmarks = []
    for name, (wall, peak) in figures.items():
        benchmarks.append({"run_name": name, "aggregate_name": "median", "time_unit": "ms",
                           "real_time": wall * 1e3, "peak_bytes": peak})
        print(f"{name:16} {wall * 1e3:8.0f} ms  {peak / 1e6:7.1f} MB", file=sys.stderr)
    with open(out, "w") as f:
        json.dump({"benchmarks": benchmarks}, f)


if __name__ == "__main__":
    main()
