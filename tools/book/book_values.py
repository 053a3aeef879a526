#!/usr/bin/env python3
"""Values the moves of the opening book, assets/dat/zyouseki.txt, for the game
review, and writes them to assets/dat/zyouseki-values.txt.

The values are those of the searched tree of played lines that the book is
chosen from (searched_tree.py), with every book line and its prefixes in the
tree: a book move's value is its node's negamax value there.

The file has one text line per book line: the number of the line's first move
that the line before does not share, then the values of that move and of every
later move, each in discs for the side that played it ("3 +0.5 -0.5 +1.0").
Standard library only; the output is the same bytes on every run with the same
engine, evaluation data and options.
"""

import argparse
import os
import time

from make_book import load_games, load_openings
import searched_tree


def write_book_values(lines, values, path):
    """Per book line: the number of its first move not on the line before, then
    the values of that move and the ones after it, each for the side that played
    it, in discs."""
    with open(path, "wb") as f:
        previous = ""
        for line in lines:
            first = 1
            while 2 * first <= min(len(line), len(previous)) and \
                    line[:2 * first] == previous[:2 * first]:
                first += 1
            fields = [str(first)] + ["%+.1f" % values[line[:2 * ply]]
                                     for ply in range(first, len(line) // 2 + 1)]
            f.write(" ".join(fields).encode("ascii") + b"\r\n")
            previous = line


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    repo = os.path.dirname(os.path.dirname(here))
    dat = os.path.join(repo, "assets", "dat")
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--data", default="/work/shared/data",
                        help="folder with openings.tsv and games/")
    parser.add_argument("--book", default=os.path.join(dat, "zyouseki.txt"))
    parser.add_argument("--out", default=os.path.join(dat, "zyouseki-values.txt"))
    parser.add_argument("--engine", default=os.path.join(repo, "build", "src", "app",
                                                         "kerna-engine"),
                        help="the engine that searches positions missing from the values file")
    parser.add_argument("--tables", default=os.path.join(repo, "assets"),
                        help="the data folder (holding dat/) whose tables the search uses")
    parser.add_argument("--jobs", type=int, default=2, help="engine processes searching")
    args = parser.parse_args()

    started = time.time()
    openings = load_openings(os.path.join(args.data, "openings.tsv"))
    training, _ = load_games(os.path.join(args.data, "games"))
    with open(args.book, encoding="ascii") as f:
        book = [line.strip() for line in f if line.strip()]
    counts = searched_tree.count_prefixes(training)
    tree = searched_tree.grow_tree(counts, book + [moves for _, moves in openings])
    searched = searched_tree.read_values()
    print(f"games: {len(training)}; book: {len(book)} lines; searched tree: "
          f"{len(tree.nodes)} positions", flush=True)
    searched_tree.search_missing(tree, args.engine, args.tables, args.jobs, searched)
    values = searched_tree.back_up(tree, searched, searched_tree.mover_bias(tree, searched))
    write_book_values(book, values, args.out)
    print(f"value of f5 for black: {values['f5']:+.2f}; {args.out}; "
          f"time: {time.time() - started:.0f} s")


if __name__ == "__main__":
    main()
