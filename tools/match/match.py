#!/usr/bin/env python3
"""A small match runner for NBoard-protocol engines: every pair of the given
kerna-engine levels plays each opening twice, colours swapped.

usage: match.py --engine build/src/app/kerna-engine --data assets \\
                --openings openings.tsv [--levels 6 4 2] [--openings-count 10] \\
                [--games-out games.ggf]

openings.tsv: a header line, then "name<TAB>moves" with moves like f5d6c3.
Every game starts from the usual position with the opening's moves already
played; the engines are then asked for moves with "set game"/"ping"/"go" as a
GUI would, and every move they give is checked before it is played. Prints one
line per game and a table of points (win 1, draw 1/2), disc margins and the
engines' thinking time.
"""
import argparse
import itertools
import subprocess
import sys
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


class Engine:
    def __init__(self, program, data, level):
        self.level = level
        self.name = 'level%d' % level
        self.proc = subprocess.Popen([program, '--level', str(level), '--data', data],
                                     stdin=subprocess.PIPE, stdout=subprocess.PIPE,
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


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('--engine', required=True)
    parser.add_argument('--data', required=True)
    parser.add_argument('--openings', required=True)
    parser.add_argument('--levels', type=int, nargs='+', default=[6, 4, 2])
    parser.add_argument('--openings-count', type=int, default=10)
    parser.add_argument('--games-out')
    args = parser.parse_args()

    with open(args.openings, encoding='utf-8') as f:
        rows = [line.rstrip('\n').split('\t') for line in f.readlines()[1:] if '\t' in line]
    # Spread the chosen openings over the whole list rather than its first lines.
    step = max(1, len(rows) // args.openings_count)
    openings = rows[::step][:args.openings_count]

    engines = {level: Engine(args.engine, args.data, level) for level in args.levels}
    points = {level: 0.0 for level in args.levels}
    discs = {level: 0 for level in args.levels}
    games_out = open(args.games_out, 'w', encoding='utf-8') if args.games_out else None
    began = time.monotonic()
    for a, b in itertools.combinations(args.levels, 2):
        pair_points = {a: 0.0, b: 0.0}
        for name, opening in openings:
            for black_level, white_level in ((a, b), (b, a)):
                margin, moves = play_game(engines[black_level], engines[white_level], opening)
                result = 1.0 if margin > 0 else 0.5 if margin == 0 else 0.0
                for level, share, own in ((black_level, result, margin),
                                          (white_level, 1 - result, -margin)):
                    points[level] += share
                    pair_points[level] += share
                    discs[level] += own
                print('%-34s black L%d white L%d: %+d' % (name[:34], black_level, white_level,
                                                           margin), flush=True)
                if games_out:
                    games_out.write(ggf(moves, 'kerna-engine L%d' % black_level,
                                        'kerna-engine L%d' % white_level,
                                        ('+%d' % margin) if margin > 0 else str(margin)) + '\n')
        print('== L%d vs L%d: %.1f - %.1f (%d games)' % (a, b, pair_points[a], pair_points[b],
                                                        2 * len(openings)), flush=True)
    for engine in engines.values():
        engine.close()
    print('\nlevel  points  disc margin  moves  think s  s/move')
    for level in args.levels:
        e = engines[level]
        print('L%d    %6.1f  %+11d  %5d  %7.1f  %6.2f' % (
            level, points[level], discs[level], e.moves, e.seconds,
            e.seconds / max(1, e.moves)))
    print('wall time %.0f s' % (time.monotonic() - began))
    return 0


if __name__ == '__main__':
    sys.exit(main())
