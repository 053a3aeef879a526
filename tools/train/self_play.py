#!/usr/bin/env python3
"""Self-play games of the engine for the evaluation fit: the positions level 6 meets.

usage:
  self_play.py --engine build/src/app/kerna-engine --data assets --games DIR \\
               --count N --out tools/train/self-play/games.txt [--jobs J] [--play K]

Every game starts from the first 8 to 12 moves (the length cycling) of a training game of DIR
(one whose number is not a multiple of 10: the held-out games stay unseen, and the match runner
takes its own starts from them), distinct starts spread over the folder. Level 6 plays itself or
level 5 or 4 (either colour), without the book and with the engine's thinking variety, seeded
by the game's number: a game depends only on its number and the engine with its data, not on
the job count. Level 6 solves its endgames exactly from 12 empties on, so a game of level 6
against itself ends with the exact result of its position at 12 empties. Writes one game a line
("f5d6c3...", passes left out) in the order of the starts, each as soon as it and every game
before it are done, so that a run cut short leaves the first games of the schedule; --play K
plays only the first K starts of the N.
"""
import argparse
import os
import sys
import threading

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'match'))
import match  # noqa: E402  (the board rules and the engine driver of the match runner)

# (black level, white level), taken in turn by the starts.
PAIRINGS = [(6, 6), (6, 5), (5, 6), (6, 6), (6, 4), (4, 6)]


def training_starts(folder, count, shortest=8, longest=12):
    games = [line for n, line in match.numbered_games(folder) if n % 10 != 0]
    step = max(1, len(games) // max(1, count))
    starts, seen = [], set()
    k = 0
    while len(starts) < count and k < len(games):
        line = games[(len(starts) * step + k) % len(games)]
        prefix = line[:2 * (shortest + len(starts) % (longest - shortest + 1))]
        if prefix not in seen:
            seen.add(prefix)
            starts.append(prefix)
            k = 0
        else:
            k += 1
    return starts


def play_one(number, start, engine, data):
    black_level, white_level = PAIRINGS[number % len(PAIRINGS)]
    black = match.Engine(match.Player('b', black_level, data, engine), False,
                         ['--vary', '--seed', str(2 * number + 1)])
    white = match.Engine(match.Player('w', white_level, data, engine), False,
                         ['--vary', '--seed', str(2 * number + 2)])
    try:
        _, moves = match.play_game(black, white, start)
    finally:
        black.close()
        white.close()
    squares = [item.replace(' ', '/').split('/')[0].lower() for item in moves]
    return ''.join(s for s in squares if s != 'pa')


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('--engine', required=True)
    parser.add_argument('--data', required=True)
    parser.add_argument('--games', required=True)
    parser.add_argument('--count', type=int, required=True)
    parser.add_argument('--out', required=True)
    parser.add_argument('--jobs', type=int, default=2)
    parser.add_argument('--play', type=int, help='play only the first K starts')
    args = parser.parse_args()

    starts = training_starts(args.games, args.count)[:args.play]
    os.makedirs(os.path.dirname(os.path.abspath(args.out)), exist_ok=True)
    out = open(args.out, 'w', encoding='utf-8')
    written = [0]
    lines = [None] * len(starts)
    next_game = [0]
    lock = threading.Lock()
    failures = []

    def worker():
        while True:
            with lock:
                if next_game[0] >= len(starts) or failures:
                    return
                n = next_game[0]
                next_game[0] += 1
            try:
                line = play_one(n, starts[n], args.engine, args.data)
            except Exception as error:  # reported once the other workers stop
                with lock:
                    failures.append(error)
                return
            with lock:
                lines[n] = line
                while written[0] < len(lines) and lines[written[0]] is not None:
                    out.write(lines[written[0]] + '\n')
                    written[0] += 1
                out.flush()
            if n % 50 == 0:
                print('game %d: %s' % (n, line), flush=True)

    threads = [threading.Thread(target=worker) for _ in range(max(1, args.jobs))]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    out.close()
    if failures:
        raise failures[0]
    return 0


if __name__ == '__main__':
    sys.exit(main())
