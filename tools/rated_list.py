"""A rated puzzle list and the built tessaran-cli, as the calibration and reach tools take them.

PUZZLES has one 81-character grid a line; RATINGS (default: PUZZLES with .txt replaced by
.ratings.tsv) is a tab-separated file with a header naming a column "SER" (Sudoku Explainer
rating), one row per puzzle in the same order.
"""
import os
import re
import sys


def add_arguments(parser):
    """PUZZLES, [RATINGS] and --cli, the arguments every rated-list tool takes."""
    parser.add_argument("puzzles")
    parser.add_argument("ratings", nargs="?")
    parser.add_argument("--cli", default=os.path.join(os.path.dirname(__file__), "../build/tessaran-cli"))


def read_ratings(path, count):
    with open(path) as f:
        header = f.readline().rstrip("\n").split("\t")
        column = header.index("SER")
        ratings = [float(line.split("\t")[column]) for line in f if line.strip()]
    if len(ratings) != count:
        sys.exit(f"{path}: {len(ratings)} ratings for {count} puzzles")
    return ratings


def load(args):
    """The puzzles and their SER ratings, in order; exits naming the file when they do not pair up."""
    with open(args.puzzles) as f:
        puzzles = [line.strip() for line in f if len(line.strip()) == 81]
    return puzzles, read_ratings(args.ratings or re.sub(r"\.txt$", ".ratings.tsv", args.puzzles), len(puzzles))
