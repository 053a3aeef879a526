"""Where the game draws each picture, and the colours the pictures share.

The positions are the game's own screen layout (640 x 440 drawing area, board
on the left, panel from x 429); the art is sized to fit them and the mock-ups
place the pictures here.
"""

import os
import re

SCREEN_W, SCREEN_H = 640, 440
PANEL_X = 429
PANEL_W = SCREEN_W - PANEL_X  # 211
BOARD_LEFT = 22
SQUARE = 48
DISC = 47  # inner size of a square: every disc and flip picture

# Text grid: cell (col, row) at (8 * col, 16 * row).
CELL_W, CELL_H = 8, 16

# Board base colours of bmp/01-zero.bmp .. 05-zero.bmp: green, blue, walnut,
# slate, plum. Each works with black and white discs, with its halved shadow and
# with the yellow (legal) and red (illegal) selection boxes.
BOARD_COLOURS = [
    (22, 124, 70),
    (30, 96, 160),
    (142, 96, 52),
    (92, 104, 116),
    (104, 68, 134),
]

# Button sizes (width, height), chosen to fit their slots (see BUTTONS).
SIZE_PICK = (98, 26)  # sente, gote, lv0..lv6 at x 485, 28 px apart
SIZE_MENU = (168, 34)  # menu entries at x 450, 40 px apart
SIZE_PLAY = (92, 26)  # matta at 438 and hinto at 534, above the message frame
SIZE_QUIT = (76, 24)  # inside the message frame's white area
SIZE_START = (152, 40)
SIZE_YESNO = (68, 26)  # yes at 455, no at 530
SIZE_OK = (168, 36)
SIZE_STEP = (80, 30)  # the saved games' previous / next, at x 450 and 538
SIZE_REVIEW_STEP = (28, 26)  # the review's first / back / forward / last, 31 px apart
SIZE_REVIEW_WORD = (40, 26)  # the review's next mistake
SIZE_REVIEW_QUIT = (36, 26)  # the review's quit, ending 2 px inside the window
SIZE_SWATCH = (18, 18)  # 20 px apart with a 1-px frame around each

# The game's button table, read from the one the game itself is built with:
# (group, item, file, x, y).
def _read_button_table():
    source = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "src", "game",
                          "button_table.inc")
    pattern = re.compile(r'^KERNA_BUTTON\((\d+), (\d+), "([^"]+)", (\d+), (\d+)\)$')
    rows = []
    with open(source, encoding="utf-8") as table:
        for line in table:
            match = pattern.match(line.strip())
            if match:
                g, item, name, x, y = match.groups()
                rows.append((int(g), int(item), name, int(x), int(y)))
    if not rows:
        raise SystemExit("no buttons found in " + source)
    return rows


BUTTONS = _read_button_table()

TITLE_POS = (429, 0)
TITLE_SIZE = (211, 72)
TILE_SIZE = (211, 16)
BALLOON_POS = (429, 96)
BALLOON_SIZE = (211, 48)  # so the tiles redrawn at y 96, 112, 128 erase it entirely
FACE_POS = (478, 149)
FACE_SIZE = (112, 120)  # centred in the panel, clear of the rows redrawn from y 272
MSG_POS = (438, 308)
MSG_SIZE = (196, 112)
FRAME_THICK = 22
