"""Where the game draws each picture, and the colours the pictures share.

The positions are the game's own screen layout (640 x 440 drawing area, board
on the left, panel from x 429); the art is sized to fit them and the mock-ups
place the pictures here.
"""

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
SIZE_SWATCH = (18, 18)  # 20 px apart with a 1-px frame around each

# The game's button table: (group, item, file, x, y).
BUTTONS = [
    (0, 0, "sente.bmp", 485, 105),
    (0, 1, "gote.bmp", 485, 133),
    *[(1, i, "lv%d.bmp" % i, 485, 184 + 28 * i) for i in range(7)],
    (2, 0, "start.bmp", 458, 385),
    (3, 0, "matta.bmp", 438, 280),
    (4, 0, "hinto.bmp", 534, 280),
    (5, 0, "quit.bmp", 548, 384),
    (6, 0, "c-taisen.bmp", 450, 120),
    (6, 1, "h-taisen.bmp", 450, 160),
    (6, 2, "setup.bmp", 450, 200),
    *[(g, 1, "yes.bmp", 455, y) for g, y in ((7, 100), (8, 164), (9, 228), (10, 292))],
    *[(g, 0, "no.bmp", 530, y) for g, y in ((7, 100), (8, 164), (9, 228), (10, 292))],
    *[(11, i, "%02d-zero.bmp" % (i + 1), 500 + 20 * i, 338) for i in range(5)],
    (12, 0, "setok.bmp", 450, 375),
]

TITLE_POS = (429, 0)
TITLE_SIZE = (211, 72)
TILE_SIZE = (211, 16)
BALLOON_POS = (429, 95)
BALLOON_SIZE = (211, 48)  # so the tiles redrawn at y 95, 111, 127 erase it entirely
FACE_POS = (478, 149)
FACE_SIZE = (112, 120)  # centred in the panel, clear of the rows redrawn from y 272
MSG_POS = (438, 308)
MSG_SIZE = (196, 112)
FRAME_THICK = 22
