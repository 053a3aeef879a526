#!/usr/bin/env python3
"""Times kerna-engine at one level on fixed positions through the NBoard protocol
("set game" with the moves so far, then "go"), and compares two engine programs
move by move.

usage:
  engine_positions.py --engine build/src/app/kerna-engine --data assets
  engine_positions.py --engine NEW --engine OLD --data assets [--level 6] [--count 12]

The positions come from seeded random play from the usual start: --count of
them with 10 to 16 empty squares (the solvers) and --count in the middle game
(20 to 44 empty squares), always the same. Every engine plays without its book
and without variety, so its answer depends only on the position. With two
engines the positions are asked of each in turn (the load of the machine falls
on both alike); the script prints each engine's total thinking time, and every
position where the moves or the values differ, and exits 1 when any did.
"""
import argparse
import os
import random
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tools', 'match'))
from match import Engine, Player, legal_moves, play, square_name, start_board  # noqa: E402


def random_game(rng, empties):
    """Moves (GGF items, passes as PA) of a random game that stops at `empties`
    empty squares with the side to move having a move; None if it ended first."""
    board, mover, moves = start_board(), '*', []
    while board.count('-') > empties:
        legal = legal_moves(board, mover)
        other = 'O' if mover == '*' else '*'
        if not legal:
            if not legal_moves(board, other):
                return None
            moves.append('PA')
        else:
            square = rng.choice(legal)
            play(board, square, mover)
            moves.append(square_name(square))
        mover = other
    if not legal_moves(board, mover):
        return None
    return moves


def positions(count):
    rng = random.Random(20261208)
    chosen = []
    for kind, low, high in (('endgame', 10, 16), ('middle', 20, 44)):
        found = 0
        while found < count:
            empties = low + found * (high - low) // max(1, count - 1)
            moves = random_game(rng, empties)
            if moves is None:
                continue
            chosen.append(('%s-%02d' % (kind, empties), moves))
            found += 1
    return chosen


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('--engine', action='append', required=True)
    parser.add_argument('--data', required=True)
    parser.add_argument('--level', type=int, default=6)
    parser.add_argument('--count', type=int, default=12)
    args = parser.parse_args()
    engines = [Engine(Player('engine%d' % i, args.level, args.data, program), use_book=False)
               for i, program in enumerate(args.engine)]
    differ = 0
    for name, moves in positions(args.count):
        answers = [e.choose(moves).replace(' ', '') for e in engines]
        played = [a.split('/') for a in answers]
        same = all(p[:2] == played[0][:2] for p in played)
        differ += not same
        print('%-12s %s%s' % (name, '  '.join('%-18s' % a for a in answers),
                              '' if same else '  DIFFERENT'))
    for program, e in zip(args.engine, engines):
        print('%s: %d positions, %.2f s thinking' % (program, e.moves, e.seconds))
        e.close()
    if len(engines) == 2 and engines[0].seconds > 0:
        print('time ratio (second / first): %.2f' % (engines[1].seconds / engines[0].seconds))
    if differ:
        print('%d positions differ' % differ)
    return 1 if differ else 0


if __name__ == '__main__':
    sys.exit(main())
