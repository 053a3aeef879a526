#!/usr/bin/env python3
"""A small match runner for NBoard-protocol engines: each pairing of players plays
every chosen opening twice, colours swapped.

usage:
  every pair of levels, one engine and one data folder (as before):
    match.py --engine build/src/app/kerna-engine --data assets --openings openings.tsv \
             [--levels 6 4 2]
  two players with their own data folders (new tables against old ones):
    match.py --engine build/src/app/kerna-engine --openings openings.tsv \
             --player new:6:assets --player old:6:/tmp/old-assets --openings-count 50
  a ladder of consecutive levels (1 against 0, 2 against 1, ..., 6 against 5):
    match.py --engine build/src/app/kerna-engine --data assets --openings openings.tsv \
             --ladder 0 6 --openings-count 20
common options: [--openings-count N] [--jobs J] [--no-book] [--games-out games.ggf]
                [--start-games DIR --start-games-count M]

A player is NAME:LEVEL[:DATA[:ENGINE]]; DATA and ENGINE default to --data and --engine.
openings.tsv: a header line, then "name<TAB>moves" with moves like f5d6c3.
Every game starts from the usual position with the opening's moves already
played; the engines are then asked for moves with "set game"/"ping"/"go" as a
GUI would, and every move they give is checked before it is played. Games run
on --jobs worker threads, each with its own engine processes, so a game's moves
do not depend on the job count. Prints one line per game and, for every
pairing, the games, the first player's score, the disc margin and each
player's thinking time per move.
"""
import argparse
import glob
import itertools
import os
import subprocess
import sys
import threading
import time

DIRS = [(-1, -1), (0, -1), (1, -1), (-1, 0), (1, 0), (-1, 1), (0, 1), (1, 1)]


def start_board():
    board = ['-'] * 64
    board[27] = board[36] = 'O'
    board[28] = board[35] = '*'
    return board


def flips(board, square, mover):
    if board[square] != '-':
        return []
    other = 'O' if mover == '*' else '*'
    found = []
    for dx, dy in DIRS:
        x, y = square % 8 + dx, square // 8 + dy
        line = []
        while 0 <= x < 8 and 0 <= y < 8 and board[y * 8 + x] == other:
            line.append(y * 8 + x)
            x, y = x + dx, y + dy
        if line and 0 <= x < 8 and 0 <= y < 8 and board[y * 8 + x] == mover:
            found += line
    return found


def legal_moves(board, mover):
    return [s for s in range(64) if flips(board, s, mover)]


def play(board, square, mover):
    for s in flips(board, square, mover):
        board[s] = mover
    board[square] = mover


def square_name(square):
    return 'PA' if square < 0 else 'ABCDEFGH'[square % 8] + str(square // 8 + 1)


def parse_square(text):
    text = text.strip().upper()
    if text.startswith('PA'):
        return -1
    if len(text) >= 2 and text[0] in 'ABCDEFGH' and text[1] in '12345678':
        return (int(text[1]) - 1) * 8 + 'ABCDEFGH'.index(text[0])
    raise ValueError('not a move: ' + text)


def ggf(moves, black, white, result='?'):
    text = '(;GM[Othello]PC[kerna match]PB[%s]PW[%s]RE[%s]TI[0]TY[8]BO[8 %s *]' % (
        black, white, result, ''.join(start_board()))
    mover = 'B'
    for item in moves:
        text += '%s[%s]' % (mover, item)
        mover = 'W' if mover == 'B' else 'B'
    return text + ';)'


class Player:
    """Who plays: a name, a level, a data folder and an engine program."""

    def __init__(self, name, level, data, program):
        self.name, self.level, self.data, self.program = name, level, data, program


def parse_player(text, default_data, default_engine):
    parts = text.split(':')
    if len(parts) < 2 or len(parts) > 4 or not parts[1].isdigit():
        raise SystemExit('a player is NAME:LEVEL[:DATA[:ENGINE]], not ' + text)
    data = parts[2] if len(parts) > 2 and parts[2] else default_data
    program = parts[3] if len(parts) > 3 and parts[3] else default_engine
    if not data or not program:
        raise SystemExit('player %s needs a data folder and an engine' % parts[0])
    return Player(parts[0], int(parts[1]), data, program)


class Engine:
    def __init__(self, player, use_book, options=()):
        self.player = player
        self.name = player.name
        command = [player.program, '--level', str(player.level), '--data', player.data]
        if not use_book:
            command.append('--no-book')
        command += list(options)
        self.proc = subprocess.Popen(command, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     text=True, bufsize=1)
        self.ping = 0
        self.seconds = 0.0
        self.moves = 0
        self.send('nboard 2')

    def send(self, line):
        self.proc.stdin.write(line + '\n')
        self.proc.stdin.flush()

    def read_until(self, prefix):
        while True:
            line = self.proc.stdout.readline()
            if not line:
                raise RuntimeError('%s ended unexpectedly' % self.name)
            if line.startswith(prefix):
                return line.strip()

    def choose(self, moves):
        self.send('set game ' + ggf(moves, 'x', 'y'))
        self.ping += 1
        self.send('ping %d' % self.ping)
        self.read_until('pong %d' % self.ping)
        started = time.monotonic()
        self.send('go')
        answer = self.read_until('===')
        self.seconds += time.monotonic() - started
        self.moves += 1
        return answer[4:].strip()

    def close(self):
        self.send('quit')
        self.proc.wait(timeout=30)


def play_game(black, white, opening):
    board = start_board()
    mover = '*'
    moves = []
    for i in range(0, len(opening), 2):
        square = parse_square(opening[i:i + 2])
        if square not in legal_moves(board, mover):
            raise ValueError('opening move %s is not legal' % opening[i:i + 2])
        play(board, square, mover)
        moves.append(square_name(square))
        mover = 'O' if mover == '*' else '*'
    while True:
        legal = legal_moves(board, mover)
        other = 'O' if mover == '*' else '*'
        if not legal and not legal_moves(board, other):
            break
        engine = black if mover == '*' else white
        item = engine.choose(moves)
        square = parse_square(item.replace(' ', '/').split('/')[0])
        if (square < 0 and legal) or (square >= 0 and square not in legal):
            raise RuntimeError('%s played an illegal move %s' % (engine.name, item))
        if square >= 0:
            play(board, square, mover)
        moves.append(item)
        mover = other
    margin = board.count('*') - board.count('O')
    return margin, moves


def read_openings(path, count):
    with open(path, encoding='utf-8') as f:
        rows = [line.rstrip('\n').split('\t') for line in f.readlines()[1:] if '\t' in line]
    # Spread the chosen openings over the whole list rather than its first lines.
    step = max(1, len(rows) // count)
    return rows[::step][:count]


def numbered_games(folder):
    """Every game of the folder's *.txt files (name order, one game a line) with its number,
    counted as the evaluation trainer counts them."""
    number = 0
    for path in sorted(glob.glob(os.path.join(folder, '*.txt'))):
        with open(path, encoding='utf-8') as f:
            for line in f:
                line = line.strip()
                if line:
                    yield number, line
                    number += 1


def read_game_starts(folder, count, shortest=8, longest=12):
    """`count` distinct starts of `shortest` to `longest` moves (the length cycling) from the
    games the trainer holds out (number a multiple of 10), spread over them: positions that the
    fitted tables have not seen, unlike every named opening's line."""
    held_out = [(n, line) for n, line in numbered_games(folder) if n % 10 == 0]
    if count <= 0 or not held_out:
        return []
    step = max(1, len(held_out) // count)
    starts, seen = [], set()
    k = 0
    while len(starts) < count and k < len(held_out):
        number, line = held_out[(len(starts) * step + k) % len(held_out)]
        moves = shortest + len(starts) % (longest - shortest + 1)
        prefix = line[:2 * moves]
        if len(prefix) == 2 * moves and prefix not in seen:
            seen.add(prefix)
            starts.append(('game %d, %d moves' % (number, moves), prefix))
            k = 0
        else:
            k += 1
    return starts


def pairings(args):
    """The pairs of players that meet; the first of each pair is the one scored."""
    if args.player:
        if len(args.player) != 2:
            raise SystemExit('--player is given twice: the scored player, then its opponent')
        a, b = (parse_player(p, args.data, args.engine) for p in args.player)
        return [(a, b)]
    if not args.engine or not args.data:
        raise SystemExit('--engine and --data are needed')
    if args.ladder:
        low, high = args.ladder
        players = {level: Player('L%d' % level, level, args.data, args.engine)
                   for level in range(low, high + 1)}
        return [(players[level + 1], players[level]) for level in range(low, high)]
    players = {level: Player('L%d' % level, level, args.data, args.engine)
               for level in args.levels}
    return [(players[a], players[b]) for a, b in itertools.combinations(args.levels, 2)]


def run_games(schedule, jobs, use_book):
    """Plays every (pairing, opening, black, white) of the schedule; returns the results
    in schedule order. Each worker starts its own engines and reuses them."""
    results = [None] * len(schedule)
    next_game = [0]
    lock = threading.Lock()
    failures = []

    def worker():
        engines = {}
        try:
            while True:
                with lock:
                    if next_game[0] >= len(schedule) or failures:
                        break
                    n = next_game[0]
                    next_game[0] += 1
                pair, name, opening, black, white = schedule[n]
                for player in (black, white):
                    if id(player) not in engines:
                        engines[id(player)] = Engine(player, use_book)
                eb, ew = engines[id(black)], engines[id(white)]
                before = (eb.seconds, eb.moves, ew.seconds, ew.moves)
                margin, moves = play_game(eb, ew, opening)
                results[n] = (margin, moves, {
                    'black': (eb.seconds - before[0], eb.moves - before[1]),
                    'white': (ew.seconds - before[2], ew.moves - before[3])})
                with lock:
                    print('%-34s black %-6s white %-6s: %+d' % (name[:34], black.name,
                                                              white.name, margin), flush=True)
        except Exception as error:  # reported once the other workers stop
            with lock:
                failures.append(error)
        finally:
            for engine in engines.values():
                engine.close()

    threads = [threading.Thread(target=worker) for _ in range(max(1, jobs))]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    if failures:
        raise failures[0]
    return results


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('--engine')
    parser.add_argument('--data')
    parser.add_argument('--openings', required=True)
    parser.add_argument('--levels', type=int, nargs='+', default=[6, 4, 2])
    parser.add_argument('--player', action='append',
                        help='NAME:LEVEL[:DATA[:ENGINE]]; give two to play them against each other')
    parser.add_argument('--ladder', type=int, nargs=2, metavar=('LOW', 'HIGH'),
                        help='consecutive levels LOW..HIGH, each against the one below')
    parser.add_argument('--openings-count', type=int, default=10)
    parser.add_argument('--start-games', metavar='DIR',
                        help='games folder (one game a line) for starts beyond the named openings')
    parser.add_argument('--start-games-count', type=int, default=0,
                        help='starts of 8 to 12 moves taken from the held-out games of DIR')
    parser.add_argument('--jobs', type=int, default=1)
    parser.add_argument('--no-book', action='store_true', help='the engines play without book')
    parser.add_argument('--games-out')
    args = parser.parse_args()

    openings = read_openings(args.openings, args.openings_count)
    if args.start_games:
        openings += read_game_starts(args.start_games, args.start_games_count)
    pairs = pairings(args)
    schedule = [(pair, name, opening, black, white)
                for pair in pairs for name, opening in openings
                for black, white in (pair, pair[::-1])]
    began = time.monotonic()
    results = run_games(schedule, args.jobs, not args.no_book)

    if args.games_out:
        with open(args.games_out, 'w', encoding='utf-8') as out:
            for (pair, name, opening, black, white), (margin, moves, _) in zip(schedule,
                                                                               results):
                out.write(ggf(moves, black.name, white.name,
                              ('+%d' % margin) if margin > 0 else str(margin)) + '\n')
    print('\npairing                games  score (first)      disc margin    '
          's/move first  s/move second')
    for pair in pairs:
        a, b = pair
        games = points = margin_sum = 0
        think = {id(a): [0.0, 0], id(b): [0.0, 0]}
        for (p, name, opening, black, white), (margin, moves, times) in zip(schedule, results):
            if p is not pair:
                continue
            for player, colour in ((black, 'black'), (white, 'white')):
                think[id(player)][0] += times[colour][0]
                think[id(player)][1] += times[colour][1]
            own = margin if black is a else -margin
            games += 1
            points += 1.0 if own > 0 else 0.5 if own == 0 else 0.0
            margin_sum += own
        print('%-8s vs %-8s %5d  %6.1f (%5.1f %%)  %+6d (%+5.1f)  %12.3f  %13.3f' % (
            a.name, b.name, games, points, 100.0 * points / max(1, games), margin_sum,
            margin_sum / max(1, games), think[id(a)][0] / max(1, think[id(a)][1]),
            think[id(b)][0] / max(1, think[id(b)][1])))
    print('wall time %.0f s' % (time.monotonic() - began))
    return 0


if __name__ == '__main__':
    sys.exit(main())
