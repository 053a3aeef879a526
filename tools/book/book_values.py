#!/usr/bin/env python3
"""Values the moves of the opening book, assets/dat/zyouseki.txt, for the game
review, and writes them to assets/dat/zyouseki-values.txt.

The values come from a tree of played lines: every prefix of up to --depth
moves that at least --search-games different training games played, every
named opening and every book line with their prefixes. Each leaf of that tree
is valued by the search of kerna-engine at --search-level without its book
(the value of the best move for the side to move), and the values are backed
up through the tree by negamax: a move is worth to its mover the negative of
the best reply's worth. A book move's value is its node's value in that tree.

The file has one text line per book line: the number of the line's first move
that the line before does not share, then the values of that move and of every
later move, each in discs for the side that played it ("3 +0.5 -0.5 +1.0").
Standard library only; the output is the same bytes on every run with the same
engine, evaluation data and options.
"""

import argparse
import collections
import os
import subprocess
import sys
import threading
import time

from make_book import has_legal_move, load_games, load_openings, play_moves, read_lines, \
    split_moves


START_BOARD = "-" * 27 + "O*" + "-" * 6 + "*O" + "-" * 27  # a1..h8, as the protocol writes it


def replay(moves):
    """Plays the moves from the standard start with the pass rule.

    Returns (movers, to_move): the side (0 black, 1 white) that made each move
    and the side to move after the last one (None when neither side can move),
    or None when a move is malformed or illegal.
    """
    played = play_moves(moves)
    if played is None:
        return None
    movers, discs, side = played
    if not has_legal_move(discs[side], discs[1 - side]):
        side = 1 - side if has_legal_move(discs[1 - side], discs[side]) else None
    return movers, side


def count_prefixes(games, depth):
    """How many different games played each prefix of up to `depth` moves."""
    counts = collections.Counter()
    for text in sorted(set(games)):
        for ply in range(1, min(depth, len(text) // 2) + 1):
            counts[text[:2 * ply]] += 1
    return counts


class Tree:
    """Prefixes (strings of moves) with their children and who made each move."""

    def __init__(self, nodes):
        self.nodes = set(nodes)
        self.children = collections.defaultdict(list)
        for node in sorted(self.nodes):
            if len(node) > 2:
                self.children[node[:-2]].append(node)
        self.leaves = sorted(n for n in self.nodes if not self.children[n])
        self.mover = {}  # node -> the side that made its last move
        self.to_move = {}  # leaf -> the side to move there
        for leaf in self.leaves:
            replayed = replay(split_moves(leaf))
            if replayed is None:
                sys.exit(f"not a legal line: {leaf}")
            movers, self.to_move[leaf] = replayed
            for ply, side in enumerate(movers, start=1):
                self.mover[leaf[:2 * ply]] = side


def grow_tree(counts, lines, min_games, depth):
    """Every prefix that at least min_games games played, and every prefix of `lines`."""
    nodes = {p for p, n in counts.items() if n >= min_games and len(p) <= 2 * depth}
    for moves in lines:
        nodes.update(moves[:2 * ply] for ply in range(1, len(moves) // 2 + 1))
    return Tree({n for n in nodes if n.startswith("f5")})


def game_record(line, movers, to_move):
    """The line as the protocol's game record, passes written out."""
    text = "(;GM[Othello]PC[kerna book]PB[b]PW[w]RE[?]TI[0]TY[8]BO[8 %s *]" % START_BOARD
    expected = 0
    for move, side in zip(split_moves(line), movers):
        if side != expected:
            text += "%s[PA]" % "BW"[expected]
        text += "%s[%s]" % ("BW"[side], move.upper())
        expected = 1 - side
    if to_move is not None and to_move != expected:
        text += "%s[PA]" % "BW"[expected]
    return text + ";)"


class Searcher:
    """One kerna-engine process, asked for its hint without the book."""

    def __init__(self, engine, data, level):
        self.proc = subprocess.Popen(
            [engine, "--level", str(level), "--no-book", "--data", data],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, bufsize=1)
        self.send("nboard 2")

    def send(self, line):
        self.proc.stdin.write(line + "\n")
        self.proc.stdin.flush()

    def best_value(self, record):
        """The value of the best move, in discs for the side to move (None when
        the engine gives none)."""
        self.send("set game " + record)
        self.send("hint 1")
        value = None
        while True:
            line = self.proc.stdout.readline()
            if not line:
                return None  # the engine ended
            line = line.strip()
            if line.startswith("search ") and value is None:
                value = float(line.split()[2])
            elif line == "status":
                return value

    def close(self):
        self.send("quit")
        self.proc.wait(timeout=30)


def search_leaves(leaves, tree, args, cache):
    """Each leaf's value for the side that made its last move, by the search.

    Every value found is also appended to `cache` (a file object or None) at
    once, so that a stopped run loses nothing."""
    values = {}
    lock = threading.Lock()
    started = time.time()

    failures = []  # a thread's sys.exit would end only the thread

    def work(part):
        searcher = Searcher(args.engine, args.tables, args.search_level)
        for leaf in part:
            movers = [tree.mover[leaf[:i]] for i in range(2, len(leaf) + 1, 2)]
            to_move = tree.to_move[leaf]
            value = None
            if to_move is not None:
                value = searcher.best_value(game_record(leaf, movers, to_move))
            if value is None:
                failures.append(f"no search value after the line {leaf}")
                break
            with lock:
                values[leaf] = value if to_move == tree.mover[leaf] else -value
                if cache:
                    cache.write(f"{leaf} {values[leaf]}\n")
                    cache.flush()
                if len(values) % 1000 == 0:
                    print(f"  {len(values)} of {len(leaves)} searched, "
                          f"{time.time() - started:.0f} s", flush=True)
        searcher.close()

    jobs = args.jobs
    threads = [threading.Thread(target=work, args=(leaves[j::jobs],)) for j in range(jobs)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    if failures:
        sys.exit(failures[0])
    return values


def back_up(tree, leaf_values):
    """Negamax: every node's value for the side that made its last move."""
    values = dict(leaf_values)
    for node in sorted(tree.nodes, key=len, reverse=True):
        if node in values:
            continue
        kids = tree.children[node]
        best = max(values[k] for k in kids)
        same_side = tree.mover[kids[0]] == tree.mover[node]  # the other side had to pass
        values[node] = best if same_side else -best
    return values


def write_values(lines, values, path):
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


def read_cache(path):
    cache = {}
    if path and os.path.exists(path):
        for line in read_lines(path):
            moves, value = line.split()
            cache[moves] = float(value)
    return cache


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
                                                         "kerna-engine"))
    parser.add_argument("--tables", default=os.path.join(repo, "assets"),
                        help="the data folder (holding dat/) whose tables the search uses")
    parser.add_argument("--jobs", type=int, default=2, help="engine processes searching")
    parser.add_argument("--search-level", type=int, default=5,
                        help="the game level whose search values the leaves")
    parser.add_argument("--depth", type=int, default=20, help="moves the searched tree reaches")
    parser.add_argument("--search-games", type=int, default=5,
                        help="games that must have played a move for the searched tree")
    parser.add_argument("--leaf-cache", default="",
                        help="file of searched leaf values, read when present and appended to")
    args = parser.parse_args()

    started = time.time()
    openings = load_openings(os.path.join(args.data, "openings.tsv"))
    training, _ = load_games(os.path.join(args.data, "games"))
    with open(args.book, encoding="ascii") as f:
        book = [line.strip() for line in f if line.strip()]
    counts = count_prefixes(training, args.depth)
    tree = grow_tree(counts, book + [moves for _, moves in openings], args.search_games,
                     args.depth)
    cache = read_cache(args.leaf_cache)
    missing = [leaf for leaf in tree.leaves if leaf not in cache]
    print(f"games: {len(training)}; book: {len(book)} lines; searched tree: {len(tree.nodes)} "
          f"positions, {len(tree.leaves)} leaves ({len(missing)} to search at level "
          f"{args.search_level})", flush=True)
    leaf_values = {leaf: cache[leaf] for leaf in tree.leaves if leaf in cache}
    with open(args.leaf_cache, "a", encoding="ascii") if args.leaf_cache else \
            open(os.devnull, "w") as cache_file:
        leaf_values.update(search_leaves(missing, tree, args, cache_file))
    values = back_up(tree, leaf_values)
    write_values(book, values, args.out)
    print(f"value of f5 for black: {values['f5']:+.2f}; {args.out}; "
          f"time: {time.time() - started:.0f} s")


if __name__ == "__main__":
    main()
