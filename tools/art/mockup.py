"""Mock-ups of the game's screens built from the finished bitmaps, placed and
composed the way the game draws them, for looking at the art in context.

Writes into the preview folder:
  screen-play.png, screen-menu.png, screen-choice.png, screen-settings.png
  screen-play-level0.png, screen-play-level6.png  the play screen with other levels' faces
  discs.png     every disc and flip picture composed on all five board colours (x3)
  frame.png     the board frame corners (x4)
  buttons.png   every button, chosen and not chosen, on the panel
  faces.png     the seven expressions at level 3
  faces-levels.png  every face: a row per level, a column per expression (x2)
"""

import os

import hostess
import layout
import pictures
from pixels import Image, paste, paste_over, read_bmp, render_svg, write_png

PALETTE = [
    (0, 0, 0),
    (0, 0, 255),
    (255, 0, 0),
    (255, 0, 255),
    (0, 255, 0),
    (0, 255, 255),
    (255, 255, 0),
    (255, 255, 255),
]


class Screen:
    def __init__(self, assets):
        self.assets = assets
        self.img = Image(layout.SCREEN_W, layout.SCREEN_H, (0, 0, 0, 255))
        self.cache = {}
        self.texts = []  # (col, row, text, fg, bg)

    def pic(self, name):
        if name not in self.cache:
            self.cache[name] = read_bmp(os.path.join(self.assets, "bmp", name))
        return self.cache[name]

    def draw(self, name, x, y):
        paste(self.img, self.pic(name), x, y)

    def box(self, x1, y1, x2, y2, colour):
        for x in range(x1, x2 + 1):
            for y in (y1, y2):
                self.img.put(x, y, colour + (255,))
        for y in range(y1, y2 + 1):
            for x in (x1, x2):
                self.img.put(x, y, colour + (255,))

    def title_screen(self):
        """Panel fill, frame pieces in the game's order, title and panel tiles."""
        for y in range(0, 440):
            for x in range(429, 640):
                self.img.put(x, y, PALETTE[1] + (255,))
        for X in range(1, 9):
            self.draw("waku-yoko.bmp", 22 + 48 * (X - 1), 0)
            self.draw("waku-yoko.bmp", 22 + 48 * (X - 1), 408)
        for x, y in ((0, 0), (0, 408), (380, 408), (380, 0)):
            self.draw("waku-yoko.bmp", x, y)
        for Y in range(1, 9):
            self.draw("waku-tate.bmp", 0, 22 + 48 * (Y - 1))
            self.draw("waku-tate.bmp", 408, 22 + 48 * (Y - 1))
        for x, y in ((0, 0), (408, 0), (408, 380), (0, 380)):
            self.draw("waku-tate.bmp", x, y)
        self.draw("title.bmp", 429, 0)
        y = 72
        while y < 461:
            self.draw("haikei01.bmp", 429, y)
            y += 16

    def board(self, colour_index, position):
        """Squares composed as the game prepares them: plain tile, discs."""
        board_pic = self.pic("%02d-zero.bmp" % (colour_index + 1))
        base = board_pic.get(1, 1)[:3]
        plain = Image(layout.DISC, layout.DISC, board_pic.get(0, 0)[:3] + (255,))
        tiles = {0: plain}
        for value, name in ((1, "siro.bmp"), (2, "kuro.bmp")):
            tiles[value] = pictures.compose_on_board(self.pic(name), base)
        for k in range(1, 6):
            tiles["han%d" % k] = pictures.compose_on_board(self.pic("han%d.bmp" % k), base)
        for Y in range(1, 9):
            for X in range(1, 9):
                v = position.get((X, Y), 0)
                paste(self.img, tiles[v], 22 + 48 * (X - 1) + 1, 22 + 48 * (Y - 1) + 1)

    def buttons(self, groups, choice):
        for g, item, name, x, y in layout.BUTTONS:
            if g not in groups:
                continue
            chosen = choice.get(g) == item
            pic = self.pic(name if chosen else "n" + name)
            paste(self.img, pic, x, y)
            self.box(x - 1, y - 1, x + pic.width, y + pic.height, PALETTE[7] if chosen else PALETTE[0])

    def text(self, col, row, s, fg=7, bg=-1):
        self.texts.append((col, row, s, fg, bg))

    def flush_text(self):
        """Renders the queued text rows in a 16-px Japanese gothic on the 8 x 16 grid."""
        body = ""
        for col, row, s, fg, bg in self.texts:
            c = col
            for ch in s:
                cells = 2 if ord(ch) > 0xFF else 1
                x, y = 8 * c, 16 * row
                if bg >= 0:
                    body += (
                        f'<rect x="{x}" y="{y}" width="{8 * cells}" height="16" '
                        f'fill="{pictures.hexc(PALETTE[bg])}"/>'
                    )
                if ch != " ":
                    body += (
                        f'<text x="{x + 4 * cells}" y="{y + 14}" font-family="IPAGothic" '
                        f'font-size="16" text-anchor="middle" '
                        f'fill="{pictures.hexc(PALETTE[fg])}">{ch}</text>'
                    )
                c += cells
        if body:
            overlay = render_svg(pictures.svg_doc(640, 440, body), 640, 440)
            paste_over(self.img, overlay, 0, 0)
        self.texts = []


START = {(4, 4): 1, (5, 5): 1, (4, 5): 2, (5, 4): 2}
MIDGAME = {
    **START,
    (3, 3): 2,
    (4, 3): 2,
    (5, 3): 1,
    (6, 4): 1,
    (6, 5): 2,
    (3, 5): 1,
    (5, 6): "han2",
    (4, 6): "han4",
    (3, 4): "han3",
    (6, 6): 1,
    (2, 2): 2,
    (1, 1): 1,
}


def play_screen(assets, colour=0, level=3, face=2):
    s = Screen(assets)
    s.title_screen()
    s.board(colour, MIDGAME)
    s.draw("msg.bmp", 438, 308)
    s.text(55, 5, "レベル 3  お姉さん" if level == 3 else "レベル %d" % level, 7)
    s.draw("hukidasi.bmp", *layout.BALLOON_POS)
    s.text(56, 6, "なかなかやるわね。", 0, 7)
    s.text(56, 7, "でも負けないわよ！", 0, 7)
    s.draw("face%d%d.bmp" % (level, face), 478, 149)
    s.buttons({3, 4, 5}, {})
    s.text(56, 20, "あなたの（黒）の番", 0, 7)
    s.text(56, 22, "置ける数 5  ", 0, 7)
    s.text(56, 23, "評価値 -12     ", 0, 7)
    s.text(56, 24, "3.2 秒", 0, 7)
    s.flush_text()
    return s.img


def menu_screen(assets, colour=1):
    s = Screen(assets)
    s.title_screen()
    s.board(colour, START)
    s.buttons({6}, {6: 0})
    return s.img


def choice_screen(assets, colour=2):
    s = Screen(assets)
    s.title_screen()
    s.board(colour, START)
    s.text(55, 5, "色の選択", 7)
    s.text(55, 10, "コンピュータの強さ選択", 7)
    s.buttons({0, 1, 2}, {0: 0, 1: 3})
    s.flush_text()
    return s.img


def settings_screen(assets, colour=3):
    s = Screen(assets)
    s.title_screen()
    s.board(colour, START)
    for row, label in (
        (5, "着手後の一時停止"),
        (9, "コンピュータの思考変化"),
        (13, "着手位置の表示"),
        (17, "効果音"),
        (21, "盤の色"),
    ):
        s.text(55, row, label, 7)
    s.buttons({7, 8, 9, 10, 11, 12}, {7: 1, 8: 0, 9: 1, 10: 1, 11: colour})
    s.flush_text()
    return s.img


def scaled(img, k):
    out = Image(img.width * k, img.height * k)
    out.px = [img.get(x // k, y // k) for y in range(out.height) for x in range(out.width)]
    return out


def discs_sheet(assets):
    names = ["siro.bmp"] + ["han%d.bmp" % k for k in range(1, 6)] + ["kuro.bmp"]
    k = 3
    cell = 48 * k
    sheet = Image(cell * len(names), cell * len(layout.BOARD_COLOURS), (0, 0, 0, 255))
    for row, colour in enumerate(layout.BOARD_COLOURS):
        for col, name in enumerate(names):
            disc = read_bmp(os.path.join(assets, "bmp", name))
            paste(sheet, scaled(pictures.compose_on_board(disc, colour), k), col * cell + k, row * cell + k)
    return sheet


def faces_sheet(assets):
    sheet = Image(7 * 116, 124, (0, 0, 0, 255))
    for f in range(7):
        paste(sheet, read_bmp(os.path.join(assets, "bmp", "face3%d.bmp" % f)), 2 + 116 * f, 2)
    return sheet


def faces_levels_sheet(assets):
    """The 49 face pictures at twice their size: levels down, expressions across,
    on the panel colour, labelled."""
    k = 2
    fw, fh = layout.FACE_SIZE
    gap, left, top = 8, 96, 24
    cols = len(hostess.EXPRESSIONS)
    rows = len(hostess.LOOKS)
    w = left + cols * (fw * k + gap)
    h = top + rows * (fh * k + gap)
    labels = "".join(
        f'<text x="{left + c * (fw * k + gap) + fw * k / 2}" y="17" text-anchor="middle">'
        f"{c} {name}</text>"
        for c, name in enumerate(hostess.EXPRESSIONS)
    )
    labels += "".join(
        f'<text x="6" y="{top + r * (fh * k + gap) + fh * k / 2}">level {r}</text>'
        f'<text x="6" y="{top + r * (fh * k + gap) + fh * k / 2 + 18}" font-size="12">'
        f"{look.name}</text>"
        for r, look in enumerate(hostess.LOOKS)
    )
    svg = (
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}">'
        f'<rect width="{w}" height="{h}" fill="{pictures.hexc(pictures.tile_colour(100))}"/>'
        f'<g font-family="{pictures.FONT}" font-size="15" fill="#ffffff">{labels}</g></svg>'
    )
    sheet = render_svg(svg, w, h)
    for r in range(rows):
        for c in range(cols):
            face = read_bmp(os.path.join(assets, "bmp", "face%d%d.bmp" % (r, c)))
            paste(sheet, scaled(face, k), left + c * (fw * k + gap), top + r * (fh * k + gap))
    return sheet


def buttons_sheet(assets):
    names = [n for n in pictures.BUTTON_DESIGNS] + ["%02d-zero.bmp" % i for i in range(1, 6)]
    sheet = Image(2 * 180 + 12, 46 * len(names) // 2 + 50, pictures.tile_colour(60) + (255,))
    y = 4
    for i, name in enumerate(names):
        for j, prefix in enumerate(("", "n")):
            pic = read_bmp(os.path.join(assets, "bmp", prefix + name))
            paste(sheet, pic, 4 + 184 * j, y)
        y += max(pic.height, 18) + 4
    sheet.height = min(sheet.height, y + 4)
    sheet.px = sheet.px[: sheet.width * sheet.height]
    return sheet


def frame_sheet(screen_img):
    """The two top corners of the board frame, magnified."""
    k = 4
    crop = Image(80, 60)
    crop.px = [screen_img.get(x, y) for y in range(60) for x in range(80)]
    crop2 = Image(80, 60)
    crop2.px = [screen_img.get(360 + x, 380 + y) for y in range(60) for x in range(80)]
    out = Image(2 * 80 * k + 8, 60 * k, (40, 40, 40, 255))
    paste(out, scaled(crop, k), 0, 0)
    paste(out, scaled(crop2, k), 80 * k + 8, 0)
    return out


def write_previews(assets, out_dir):
    os.makedirs(out_dir, exist_ok=True)
    play = play_screen(assets)
    write_png(os.path.join(out_dir, "screen-play.png"), play)
    for level, face in ((0, 6), (6, 2)):
        write_png(
            os.path.join(out_dir, "screen-play-level%d.png" % level),
            play_screen(assets, level % 5, level, face),
        )
    write_png(os.path.join(out_dir, "screen-menu.png"), menu_screen(assets))
    write_png(os.path.join(out_dir, "screen-choice.png"), choice_screen(assets))
    write_png(os.path.join(out_dir, "screen-settings.png"), settings_screen(assets))
    write_png(os.path.join(out_dir, "discs.png"), discs_sheet(assets))
    write_png(os.path.join(out_dir, "faces.png"), faces_sheet(assets))
    write_png(os.path.join(out_dir, "faces-levels.png"), faces_levels_sheet(assets))
    write_png(os.path.join(out_dir, "buttons.png"), buttons_sheet(assets))
    write_png(os.path.join(out_dir, "frame.png"), frame_sheet(play))
    print("previews in %s" % out_dir)
