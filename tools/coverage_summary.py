#!/usr/bin/env python3
"""Line and branch coverage per folder from gcovr's JSON summary (`make coverage`).

Usage: coverage_summary.py SUMMARY.json [BELOW]

Prints one row per folder (host/nls/ apart from the rest of host/) and one for the
whole tree, then every file whose line coverage is under BELOW per cent (default 90).
"""
import collections
import json
import sys


def folder_of(path):
    parts = path.split("/")
    if len(parts) > 2 and parts[0] == "host" and parts[1] == "nls":
        return "host/nls/"
    return parts[0] + "/" if len(parts) > 1 else "./"


def percent(covered, total):
    return f"{100.0 * covered / total:5.1f} %" if total else "    - "


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    with open(sys.argv[1], encoding="utf-8") as summary:
        files = json.load(summary)["files"]
    below = float(sys.argv[2]) if len(sys.argv) == 3 else 90.0

    # covered lines, lines, covered branches, branches
    sums = collections.defaultdict(lambda: [0, 0, 0, 0])
    for f in files:
        counts = (f["line_covered"], f["line_total"], f["branch_covered"], f["branch_total"])
        for key in (folder_of(f["filename"]), "whole tree"):
            sums[key] = [a + b for a, b in zip(sums[key], counts)]

    print(f"{'folder':<12} {'lines':<24} branches")
    rows = sorted(k for k in sums if k != "whole tree") + ["whole tree"]
    for key in rows:
        lines, line_total, branches, branch_total = sums[key]
        print(f"{key:<12} {percent(lines, line_total)} {lines:>6,} of {line_total:>6,}   "
              f"{percent(branches, branch_total)} {branches:>6,} of {branch_total:>6,}")

    low = [f for f in files
           if f["line_total"] and 100.0 * f["line_covered"] / f["line_total"] < below]
    print(f"files under {below:g} % line coverage:" + ("" if low else " none"))
    for f in sorted(low, key=lambda f: f["filename"]):
        print(f"  {f['filename']:<44} {percent(f['line_covered'], f['line_total'])} "
              f"({f['line_covered']} of {f['line_total']} lines)")


if __name__ == "__main__":
    main()
