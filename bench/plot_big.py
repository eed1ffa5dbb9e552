# SPDX-License-Identifier: GPL-3.0-or-later
"""The list plot of a long data file (20,000,000 records by default): the window's replay
and orvane-cli plot, time and peak memory above the program's start, per record; written
as Google Benchmark JSON for report.py.

usage: plot_big.py PLOT_MEMORY_PROBE ORVANE_CLI FOLDER OUT_JSON [RECORDS]

The data file (one record a second, a daylight curve, ten readings over range) is written
into FOLDER by the probe. The window's figures come from the probe, which reads the file as
the panel's Open does, replays it into a 1280 x 720 window and reads its own peak resident
memory; it also times drawing the same records off screen, as orvane-cli plot draws them.
orvane-cli plot is run as a whole process: its peak above the start is its peak for this
file less its peak for a file of two records (the libraries, fonts and image it needs
whatever the file).
"""
import json
import os
import subprocess
import sys
import time


def peak_run(cmd, report):
    """Wall seconds and peak resident bytes of one run of cmd."""
    start = time.perf_counter()
    subprocess.run(["/usr/bin/time", "-f", "%M", "-o", report] + cmd, check=True,
                   stdout=subprocess.DEVNULL)
    wall = time.perf_counter() - start
    with open(report) as f:
        return wall, int(f.read().split()[-1]) * 1024


def main():
    probe, cli, folder, out = sys.argv[1:5]
    n = int(sys.argv[5]) if len(sys.argv) > 5 else 20000000
    os.makedirs(folder, exist_ok=True)
    big = os.path.join(folder, f"plot-{n}.lms")
    tiny = os.path.join(folder, "plot-2.lms")
    if not os.path.exists(big):
        subprocess.run([probe, "write", str(n), big], check=True)
    subprocess.run([probe, "write", "2", tiny, "0"], check=True)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    window = json.loads(subprocess.run([probe, "window", big], check=True, env=env,
                                       capture_output=True, text=True).stdout)
    image = os.path.join(folder, "plot-out.png")
    report = os.path.join(folder, "plot-time")
    wall, peak = peak_run([cli, "plot", big, "--out", image, "--size", "1280x720"], report)
    _, base = peak_run([cli, "plot", tiny, "--out", image, "--size", "1280x720"], report)
    per_record = (peak - base) / n
    benchmarks = [
        {"run_name": "PlotWindowReplayBig", "real_time": window["replay_ms"],
         "bytes_per_record": window["bytes_per_record"], "cpu_ms": window["replay_cpu_ms"]},
        {"run_name": "PlotImageBig", "real_time": window["image_ms"],
         "cpu_ms": window["image_cpu_ms"]},
        {"run_name": "CliPlotBig", "real_time": wall * 1e3, "bytes_per_record": per_record,
         "peak_bytes": peak},
    ]
    for b in benchmarks:
        b.update({"aggregate_name": "median", "time_unit": "ms"})
    with open(out, "w") as f:
        json.dump({"benchmarks": benchmarks}, f)
    print(f"list plot of {n} records: window read {window['read_ms']:.0f} ms, replay "
          f"{window['replay_ms']:.0f} ms ({window['replay_cpu_ms']:.0f} ms processor time), "
          f"{window['bytes_per_record']:.1f} bytes/record above start; off-screen image "
          f"{window['image_ms']:.0f} ms ({window['image_cpu_ms']:.0f} ms processor); orvane-cli plot "
          f"{wall * 1e3:.0f} ms in all, peak {peak / 1e6:.0f} MB, {per_record:.1f} bytes/record "
          f"above its start ({base / 1e6:.1f} MB)", file=sys.stderr)


if __name__ == "__main__":
    main()
