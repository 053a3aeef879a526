#!/usr/bin/env python3
"""Makes the opening book assets/dat/zyouseki.txt from the named openings and
the recorded games in the shared data folder.

The book holds every named opening and the lines strong players actually chose:
every game prefix of MIN_PLY..MAX_PLY moves played by at least --min-games
different games, unless one of its moves was, on average, clearly bad for the
side that chose it. Only maximal lines are written, because the game's lookup
matches prefixes: a line that a longer kept line extends adds nothing.

Every tenth game of each games file is held out and used to measure how often
the book answers in the opening. Standard library only; the output is the same
bytes on every run.
"""

import argparse
import collections
import os
import sys
import time

MIN_PLY = 8
MAX_PLY = 20
HOLD_OUT_EVERY = 10  # line i of a games file is held out when i % 10 == 9
REPORT_PLIES = 20
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


def replay(moves):
    """Plays the moves from the standard start with the pass rule.

    Returns (movers, black_result): the side (0 black, 1 white) that made each
    move and the final disc difference for black with the empty squares given
    to the winner, or None when a move is malformed or illegal.
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


def sound_line(stats, prefix, worst_mean):
    """False when some move of the line (from the second on) lost, on average
    over the games that played it, by more than worst_mean discs for its mover."""
    for ply in range(2, len(prefix) // 2 + 1):
        if stats.mean_result(prefix[:2 * ply]) < -worst_mean:
            return False
    return True


def maximal(lines):
    """Drops every line that is a proper prefix of another line."""
    kept = set(lines)
    for line in lines:
        for ply in range(1, len(line) // 2):
            kept.discard(line[:2 * ply])
    return kept


def build_book(stats, openings, min_games, worst_mean):
    recurring = [p for p, n in stats.games.items()
                 if n >= min_games and MIN_PLY <= len(p) // 2 <= MAX_PLY
                 and sound_line(stats, p, worst_mean)]
    lines = maximal(recurring + [moves for _, moves in openings])
    # Most played first, so that among equally long lines the lookup's lowest
    # line number is the most common one; the moves break remaining ties.
    return sorted(lines, key=lambda line: (-stats.games[line[:2 * MAX_PLY]], line))


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
    for game in held_out:
        moves = split_moves(game)
        for ply in range(1, min(REPORT_PLIES, len(moves)) + 1):
            prefix = game[:2 * (ply - 1)]
            reached[ply] += 1
            candidates = index.next_moves.get(prefix)
            if candidates:
                any_candidate[ply] += 1
                played_in_book[ply] += moves[ply - 1] in candidates
                chosen_played[ply] += index.chosen[prefix] == moves[ply - 1]
    return reached, any_candidate, played_in_book, chosen_played


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
    parser.add_argument("--min-games", type=int, default=20,
                        help="games that must have played a prefix for it to enter the book")
    parser.add_argument("--worst-mean", type=float, default=8.0,
                        help="drop a line with a move whose mover lost by more than this "
                             "many discs on average")
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
            book = build_book(stats, openings, n, args.worst_mean)
            print(f"min-games {n:4d}: {len(book)} lines")
        return

    lines = build_book(stats, openings, args.min_games, args.worst_mean)
    check_book(lines, openings)
    write_book(lines, args.out)
    lengths = [len(line) // 2 for line in lines]
    print(f"book: {len(lines)} lines, {min(lengths)}..{max(lengths)} moves -> {args.out}")
    histogram = collections.Counter(lengths)
    print("lines by length: " + ", ".join(f"{n}:{histogram[n]}" for n in sorted(histogram)))

    reached, any_candidate, played_in_book, chosen_played = measure(lines, held_out)
    print("held-out games, move p (given moves 1..p-1):")
    print("   p   games  has a candidate  played move among candidates  book's choice = played")
    for ply in range(1, REPORT_PLIES + 1):
        r = reached[ply] or 1
        print(f"  {ply:2d}  {reached[ply]:6d}  {100 * any_candidate[ply] / r:14.1f}%"
              f"  {100 * played_in_book[ply] / r:27.1f}%  {100 * chosen_played[ply] / r:21.1f}%")
    print(f"time: {time.time() - started:.0f} s")


if __name__ == "__main__":
    main()
