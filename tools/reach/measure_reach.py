#!/usr/bin/env python3
"""How far the logic engine gets on a rated puzzle list, and whether every step it takes is true.

    tools/reach/measure_reach.py PUZZLES [RATINGS] [--cli build/tessaran-cli]

PUZZLES and RATINGS are read as tools/rated_list.py describes. Runs `tessaran-cli why` for
each puzzle's unique solution and `tessaran-cli teach` for its steps; reports the share solved to
the end without a trial per rating band and per technique, and every placement or elimination
that contradicts the solution. Exit status 1 when any step is wrong or a puzzle is not unique.
"""
import argparse
import collections
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import rated_list  # noqa: E402  (tools/rated_list.py)

BANDS = [(0.0, 1.5), (1.6, 2.5), (2.6, 4.0), (4.1, 6.0), (6.1, 7.0), (7.1, 8.0), (8.1, 9.0), (9.1, 12.0)]
STEP = re.compile(r"r(\d)c(\d)([=-])(\d)")


def run(cli, command, text):
    return subprocess.run([cli, command], input=text, capture_output=True, text=True, check=False).stdout


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    rated_list.add_arguments(parser)
    args = parser.parse_args()
    puzzles, ratings = rated_list.load(args)
    text = "\n".join(puzzles) + "\n"

    solutions = []
    for line in run(args.cli, "why", text).splitlines():
        verdict, *rest = line.split()
        if verdict != "unique":
            sys.exit(f"puzzle {len(solutions) + 1} is not unique: {line}")
        solutions.append(rest[0])

    wrong = 0
    results = []  # (outcome, techniques used in order of first use)
    used = []
    index = 0
    for line in run(args.cli, "teach", text).splitlines():
        word = line.split(" ", 1)[0]
        if "\t" not in line and word in ("solved", "stuck", "deadend"):
            results.append((word, used))
            used, index = [], index + 1
            continue
        technique, placements, eliminations, sentence = line.split("\t")
        if technique not in used:
            used.append(technique)
        for field in (placements, eliminations):
            for row, column, sign, value in STEP.findall(field):
                right = solutions[index][(int(row) - 1) * 9 + int(column) - 1] == value
                if right != (sign == "="):
                    wrong += 1
                    print(f"WRONG puzzle {index + 1}: {technique} r{row}c{column}{sign}{value}: {sentence}")
    if len(results) != len(puzzles):
        sys.exit(f"teach answered {len(results)} of {len(puzzles)} puzzles")

    print(f"{len(puzzles)} puzzles, {sum(r[0] == 'solved' for r in results)} solved without a trial, "
          f"{wrong} wrong steps")
    print("\nSER band      puzzles  solved  share")
    for low, high in BANDS:
        band = [r for r, rating in zip(results, ratings) if low <= rating <= high]
        if band:
            solved = sum(r[0] == "solved" for r in band)
            print(f"{low:4.1f}-{high:4.1f}  {len(band):9d}  {solved:6d}  {100 * solved / len(band):5.1f} %")
    for label, keep in (("SER <= 6.0", lambda x: x <= 6.0), ("all", lambda x: True)):
        group = [r for r, rating in zip(results, ratings) if keep(rating)]
        solved = sum(r[0] == "solved" for r in group)
        print(f"{label:10s}  {len(group):9d}  {solved:6d}  {100 * solved / len(group):5.1f} %")

    order = ["single", "hidden-single", "naked-pair", "naked-triple", "naked-quad", "pointing", "claiming",
             "hidden-pair", "hidden-triple", "hidden-quad", "x-wing", "swordfish", "jellyfish", "xy-wing",
             "xyz-wing", "w-wing", "x-chain", "xy-chain", "aic", "forcing-chain"]
    using = collections.Counter(t for _, u in results for t in u)
    solved_using = collections.Counter(t for o, u in results if o == "solved" for t in u)
    hardest = collections.Counter(max(u, key=order.index) for o, u in results if o == "solved" and u)
    print("\ntechnique       puzzles using  of them solved  share  solved with it as hardest")
    for t in order:
        if using[t]:
            print(f"{t:15s} {using[t]:13d}  {solved_using[t]:14d}  {100 * solved_using[t] / using[t]:5.1f} %"
                  f"  {hardest[t]:6d} ({100 * hardest[t] / len(puzzles):.1f} % of all)")
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main())
