#!/usr/bin/env python3
"""Makes the opening book assets/dat/zyouseki.txt from the named openings and
the recorded games in the shared data folder.

The book is grown from f5 through the searched tree of played lines
(searched_tree.py: every position that enough training games reached, valued
by the engine's search and backed up by negamax). At every position it keeps
each played move whose value is within --margin discs of the position's best
(the best of its played moves and of the search's own choice), so every move
the book can play there is one of the good moves, and an opponent's good reply
leads to a position where the book still answers. The replies to f5 are all
kept: the lookup never answers the first move. A position whose best move no
game played, by more than the margin, ends the book there.

When the kept tree has more leaves than the game's table holds, the lines are
the ones that together answer the most training games' moves (the long-path
decomposition of the kept tree, weighted by the games). Every named opening is
added too. Lines are written in the tree's order: at every position the moves
that at least TRUSTED_GAMES games played first, the better value first. Only
maximal lines are written, because the game's lookup matches prefixes: a line
that a longer kept line extends adds nothing.

Every tenth game of each games file is held out and used to measure how often
the book answers in the opening. Standard library only; the output is the same
bytes on every run with the same values file.
"""

import argparse
import collections
import os
import sys
import time

from board_lines import play_moves, read_lines, split_moves
import searched_tree

MAX_PLY = searched_tree.DEPTH
HOLD_OUT_EVERY = 10  # line i of a games file is held out when i % 10 == 9
REPORT_PLIES = 20
TRUSTED_GAMES = 20  # games behind a move whose value the book's own pick trusts
MARGIN = 6.0  # discs: about three times the spread of the search between siblings
TABLE_RECORDS = 7000  # the game's book table
# The loader reads the empty record after the last CR LF as a line of its own.
BOOK_CAPACITY = TABLE_RECORDS - 1


def replay(moves):
    """Returns (movers, black_result): the side (0 black, 1 white) that made
    each move and the final disc difference for black with the empty squares
    given to the winner, or None when a move is malformed or illegal.
    """
    played = play_moves(moves)
    if played is None:
        return None
    movers, discs, _ = played
    black, white = bin(discs[0]).count("1"), bin(discs[1]).count("1")
    empty = 64 - black - white
    result = black - white
    if black > white:
        result += empty
    elif white > black:
        result -= empty
    return movers, result


def load_games(games_dir):
    """Splits every games file into training and held-out games."""
    training, held_out = [], []
    for name in sorted(os.listdir(games_dir)):
        if not name.endswith(".txt"):
            continue
        for i, line in enumerate(read_lines(os.path.join(games_dir, name))):
            (held_out if i % HOLD_OUT_EVERY == HOLD_OUT_EVERY - 1 else training).append(line)
    return training, held_out


def load_openings(path):
    openings = []
    for i, line in enumerate(read_lines(path)):
        if i == 0:
            continue  # header
        name, moves = line.split("\t")
        openings.append((name, moves.lower()))
    return openings


class BookTree:
    """The book's positions, chosen by the searched tree's values; see the
    module's description."""

    def __init__(self, tree, values, counts, margin):
        self.tree = tree
        self.values = values
        self.counts = counts
        self.margin = margin

    def value_to_move(self, node):
        """The node's value for the side to move there."""
        tree = self.tree
        value = self.values[node]
        return value if tree.to_move[node] == tree.mover[node] else -value

    def good_moves(self, node):
        """The continuations of `node` the book keeps, best first."""
        kids = sorted(self.tree.children[node], key=lambda c: (-self.values[c], c))
        if len(node) == 2:
            # The reply to f5: never the book's own choice (the lookup answers from the
            # third move on), so every common one is covered.
            return kids
        best = self.value_to_move(node)
        return [c for c in kids if self.values[c] >= best - self.margin]

    def kept(self):
        """The positions reachable from f5 through good moves, and their children."""
        children = {}
        stack = ["f5"]
        while stack:
            node = stack.pop()
            children[node] = self.good_moves(node)
            stack.extend(children[node])
        return children

    def lines(self, capacity):
        """At most `capacity` lines (leaves of the kept tree) that together answer
        the most training games' moves 3 to MAX_PLY.

        A line answers at every position before its end, so a set of lines answers
        the union of their proper prefixes. Taking the paths of the long-path
        decomposition (every position continues into the child whose best path
        answers the most games) with the greatest gains is the best choice of
        `capacity` lines for that union."""
        children = self.kept()
        gain, heir = {}, {}
        for node in sorted(children, key=len, reverse=True):
            kids = children[node]
            if not kids:
                gain[node] = 0
                continue
            heir[node] = max(kids, key=lambda c: (gain[c], c))
            weight = self.counts[node] if len(node) // 2 < MAX_PLY else 0
            gain[node] = weight + gain[heir[node]]
        paths = []  # (gain, first position of the path)
        stack = ["f5"]
        while stack:
            start = stack.pop()
            paths.append((gain[start], start))
            node = start
            while node in heir:
                stack.extend(c for c in children[node] if c != heir[node])
                node = heir[node]
        paths.sort(key=lambda p: (-p[0], p[1]))
        found = []
        for _, node in paths[:capacity]:
            while node in heir:
                node = heir[node]
            found.append(node)
        return found


def tree_order(lines, values, counts):
    """Sort key: at every position the moves that at least TRUSTED_GAMES games
    played come first, the better value first. A rare move's value rests on a
    few searches of an unexplored position, a common one's on the searched
    replies below it; the lookup with the variety off plays the first of the
    longest lines, so it plays the best well-trodden move."""
    def key(line):
        return tuple((counts[line[:i]] < TRUSTED_GAMES, -values[line[:i]], line[i - 2:i])
                     for i in range(4, len(line) + 1, 2))
    return sorted(lines, key=key)


def maximal(lines):
    """Drops every line that is a proper prefix of another line."""
    kept = set(lines)
    for line in lines:
        for ply in range(1, len(line) // 2):
            kept.discard(line[:2 * ply])
    return kept


def build_book(book_tree, openings):
    """The tree's best lines and every named opening, within the table's capacity."""
    named = [moves for _, moves in openings]
    capacity = BOOK_CAPACITY
    while True:
        lines = maximal(book_tree.lines(capacity) + named)
        if len(lines) <= BOOK_CAPACITY:
            return tree_order(lines, book_tree.values, book_tree.counts)
        capacity -= len(lines) - BOOK_CAPACITY


def check_book(lines, openings):
    for name, moves in openings:
        if not any(line.startswith(moves) for line in lines):
            sys.exit(f"named opening {name} is not in the book")
    for line in lines:
        if not line.startswith("f5"):
            sys.exit(f"book line does not start with f5: {line}")
        if replay(split_moves(line)) is None:
            sys.exit(f"book line is not legal: {line}")
    if not 1 <= len(lines) <= BOOK_CAPACITY:
        sys.exit(f"book has {len(lines)} lines, outside 1..{BOOK_CAPACITY}")


class BookIndex:
    """What the game's lookup would find after each prefix of a game: every
    candidate's next move, and the move it plays with the variety off (the
    longest candidate line, the lowest line number among equals)."""

    def __init__(self, lines):
        self.next_moves = collections.defaultdict(set)
        self.chosen = {}
        best = {}
        for number, line in enumerate(lines, start=1):
            moves = split_moves(line)
            for n in range(2, len(moves)):  # the lookup answers from the third move on
                prefix = line[:2 * n]
                self.next_moves[prefix].add(moves[n])
                key = (-len(moves), number)
                if prefix not in best or key < best[prefix]:
                    best[prefix] = key
                    self.chosen[prefix] = moves[n]


def measure(lines, held_out):
    index = BookIndex(lines)
    any_candidate = [0] * (REPORT_PLIES + 1)
    played_in_book = [0] * (REPORT_PLIES + 1)
    chosen_played = [0] * (REPORT_PLIES + 1)
    reached = [0] * (REPORT_PLIES + 1)
    # After the book answered move p - 1 and the opponent replied, whatever the reply.
    answered_before = [0] * (REPORT_PLIES + 1)
    answers_after_reply = [0] * (REPORT_PLIES + 1)
    for game in held_out:
        moves = split_moves(game)
        for ply in range(1, min(REPORT_PLIES, len(moves)) + 1):
            prefix = game[:2 * (ply - 1)]
            reached[ply] += 1
            candidates = index.next_moves.get(prefix)
            if ply >= 4 and game[:2 * (ply - 2)] in index.next_moves:
                answered_before[ply] += 1
                answers_after_reply[ply] += bool(candidates)
            if candidates:
                any_candidate[ply] += 1
                played_in_book[ply] += moves[ply - 1] in candidates
                chosen_played[ply] += index.chosen[prefix] == moves[ply - 1]
    after_reply = [a / b if b else 0.0 for a, b in zip(answers_after_reply, answered_before)]
    return reached, any_candidate, played_in_book, chosen_played, after_reply


def write_book(lines, path):
    with open(path, "wb") as f:
        for line in lines:
            f.write(line.encode("ascii") + b"\r\n")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    repo = os.path.dirname(os.path.dirname(here))
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--data", default="/work/shared/data",
                        help="folder with openings.tsv and games/")
    parser.add_argument("--out", default=os.path.join(repo, "assets", "dat", "zyouseki.txt"))
    parser.add_argument("--engine", default=os.path.join(repo, "build", "src", "app",
                                                         "kerna-engine"),
                        help="the engine that searches positions missing from the values file")
    parser.add_argument("--tables", default=os.path.join(repo, "assets"),
                        help="the data folder (holding dat/) whose tables the search uses")
    parser.add_argument("--jobs", type=int, default=2, help="engine processes searching")
    parser.add_argument("--margin", type=float, default=MARGIN,
                        help="keep a move when its value is within this many discs of the "
                             "position's best")
    parser.add_argument("--margins", type=float, nargs="*",
                        help="only print the book's size and reach for these margins")
    args = parser.parse_args()

    started = time.time()
    openings = load_openings(os.path.join(args.data, "openings.tsv"))
    training, held_out = load_games(os.path.join(args.data, "games"))
    counts = searched_tree.count_prefixes(training)
    tree = searched_tree.grow_tree(counts, [moves for _, moves in openings])
    searched = searched_tree.read_values()
    print(f"games: {len(training)} training, {len(held_out)} held out; openings: "
          f"{len(openings)}; searched tree: {len(tree.nodes)} positions", flush=True)
    searched_tree.search_missing(tree, args.engine, args.tables, args.jobs, searched)
    bias = searched_tree.mover_bias(tree, searched)
    values = searched_tree.back_up(tree, searched, bias)
    print(f"the search's bias to the side to move: {bias:+.2f} discs; "
          f"value of f5 for black: {values['f5']:+.2f}")

    if args.margins:
        for margin in args.margins:
            lines = build_book(BookTree(tree, values, counts, margin), openings)
            reached, any_candidate = measure(lines, held_out)[:2]
            print(f"margin {margin:4.1f}: {len(lines)} lines; has a candidate at move "
                  + ", ".join(f"{p}: {100 * any_candidate[p] / reached[p]:.1f}%"
                              for p in (4, 8, 12, 16, 20)))
        return

    lines = build_book(BookTree(tree, values, counts, args.margin), openings)
    check_book(lines, openings)
    write_book(lines, args.out)
    lengths = [len(line) // 2 for line in lines]
    print(f"book: {len(lines)} lines, {min(lengths)}..{max(lengths)} moves -> {args.out}")
    histogram = collections.Counter(lengths)
    print("lines by length: " + ", ".join(f"{n}:{histogram[n]}" for n in sorted(histogram)))

    reached, any_candidate, played_in_book, chosen_played, after_reply = measure(lines, held_out)
    print("held-out games, move p (given moves 1..p-1):")
    print("   p   games  has a candidate  played move among candidates  book's choice = played"
          "  answers after any reply")
    for ply in range(1, REPORT_PLIES + 1):
        r = reached[ply] or 1
        print(f"  {ply:2d}  {reached[ply]:6d}  {100 * any_candidate[ply] / r:14.1f}%"
              f"  {100 * played_in_book[ply] / r:27.1f}%  {100 * chosen_played[ply] / r:21.1f}%"
              f"  {100 * after_reply[ply]:22.1f}%")
    print(f"time: {time.time() - started:.0f} s")


if __name__ == "__main__":
    main()
