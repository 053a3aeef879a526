#!/usr/bin/env python3
"""Makes the opening book assets/dat/zyouseki.txt from the named openings and
the recorded games in the shared data folder.

The book is a tree of the moves strong players chose, grown from f5 down to
--depth moves: at every position it keeps each move that at least --min-games
different games played and whose mover did, on average over those games, within
--within discs as well as with the best such move and never worse than losing
by --worst-mean discs. So every reasonable reply of an opponent leads to a
position where the book still answers, and every answer the book can give is
one of the good moves there. A position of the tree whose moves are all rarer
than that gets one answer: its best move among those at least --min-answer-games
games played. Below --depth each line follows the most played sound move while
enough games did, up to MAX_PLY moves. Every named opening is added too.

Lines are written in the tree's order, the better move first at every position,
and only maximal lines are written, because the game's lookup matches prefixes:
a line that a longer kept line extends adds nothing.

Every tenth game of each games file is held out and used to measure how often
the book answers in the opening. Standard library only; the output is the same
bytes on every run.
"""

import argparse
import collections
import os
import sys
import time

MAX_PLY = 20
HOLD_OUT_EVERY = 10  # line i of a games file is held out when i % 10 == 9
REPORT_PLIES = 20
SHRINK_GAMES = 20
BOOK_CAPACITY = 7000

FULL = (1 << 64) - 1
NOT_A = 0xFEFEFEFEFEFEFEFE  # no square in column a
NOT_H = 0x7F7F7F7F7F7F7F7F  # no square in column h
DIRECTIONS = ((1, NOT_A), (-1, NOT_H), (8, FULL), (-8, FULL),
              (9, NOT_A), (7, NOT_H), (-7, NOT_A), (-9, NOT_H))


def bit(square):
    """Bit of a square given as 'f5': column a..h, row 1..8 (row 1 on top)."""
    return 1 << ((int(square[1]) - 1) * 8 + ord(square[0]) - ord("a"))


def shift(b, d, mask):
    return ((b << d) & mask & FULL) if d > 0 else ((b >> -d) & mask)


def flips(own, opp, move):
    """Discs of opp that a disc of own placed on `move` (a bit) turns over."""
    total = 0
    for d, mask in DIRECTIONS:
        run = 0
        x = shift(move, d, mask)
        while x & opp:
            run |= x
            x = shift(x, d, mask)
        if x & own:
            total |= run
    return total


def has_legal_move(own, opp):
    empty = ~(own | opp) & FULL
    for d, mask in DIRECTIONS:
        x = shift(own, d, mask) & opp
        for _ in range(5):
            x |= shift(x, d, mask) & opp
        if shift(x, d, mask) & empty:
            return True
    return False


def split_moves(text):
    return [text[i:i + 2] for i in range(0, len(text), 2)]


def play_moves(moves):
    """Plays the moves from the standard start with the pass rule.

    Returns (movers, discs, side): the side (0 black, 1 white) that made each
    move, the black and white discs reached and the side whose turn it would
    be next by alternation, or None when a move is malformed or illegal.
    """
    discs = [bit("d5") | bit("e4"), bit("d4") | bit("e5")]  # black, white
    side = 0
    movers = []
    for move in moves:
        if len(move) != 2 or move[0] not in "abcdefgh" or move[1] not in "12345678":
            return None
        square = bit(move)
        if (discs[0] | discs[1]) & square:
            return None
        turned = flips(discs[side], discs[1 - side], square)
        if not turned:
            # A side without any legal move passes; otherwise the move is illegal.
            if has_legal_move(discs[side], discs[1 - side]):
                return None
            side = 1 - side
            turned = flips(discs[side], discs[1 - side], square)
            if not turned:
                return None
        discs[side] |= turned | square
        discs[1 - side] &= ~turned
        movers.append(side)
        side = 1 - side
    return movers, discs, side


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


def read_lines(path):
    with open(path, encoding="ascii") as f:
        return [line.strip() for line in f if line.strip()]


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


class PrefixStats:
    """Per game prefix (a string of moves): how many different games played
    it, and the summed final result for the side that made its last move."""

    def __init__(self):
        self.games = collections.Counter()
        self.result_sum = collections.Counter()

    def add_game(self, text):
        replayed = replay(split_moves(text))
        if replayed is None:
            return False
        movers, black_result = replayed
        for ply in range(1, min(MAX_PLY, len(movers)) + 1):
            prefix = text[:2 * ply]
            self.games[prefix] += 1
            mover = movers[ply - 1]
            self.result_sum[prefix] += black_result if mover == 0 else -black_result

    def mean_result(self, prefix):
        return self.result_sum[prefix] / self.games[prefix]

    def value(self, prefix):
        """The mean result for the mover, pulled toward what the mover could expect
        before the move (SHRINK_GAMES games' worth), so that a rare move whose few
        games happened to go well does not pass for the best."""
        parent = prefix[:-2]
        prior = -self.mean_result(parent) if self.games[parent] else 0.0
        n = self.games[prefix]
        return (self.result_sum[prefix] + SHRINK_GAMES * prior) / (n + SHRINK_GAMES)


def children_of(stats):
    """Every recorded prefix's continuations, one move longer."""
    children = collections.defaultdict(list)
    for prefix in stats.games:
        if len(prefix) > 2:
            children[prefix[:-2]].append(prefix)
    for kids in children.values():
        kids.sort()
    return children


class BookTree:
    """The tree of book positions; see the module's description."""

    def __init__(self, stats, depth, min_games, min_answer_games, within, worst_mean):
        self.stats = stats
        self.children = children_of(stats)
        self.depth = depth
        self.min_games = min_games
        self.min_answer_games = min_answer_games
        self.within = within
        self.worst_mean = worst_mean

    def good_moves(self, prefix):
        """The continuations of `prefix` the book keeps, best first."""
        stats = self.stats
        common = [c for c in self.children[prefix] if stats.games[c] >= self.min_games]
        if len(prefix) == 2:
            # The reply to f5: never the book's own choice (the lookup answers from the
            # third move on), so every common one is covered.
            kept = common
        elif common:
            best = max(stats.value(c) for c in common)
            kept = [c for c in common if stats.value(c) >= best - self.within
                    and stats.value(c) >= -self.worst_mean]
        else:
            rare = [c for c in self.children[prefix]
                    if stats.games[c] >= self.min_answer_games
                    and stats.value(c) >= -self.worst_mean]
            kept = sorted(rare, key=lambda c: (-stats.value(c), c))[:1]
        return sorted(kept, key=lambda c: (-stats.value(c), c))

    def extend(self, prefix):
        """Follows the most played sound continuation while enough games did."""
        stats = self.stats
        while len(prefix) // 2 < MAX_PLY:
            kids = [c for c in self.children[prefix] if stats.games[c] >= self.min_games
                    and stats.value(c) >= -self.worst_mean]
            if not kids:
                break
            prefix = max(kids, key=lambda c: (stats.games[c], stats.value(c), c))
        return prefix

    def lines(self):
        """The book's lines in tree order (better moves first); proper prefixes included."""
        found = []
        stack = ["f5"]
        while stack:
            prefix = stack.pop()
            kids = self.good_moves(prefix) if len(prefix) // 2 < self.depth else []
            if not kids:
                found.append(self.extend(prefix))
                continue
            stack.extend(reversed(kids))
        return found


def tree_order(lines, stats):
    """Sort key: at every position the move whose mover did best comes first."""
    def key(line):
        return tuple((-stats.value(line[:i]) if stats.games[line[:i]] else 99.0,
                      line[i - 2:i]) for i in range(4, len(line) + 1, 2))
    return sorted(lines, key=key)


def maximal(lines):
    """Drops every line that is a proper prefix of another line."""
    kept = set(lines)
    for line in lines:
        for ply in range(1, len(line) // 2):
            kept.discard(line[:2 * ply])
    return kept


def build_book(stats, openings, args):
    tree = BookTree(stats, args.depth, args.min_games, args.min_answer_games, args.within,
                    args.worst_mean)
    lines = maximal(tree.lines() + [moves for _, moves in openings])
    return tree_order(lines, stats)


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
    parser.add_argument("--depth", type=int, default=20,
                        help="moves down to which every reasonable move is followed")
    parser.add_argument("--min-games", type=int, default=20,
                        help="games that must have played a move for the book to keep it")
    parser.add_argument("--min-answer-games", type=int, default=3,
                        help="games that must have played the one answer of a position "
                             "whose moves are all rarer than --min-games")
    parser.add_argument("--within", type=float, default=8.0,
                        help="keep a move when its mover did on average within this many "
                             "discs as well as with the position's best common move")
    parser.add_argument("--worst-mean", type=float, default=12.0,
                        help="never keep a move whose mover lost by more than this many "
                             "discs on average")
    parser.add_argument("--sizes", action="store_true",
                        help="only print the book size for a range of --min-games values")
    args = parser.parse_args()

    started = time.time()
    openings = load_openings(os.path.join(args.data, "openings.tsv"))
    training, held_out = load_games(os.path.join(args.data, "games"))
    stats = PrefixStats()
    # A game that appears twice in the data counts once.
    skipped = sum(stats.add_game(text) is False for text in sorted(set(training)))
    print(f"games: {len(training)} training ({skipped} not replayable), "
          f"{len(held_out)} held out; openings: {len(openings)}")

    if args.sizes:
        for n in (10, 15, 20, 25, 30, 40, 50, 60, 80, 100, 150, 200):
            args.min_games = n
            book = build_book(stats, openings, args)
            print(f"min-games {n:4d}: {len(book)} lines")
        return

    lines = build_book(stats, openings, args)
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
