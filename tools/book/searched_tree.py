"""The searched tree of played lines, shared by the opening book and the values
of its moves.

The tree holds every prefix of up to DEPTH moves that at least SEARCH_GAMES
different training games played, and every named opening with its prefixes.
Every position of the tree, inner ones too, is valued by kerna-engine's search
at SEARCH_LEVEL without its book: the value of the best move for the side to
move. A position's value is then the better of its own search and the best of
its children's values backed up by negamax, so a move whose strong reply no
game played is still valued by that reply (the search finds it), and a
position whose best move is off the tree is worth that move.

The searched values are kept in a committed file (search-values.txt, one
position a line: its moves, the engine's value for the side to move, its best
move), so that the book and its values are made again in minutes from the same
bytes; only positions missing from it are searched, and the file is written
back sorted.
"""

import collections
import os
import subprocess
import sys
import threading
import time

from board_lines import has_legal_move, play_moves, read_lines, split_moves

DEPTH = 20
SEARCH_GAMES = 3
SEARCH_LEVEL = 5
VALUES_FILE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "search-values.txt")

START_BOARD = "-" * 27 + "O*" + "-" * 6 + "*O" + "-" * 27  # a1..h8, as the protocol writes it


def side_to_move(moves):
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


def count_prefixes(games, depth=DEPTH):
    """How many different games played each prefix of up to `depth` moves."""
    counts = collections.Counter()
    for text in sorted(set(games)):
        for ply in range(1, min(depth, len(text) // 2) + 1):
            counts[text[:2 * ply]] += 1
    return counts


class Tree:
    """Prefixes (strings of moves) with their children, who made each move and
    who is to move after it."""

    def __init__(self, nodes):
        self.nodes = sorted(nodes)
        self.children = collections.defaultdict(list)
        for node in self.nodes:
            if len(node) > 2:
                self.children[node[:-2]].append(node)
        self.leaves = [n for n in self.nodes if not self.children[n]]
        self.mover = {}  # node -> the side that made its last move
        self.to_move = {}  # node -> the side to move there (None: the game is over)
        for leaf in self.leaves:
            replayed = side_to_move(split_moves(leaf))
            if replayed is None:
                sys.exit(f"not a legal line: {leaf}")
            movers, self.to_move[leaf] = replayed
            for ply, side in enumerate(movers, start=1):
                self.mover[leaf[:2 * ply]] = side
        for node in self.nodes:
            if node not in self.to_move:
                self.to_move[node] = self.mover[self.children[node][0]]


def grow_tree(counts, lines, min_games=SEARCH_GAMES, depth=DEPTH):
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

    def best(self, record):
        """(value, move): the value of the best move in discs for the side to move,
        and that move in lower case (None when the engine gives none)."""
        self.send("set game " + record)
        self.send("hint 1")
        found = None
        while True:
            line = self.proc.stdout.readline()
            if not line:
                return None  # the engine ended
            line = line.strip()
            if line.startswith("search ") and found is None:
                fields = line.split()
                found = (float(fields[2]), fields[1].split("-")[0].lower())
            elif line == "status":
                return found

    def close(self):
        self.send("quit")
        self.proc.wait(timeout=30)


def read_values(path=VALUES_FILE):
    """{position: (value for the side to move, best move)} from the values file."""
    values = {}
    if os.path.exists(path):
        for line in read_lines(path):
            moves, value, move = line.split()
            values[moves] = (float(value), move)
    return values


def write_values(values, path=VALUES_FILE):
    with open(path, "w", encoding="ascii", newline="\n") as f:
        for moves in sorted(values):
            value, move = values[moves]
            f.write(f"{moves} {value:+.2f} {move}\n")


def search_missing(tree, engine, tables, jobs, searched):
    """Searches every position of the tree that `searched` lacks, adding it there.

    The file is written back every 500 positions, so a stopped run loses little."""
    missing = [n for n in tree.nodes if n not in searched and tree.to_move[n] is not None]
    if not missing:
        return
    print(f"  searching {len(missing)} positions at level {SEARCH_LEVEL}", flush=True)
    lock = threading.Lock()
    started = time.time()
    failures = []  # a thread's sys.exit would end only the thread
    done = [0]

    def work(part):
        searcher = Searcher(engine, tables, SEARCH_LEVEL)
        for node in part:
            movers = [tree.mover[node[:i]] for i in range(2, len(node) + 1, 2)]
            found = searcher.best(game_record(node, movers, tree.to_move[node]))
            if found is None:
                failures.append(f"no search value after the line {node}")
                break
            with lock:
                searched[node] = (round(found[0], 2), found[1])
                done[0] += 1
                if done[0] % 500 == 0:
                    write_values(searched)
                    print(f"  {done[0]} of {len(missing)} searched, "
                          f"{time.time() - started:.0f} s", flush=True)
        searcher.close()

    threads = [threading.Thread(target=work, args=(missing[j::jobs],)) for j in range(jobs)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    write_values(searched)
    if failures:
        sys.exit(failures[0])


def mover_bias(tree, searched):
    """How much the search favours the side to move, in discs.

    Where the engine's best move leads to another searched position, the two
    values should cancel (the best move keeps the value); their mean sum is
    twice the bias. A search that ends on the mover's own move leaves that
    mover's last gain unanswered."""
    total, count = 0.0, 0
    for node in tree.nodes:
        if node not in searched:
            continue
        value, move = searched[node]
        child = node + move
        if child in searched and child in tree.to_move and \
                tree.mover[child] != tree.to_move[child]:
            total += value + searched[child][0]
            count += 1
    return total / (2 * count) if count else 0.0


def back_up(tree, searched, bias):
    """Negamax: every node's value for the side that made its last move.

    A node's value for its side to move is the better of its own search
    (less the mover's bias) and its best child's value."""
    values = {}
    for node in sorted(tree.nodes, key=len, reverse=True):
        to_move = tree.to_move[node]
        own = searched[node][0] - bias if node in searched else None
        kids = [values[k] for k in tree.children[node]]
        if own is None and not kids:
            sys.exit(f"no value after the line {node} (the game is over)")
        best = max(kids + ([own] if own is not None else []))
        values[node] = best if to_move == tree.mover[node] else -best
    return values
