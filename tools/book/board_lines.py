"""Othello moves for the book tools: replaying a line of moves ("f5d6c3...")
from the standard start with the pass rule, and reading the data's text files.
Standard library only."""


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


def read_lines(path):
    with open(path, encoding="ascii") as f:
        return [line.strip() for line in f if line.strip()]
