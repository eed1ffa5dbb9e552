"""Prints the medians of Google Benchmark JSON files as one table with their targets.

targets.tsv: name<TAB>target in ns<TAB>peer name (optional)<TAB>what it measures.
"""
import json
import sys


def load_medians(paths):
    medians = {}
    for path in paths:
        with open(path) as f:
            for b in json.load(f)["benchmarks"]:
                if b.get("aggregate_name") == "median":
                    scale = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[b["time_unit"]]
                    medians[b["run_name"]] = b["real_time"] * scale
    return medians


def human(ns):
    for unit, size in (("s", 1e9), ("ms", 1e6), ("us", 1e3)):
        if ns >= size:
            return f"{ns / size:.3g} {unit}"
    return f"{ns:.3g} ns"


def main():
    targets = {}
    with open(sys.argv[1]) as f:
        for line in f:
            if line.strip() and not line.startswith("#"):
                name, target, peer, what = (line.rstrip("\n").split("\t") + [""] * 4)[:4]
                targets[name] = (float(target) if target else None, peer, what)
    medians = load_medians(sys.argv[2:])
    print(f"{'figure':58} {'median':>10} {'target':>10} {'met':>4} {'peer ratio':>11}")
    for name, median in sorted(medians.items()):
        target, peer, what = targets.get(name, (None, "", ""))
        met = "" if target is None else ("yes" if median <= target else "NO")
        ratio = f"{medians[peer] / median:.1f}x" if peer in medians else ""
        label = what or name
        print(f"{label[:58]:58} {human(median):>10} {human(target) if target else '':>10} "
              f"{met:>4} {ratio:>11}")


if __name__ == "__main__":
    main()
