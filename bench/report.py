# SPDX-License-Identifier: GPL-3.0-or-later
"""Prints the medians of Google Benchmark JSON files as one table with their targets.

targets.tsv columns (TAB-separated):
  name         a benchmark's run name; run_name:counter for a counter that is a time per
               item (in seconds, as Google Benchmark gives an inverted rate); or
               run_name#counter for a counter that is a plain count
  target (ns)  the median must not exceed it (optional)
  peer         another figure of the table; the ratio shown is peer median / this median
  peer ratio   the ratio must reach it (optional)
  description  what the figure measures
"""
import json
import sys


def load_medians(paths):
    """Medians in ns by run name, and the median aggregates' raw entries."""
    medians, entries = {}, {}
    for path in paths:
        with open(path) as f:
            for b in json.load(f)["benchmarks"]:
                if b.get("aggregate_name") == "median":
                    scale = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[b["time_unit"]]
                    medians[b["run_name"]] = b["real_time"] * scale
                    entries[b["run_name"]] = b
    return medians, entries


def figure(name, medians, entries):
    if name in medians:
        return medians[name]
    for mark, scale in ((":", 1e9), ("#", 1)):
        run, _, counter = name.partition(mark)
        if counter and counter in entries.get(run, {}):
            return entries[run][counter] * scale
    return None


def human(ns, name=""):
    if "#" in name:
        return f"{ns:.3g}"
    for unit, size in (("s", 1e9), ("ms", 1e6), ("us", 1e3)):
        if ns >= size:
            return f"{ns / size:.3g} {unit}"
    return f"{ns:.3g} ns"


def load_targets(path):
    targets = []
    with open(path) as f:
        for line in f:
            if line.strip() and not line.startswith("#"):
                cells = (line.rstrip("\n").split("\t") + [""] * 5)[:5]
                name, target, peer, ratio, what = cells
                targets.append((name, float(target) if target else None, peer,
                                float(ratio) if ratio else None, what))
    return targets


def main():
    targets = load_targets(sys.argv[1])
    medians, entries = load_medians(sys.argv[2:])
    listed = {t[0] for t in targets}
    targets += [(n, None, "", None, "") for n in sorted(medians) if n not in listed]
    print(f"{'figure':60} {'median':>10} {'target':>10} {'peer ratio':>13} {'met':>4}")
    for name, target, peer, min_ratio, what in targets:
        value = figure(name, medians, entries)
        if value is None:
            print(f"{(what or name)[:60]:60} {'not run':>10}")
            continue
        met = []
        if target is not None:
            met.append(value <= target)
        ratio = ""
        peer_value = figure(peer, medians, entries) if peer else None
        if peer_value:
            ratio = f"{peer_value / value:.2f}x"
            if min_ratio is not None:
                ratio += f" >={min_ratio:g}"
                met.append(peer_value / value >= min_ratio)
        shown_target = human(target, name) if target is not None else ""
        verdict = "" if not met else ("yes" if all(met) else "NO")
        print(f"{(what or name)[:60]:60} {human(value, name):>10} {shown_target:>10} {ratio:>13} "
              f"{verdict:>4}")
        if peer_value:
            check_answers(name, peer, entries)


def check_answers(name, peer, entries):
    """A figure and its peer that both give an answer (an upper-case counter such as
    LuxMax) must agree on it."""
    mine, theirs = entries.get(name, {}), entries.get(peer, {})
    for key in sorted(k for k in mine if k[:1].isupper() and k in theirs):
        if abs(mine[key] - theirs[key]) > 1e-6 * max(1.0, abs(mine[key])):
            print(f"  ! {name} and {peer} disagree on {key}: {mine[key]} and {theirs[key]}")


if __name__ == "__main__":
    main()
