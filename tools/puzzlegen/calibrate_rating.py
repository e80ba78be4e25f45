#!/usr/bin/env python3
"""How well `tessaran-cli rate` ranks puzzles against a reference rating.

    tools/puzzlegen/calibrate_rating.py PUZZLES [RATINGS] [--cli build/tessaran-cli]

PUZZLES and RATINGS are read as tools/rated_list.py describes. Prints Spearman's rank
correlation of the game's rating with SER over all puzzles and among those rated 5.0 and up, and
per SER band the median rating and the hardest techniques. A puzzle the engine leaves `unsolved`
ranks above every rated one. Exit status 1 when a correlation misses its target (--overall,
--hard).

The rated list it was made for is GPL-3 and stays outside this repository: pass its path. The
script reads it and keeps nothing.
"""
import argparse
import collections
import os
import statistics
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import rated_list  # noqa: E402  (tools/rated_list.py)

BANDS = [("<= 2.5", 0.0, 2.5), ("2.6-4.9", 2.6, 4.9), ("5.0-7.0", 5.0, 7.0), ("> 7.0", 7.05, 99.0)]


def ranks(values):
    """Ranks from 1, ties sharing the mean of their places."""
    order = sorted(range(len(values)), key=lambda i: values[i])
    result = [0.0] * len(values)
    start = 0
    while start < len(order):
        end = start
        while end + 1 < len(order) and values[order[end + 1]] == values[order[start]]:
            end += 1
        for k in range(start, end + 1):
            result[order[k]] = (start + end) / 2 + 1
        start = end + 1
    return result


def spearman(a, b):
    ra, rb = ranks(a), ranks(b)
    ma, mb = statistics.fmean(ra), statistics.fmean(rb)
    cov = sum((x - ma) * (y - mb) for x, y in zip(ra, rb))
    var = sum((x - ma) ** 2 for x in ra) * sum((y - mb) ** 2 for y in rb)
    return cov / var ** 0.5 if var else 0.0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    rated_list.add_arguments(parser)
    parser.add_argument("--overall", type=float, default=0.92, help="target over all puzzles")
    parser.add_argument("--hard", type=float, default=0.70, help="target among SER >= 5.0")
    args = parser.parse_args()
    puzzles, ser = rated_list.load(args)

    answer = subprocess.run([args.cli, "rate"], input="\n".join(puzzles) + "\n", capture_output=True,
                            text=True, check=True).stdout.splitlines()
    if len(answer) != len(puzzles):
        sys.exit(f"rate answered {len(answer)} of {len(puzzles)} puzzles")
    rated = [line.split() for line in answer]
    top = max((int(r[0]) for r in rated if r[0] != "unsolved"), default=0)
    game = [top + 1 if r[0] == "unsolved" else int(r[0]) for r in rated]
    hardest = ["unsolved" if r[0] == "unsolved" else r[1] for r in rated]

    hard = [i for i, s in enumerate(ser) if s >= 5.0]
    overall = spearman(game, ser)
    among_hard = spearman([game[i] for i in hard], [ser[i] for i in hard])
    unsolved = hardest.count("unsolved")
    print(f"{len(puzzles)} puzzles, {unsolved} unsolved")
    print(f"Spearman over all:       {overall:.3f}  (target {args.overall})")
    print(f"Spearman among SER>=5.0: {among_hard:.3f}  (target {args.hard}, {len(hard)} puzzles)")
    print("\nSER band  puzzles  median rating  hardest techniques")
    for label, low, high in BANDS:
        band = [i for i, s in enumerate(ser) if low <= s <= high]
        if not band:
            continue
        median = statistics.median(game[i] for i in band)
        common = ", ".join(f"{t} {n}" for t, n in collections.Counter(hardest[i] for i in band).most_common(4))
        print(f"{label:8s}  {len(band):7d}  {median:13g}  {common}")
    return 0 if overall >= args.overall and among_hard >= args.hard else 1


if __name__ == "__main__":
    sys.exit(main())
