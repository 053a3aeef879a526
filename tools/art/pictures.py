"""Every picture of the game, drawn as SVG (or computed pixel by pixel where the
picture is a plain profile), returned as opaque RGBA images.

The disc and flip pictures follow the game's composition rule: pure black
(0,0,0) is see-through and becomes the board colour, pure blue (0,0,255) is the
shadow and becomes the board colour halved; every other colour is kept.
"""

import math

import hostess
import layout
from pixels import Image, flatten, render_svg

FONT = "Mplus1"  # fonts-mplus: "M PLUS 1" (fontconfig ignores case and blanks; a
# family name ending in a number would be read by Pango as a font size)


def svg_doc(w, h, body, defs=""):
    return (
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
        f'viewBox="0 0 {w} {h}"><defs>{defs}</defs>{body}</svg>'
    )


def hexc(rgb):
    return "#%02x%02x%02x" % tuple(rgb)


def lerp(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


# ---------------------------------------------------------------- panel tile


def tile_colour(x):
    """Colour of column x (0..210) of the panel tile; the tile is the same on
    every row, so tiles drawn off the 16-px grid (the game redraws rows at
    y 96, 112, 128) still join without a seam, and pictures drawn over the panel
    can carry the same background."""
    if x == 0:
        return (10, 20, 56)
    if x == 1:
        return (64, 104, 196)
    t = (x - 2) / (layout.PANEL_W - 3)
    c = 1 - abs(2 * t - 1)
    return lerp((20, 46, 128), (32, 68, 164), c**0.6)


def panel_background(x0, w, h):
    """An opaque image of the panel tile columns x0 .. x0 + w - 1, h rows high."""
    img = Image(w, h)
    img.px = [tile_colour(x0 + x) + (255,) for _ in range(h) for x in range(w)]
    return img


def make_tile():
    return panel_background(0, *layout.TILE_SIZE)


def over_panel(svg_text, x_on_screen, w, h):
    """Renders SVG over the panel tile as seen at screen column x_on_screen."""
    return flatten(render_svg(svg_text, w, h), panel_background(x_on_screen - layout.PANEL_X, w, h))


# ---------------------------------------------------------------- discs

WHITE = dict(
    rim=(72, 76, 84),
    side=(188, 194, 202),
    face_hi=(255, 255, 255),
    face_lo=(206, 212, 220),
)
BLACK = dict(
    rim=(10, 10, 12),
    side=(44, 46, 52),
    face_hi=(58, 62, 70),
    face_lo=(18, 19, 22),
)
DISC_CX, DISC_CY, DISC_R = 22.5, 22.0, 19.5
SHADOW_DX, SHADOW_DY = 2.5, 2.5
THICKNESS = 7.0

DISC_DEFS = """
<radialGradient id="whiteface" cx="0.36" cy="0.32" r="0.8">
  <stop offset="0" stop-color="%s"/><stop offset="0.5" stop-color="#f4f6f9"/>
  <stop offset="1" stop-color="%s"/>
</radialGradient>
<radialGradient id="blackface" cx="0.36" cy="0.32" r="0.8">
  <stop offset="0" stop-color="%s"/><stop offset="0.55" stop-color="#2a2c32"/>
  <stop offset="1" stop-color="%s"/>
</radialGradient>
<radialGradient id="gloss" cx="0.5" cy="0.5" r="0.5">
  <stop offset="0" stop-color="#ffffff" stop-opacity="0.85"/>
  <stop offset="1" stop-color="#ffffff" stop-opacity="0"/>
</radialGradient>
""" % (
    hexc(WHITE["face_hi"]),
    hexc(WHITE["face_lo"]),
    hexc(BLACK["face_hi"]),
    hexc(BLACK["face_lo"]),
)


def _disc_shape(angle_deg):
    """Front-face centre, back-face centre and half-width of a disc turned by
    angle_deg about the vertical axis (0 = white face up, 180 = black face up)."""
    a = math.radians(angle_deg)
    rx = max(DISC_R * abs(math.cos(a)), 1.2)
    d = THICKNESS / 2 * math.sin(a)
    sign = 1 if angle_deg < 90 else -1  # which way the visible face is pushed
    front = DISC_CX + sign * d
    back = DISC_CX - sign * d
    return front, back, rx


def _sweep(x_from, x_to, rx, ry, colour, steps=24, cy=DISC_CY):
    out = ""
    for i in range(steps + 1):
        x = x_from + (x_to - x_from) * i / steps
        out += f'<ellipse cx="{x:.3f}" cy="{cy}" rx="{rx:.3f}" ry="{ry}" fill="{colour}"/>'
    return out


def disc_body_svg(angle_deg):
    """The disc itself (no background, no shadow) as SVG."""
    front, back, rx = _disc_shape(angle_deg)
    up, down = (WHITE, BLACK) if angle_deg < 90 else (BLACK, WHITE)
    mid = (front + back) / 2
    r = DISC_R
    body = ""
    # dark outline around the whole solid, then the two layers of the rim
    body += _sweep(back, front, rx + 1.2, r + 1.2, hexc(up["rim"]))
    body += _sweep(back, mid, rx, r, hexc(down["side"]))
    body += _sweep(mid, front, rx, r, hexc(up["side"]))
    face_id = "whiteface" if up is WHITE else "blackface"
    inner = 1.6 * abs(math.cos(math.radians(angle_deg)))
    body += (
        f'<ellipse cx="{front:.3f}" cy="{DISC_CY}" rx="{max(rx - inner, 0.6):.3f}" '
        f'ry="{r - 1.6}" fill="url(#{face_id})"/>'
    )
    c = abs(math.cos(math.radians(angle_deg)))
    if c > 0.3:
        # gloss: a soft oval highlight towards the top left
        gx = front - 6.5 * c
        body += (
            f'<ellipse cx="{gx:.3f}" cy="{DISC_CY - 7}" rx="{7.5 * c:.3f}" ry="5" '
            f'fill="url(#gloss)" opacity="{0.75 if up is BLACK else 0.9}" '
            f'transform="rotate(-25 {gx:.3f} {DISC_CY - 7})"/>'
        )
        if up is BLACK:
            body += (
                f'<path d="M{front - 12 * c:.3f} {DISC_CY + 2} A{(r - 6) * c:.3f} {r - 6} 0 0 1 '
                f'{front:.3f} {DISC_CY - r + 6}" fill="none" stroke="#8a909c" '
                f'stroke-width="1.2" stroke-linecap="round" opacity="0.5"/>'
            )
    return svg_doc(layout.DISC, layout.DISC, body, DISC_DEFS)


def disc_shadow_svg(angle_deg):
    front, back, rx = _disc_shape(angle_deg)
    body = _sweep(
        back + SHADOW_DX, front + SHADOW_DX, rx + 1.2, DISC_R + 1.2, "#000", cy=DISC_CY + SHADOW_DY
    )
    return svg_doc(layout.DISC, layout.DISC, body)


SEE_THROUGH = (0, 0, 0)
SHADOW = (0, 0, 255)


def make_disc(angle_deg):
    """A disc picture in the game's convention: body pixels are the rendered disc
    (edge pixels blended toward the disc's dark rim, so they read as its outline
    on every board), shadow pixels pure blue, the rest pure black."""
    body = render_svg(disc_body_svg(angle_deg), layout.DISC, layout.DISC)
    shadow = render_svg(disc_shadow_svg(angle_deg), layout.DISC, layout.DISC)
    rim = (WHITE if angle_deg < 90 else BLACK)["rim"]
    out = Image(layout.DISC, layout.DISC)
    px = []
    for (r, g, b, a), (_, _, _, sa) in zip(body.px, shadow.px):
        if a >= 110:
            t = a / 255
            c = tuple(round(v * t + m * (1 - t)) for v, m in zip((r, g, b), rim))
            if c == SEE_THROUGH:
                c = (1, 1, 1)
            if c == SHADOW:
                c = (0, 0, 254)
            px.append(c + (255,))
        elif sa >= 128:
            px.append(SHADOW + (255,))
        else:
            px.append(SEE_THROUGH + (255,))
    out.px = px
    return out


# Angles of the five flip frames: 1 nearest white .. 5 nearest black, the middle
# one nearly edge-on.
FLIP_ANGLES = [30, 58, 84, 122, 150]


def compose_on_board(disc, board_rgb):
    """What the game shows for a disc picture on a board of the given colour."""
    shadow = tuple(c // 2 for c in board_rgb)
    out = Image(disc.width, disc.height)
    out.px = [
        (board_rgb if p[:3] == SEE_THROUGH else shadow if p[:3] == SHADOW else p[:3]) + (255,)
        for p in disc.px
    ]
    return out


# ---------------------------------------------------------------- board frame

# Cross-section of the wooden frame, outer edge first: a rounded bead lit from
# the top left, a flat slope, and a dark lip next to the board.
FRAME_PROFILE = [
    (58, 30, 12),
    (236, 186, 128),
    (226, 170, 108),
    (214, 154, 92),
    (200, 140, 80),
    (184, 124, 68),
    (160, 104, 54),
    (132, 82, 40),
    (176, 118, 62),
    (190, 130, 72),
    (184, 124, 68),
    (178, 118, 64),
    (186, 126, 70),
    (172, 112, 60),
    (166, 108, 56),
    (176, 116, 62),
    (158, 100, 52),
    (146, 92, 46),
    (132, 82, 40),
    (110, 66, 30),
    (84, 48, 20),
    (40, 20, 8),
]


def make_frame_piece(horizontal):
    """waku-yoko (48 x 22, grain along x) or waku-tate (22 x 48, grain along y).
    The wood is the same all along the piece, so the overlapping copies the
    game draws at the corners join without seams."""
    thick = layout.FRAME_THICK
    length = layout.SQUARE
    if horizontal:
        img = Image(length, thick)
        img.px = [FRAME_PROFILE[y] + (255,) for y in range(thick) for _ in range(length)]
    else:
        img = Image(thick, length)
        img.px = [FRAME_PROFILE[x] + (255,) for _ in range(length) for x in range(thick)]
    return img


# ---------------------------------------------------------------- swatches


def make_swatch(colour, chosen):
    """18 x 18 board-colour button. The chosen look is also the board picture:
    its pixels (0, 0) and (1, 1) are the board colour itself."""
    w, h = layout.SIZE_SWATCH
    c = hexc(colour)
    light = hexc(lerp(colour, (255, 255, 255), 0.35))
    dark = hexc(lerp(colour, (0, 0, 0), 0.45))
    if chosen:
        body = (
            f'<rect width="{w}" height="{h}" fill="{c}"/>'
            f'<path d="M4.5 9.5 L7.8 12.8 L13.8 5.2" fill="none" stroke="#ffffff" '
            f'stroke-width="2.4" stroke-linecap="round" stroke-linejoin="round"/>'
        )
    else:
        body = (
            f'<rect width="{w}" height="{h}" fill="{c}"/>'
            f'<path d="M0.5 17.5 L0.5 0.5 L17.5 0.5" fill="none" stroke="{light}"/>'
            f'<path d="M0.5 17.5 L17.5 17.5 L17.5 0.5" fill="none" stroke="{dark}"/>'
        )
    img = flatten(render_svg(svg_doc(w, h, body), w, h), Image(w, h, (0, 0, 0, 255)))
    if chosen:
        assert img.get(0, 0)[:3] == colour and img.get(1, 1)[:3] == colour
    return img


# ---------------------------------------------------------------- buttons

OFF = dict(top="#fbfdff", bottom="#b9d0ee", hi="#ffffff", lo="#8ea6cc", text="#18306e", glow="#ffffff")
ON = dict(top="#fff3a8", bottom="#f5a623", hi="#fffbe0", lo="#b86e0c", text="#5a2600", glow="#fff6c8")


def _icon(kind, x, y, s, style):
    """A small icon centred at (x, y), about s units across."""
    ink = style["text"]
    if kind == "black":
        return (
            f'<circle cx="{x}" cy="{y}" r="{s / 2}" fill="#26282c" stroke="#0a0a0c" stroke-width="1"/>'
            f'<circle cx="{x - s * 0.16}" cy="{y - s * 0.16}" r="{s * 0.14}" fill="#8a909c"/>'
        )
    if kind == "white":
        return (
            f'<circle cx="{x}" cy="{y}" r="{s / 2}" fill="#ffffff" stroke="#4a4e56" stroke-width="1"/>'
            f'<circle cx="{x + s * 0.1}" cy="{y + s * 0.1}" r="{s * 0.3}" fill="#e4e8ee"/>'
        )
    if kind == "play":
        return (
            f'<path d="M{x - s * 0.35} {y - s * 0.45} L{x + s * 0.45} {y} L{x - s * 0.35} '
            f'{y + s * 0.45} Z" fill="{ink}" stroke="{ink}" stroke-width="1.2" stroke-linejoin="round"/>'
        )
    if kind == "resume":
        # A bookmark ribbon with the play triangle beside it: go on from the kept place.
        return (
            f'<path d="M{x - s * 0.5} {y - s * 0.45} L{x - s * 0.14} {y - s * 0.45} L{x - s * 0.14} '
            f'{y + s * 0.45} L{x - s * 0.32} {y + s * 0.25} L{x - s * 0.5} {y + s * 0.45} Z" '
            f'fill="{ink}" stroke="{ink}" stroke-width="1" stroke-linejoin="round"/>'
            f'<path d="M{x + s * 0.02} {y - s * 0.36} L{x + s * 0.5} {y} L{x + s * 0.02} '
            f'{y + s * 0.36} Z" fill="{ink}" stroke="{ink}" stroke-width="1.2" stroke-linejoin="round"/>'
        )
    if kind == "undo":
        return (
            f'<path d="M{x + s * 0.42} {y + s * 0.4} A{s * 0.4} {s * 0.38} 0 1 0 {x - s * 0.1} '
            f'{y - s * 0.36}" fill="none" stroke="{ink}" stroke-width="2" stroke-linecap="round"/>'
            f'<path d="M{x - s * 0.45} {y - s * 0.38} L{x} {y - s * 0.68} L{x} {y - s * 0.06} Z" '
            f'fill="{ink}"/>'
        )
    if kind == "hint":
        return (
            f'<circle cx="{x}" cy="{y - s * 0.1}" r="{s * 0.34}" fill="#ffe066" stroke="{ink}" '
            f'stroke-width="1.3"/>'
            f'<rect x="{x - s * 0.17}" y="{y + s * 0.26}" width="{s * 0.34}" height="{s * 0.2}" '
            f'rx="1" fill="{ink}"/>'
            f'<path d="M{x - s * 0.08} {y - s * 0.2} Q{x + s * 0.04} {y - s * 0.32} {x + s * 0.12} '
            f'{y - s * 0.18}" fill="none" stroke="#ffffff" stroke-width="1.2" stroke-linecap="round"/>'
        )
    if kind == "computer":
        return (
            f'<rect x="{x - s * 0.5}" y="{y - s * 0.42}" width="{s}" height="{s * 0.66}" rx="2" '
            f'fill="{ink}"/>'
            f'<rect x="{x - s * 0.38}" y="{y - s * 0.32}" width="{s * 0.76}" height="{s * 0.46}" '
            f'fill="#1f7a4c"/>'
            f'<circle cx="{x - s * 0.12}" cy="{y - s * 0.09}" r="{s * 0.13}" fill="#26282c"/>'
            f'<circle cx="{x + s * 0.14}" cy="{y - s * 0.09}" r="{s * 0.13}" fill="#ffffff"/>'
            f'<rect x="{x - s * 0.22}" y="{y + s * 0.3}" width="{s * 0.44}" height="{s * 0.14}" '
            f'rx="1" fill="{ink}"/>'
        )
    if kind == "people":
        out = ""
        for dx, fill in ((-0.22, "#26282c"), (0.22, "#ffffff")):
            cx = x + dx * s
            out += (
                f'<circle cx="{cx}" cy="{y - s * 0.2}" r="{s * 0.17}" fill="{fill}" '
                f'stroke="{ink}" stroke-width="1.1"/>'
                f'<path d="M{cx - s * 0.28} {y + s * 0.45} Q{cx - s * 0.28} {y + s * 0.02} {cx} '
                f'{y + s * 0.02} Q{cx + s * 0.28} {y + s * 0.02} {cx + s * 0.28} {y + s * 0.45} Z" '
                f'fill="{fill}" stroke="{ink}" stroke-width="1.1"/>'
            )
        return out
    if kind == "gear":
        teeth = ""
        for i in range(8):
            teeth += (
                f'<rect x="{x - s * 0.09}" y="{y - s * 0.5}" width="{s * 0.18}" height="{s * 0.22}" '
                f'fill="{ink}" transform="rotate({i * 45} {x} {y})"/>'
            )
        return (
            teeth
            + f'<circle cx="{x}" cy="{y}" r="{s * 0.34}" fill="{ink}"/>'
            + f'<circle cx="{x}" cy="{y}" r="{s * 0.14}" fill="{style["bottom"]}"/>'
        )
    if kind == "check":
        return (
            f'<path d="M{x - s * 0.4} {y} L{x - s * 0.1} {y + s * 0.32} L{x + s * 0.42} '
            f'{y - s * 0.34}" fill="none" stroke="{ink}" stroke-width="2.6" '
            f'stroke-linecap="round" stroke-linejoin="round"/>'
        )
    if kind == "cross":
        return (
            f'<path d="M{x - s * 0.3} {y - s * 0.3} L{x + s * 0.3} {y + s * 0.3} M{x + s * 0.3} '
            f'{y - s * 0.3} L{x - s * 0.3} {y + s * 0.3}" fill="none" stroke="{ink}" '
            f'stroke-width="2.4" stroke-linecap="round"/>'
        )
    if kind == "door":
        return (
            f'<rect x="{x - s * 0.32}" y="{y - s * 0.45}" width="{s * 0.5}" height="{s * 0.9}" '
            f'fill="none" stroke="{ink}" stroke-width="1.6"/>'
            f'<path d="M{x - s * 0.1} {y} L{x + s * 0.48} {y} M{x + s * 0.3} {y - s * 0.18} '
            f'L{x + s * 0.48} {y} L{x + s * 0.3} {y + s * 0.18}" fill="none" stroke="{ink}" '
            f'stroke-width="1.6" stroke-linecap="round" stroke-linejoin="round"/>'
        )
    if kind in ("first", "prev", "next", "last"):
        # Triangles pointing the way the review steps; first and last add a bar.
        d = -1 if kind in ("first", "prev") else 1
        tri = (
            f'<path d="M{x - d * s * 0.3} {y - s * 0.4} L{x + d * s * 0.3} {y} L{x - d * s * 0.3} '
            f'{y + s * 0.4} Z" fill="{ink}" stroke="{ink}" stroke-width="1" stroke-linejoin="round"/>'
        )
        if kind in ("first", "last"):
            bx = x + d * s * 0.38
            tri += (
                f'<rect x="{bx - s * 0.08}" y="{y - s * 0.4}" width="{s * 0.16}" height="{s * 0.8}" '
                f'fill="{ink}"/>'
            )
        return tri
    if kind == "review":
        # A small graph of a game's swings under a magnifying glass.
        return (
            f'<path d="M{x - s * 0.5} {y + s * 0.1} L{x - s * 0.25} {y - s * 0.2} L{x} {y + s * 0.2} '
            f'L{x + s * 0.2} {y - s * 0.35}" fill="none" stroke="{ink}" stroke-width="1.6" '
            f'stroke-linecap="round" stroke-linejoin="round"/>'
            f'<circle cx="{x + s * 0.12}" cy="{y - s * 0.02}" r="{s * 0.3}" fill="none" '
            f'stroke="{ink}" stroke-width="1.6"/>'
            f'<path d="M{x + s * 0.33} {y + s * 0.2} L{x + s * 0.5} {y + s * 0.45}" stroke="{ink}" '
            f'stroke-width="2.4" stroke-linecap="round"/>'
        )
    raise ValueError(kind)


def button_svg(w, h, label, chosen, size, icon=None, weight=800):
    """A bevelled button: light steel when not chosen, warm gold when chosen;
    the same label and icon in both, so the two read as one button."""
    st = ON if chosen else OFF
    defs = (
        f'<linearGradient id="bg" x1="0" y1="0" x2="0" y2="1">'
        f'<stop offset="0" stop-color="{st["top"]}"/><stop offset="1" stop-color="{st["bottom"]}"/>'
        f"</linearGradient>"
    )
    body = (
        f'<rect width="{w}" height="{h}" fill="url(#bg)"/>'
        f'<path d="M0.5 {h - 0.5} L0.5 0.5 L{w - 0.5} 0.5" fill="none" stroke="{st["hi"]}"/>'
        f'<path d="M0.5 {h - 0.5} L{w - 0.5} {h - 0.5} L{w - 0.5} 0.5" fill="none" stroke="{st["lo"]}"/>'
    )
    icon_w = 0
    if icon:
        s = min(h - 10, 18)
        icon_w = s + 6 if label else s  # the gap only parts the icon from a label
    # measured roughly: full-width glyphs are one em, digits and latin ~0.6 em
    text_w = sum(size if ord(ch) > 0x2E80 else size * 0.62 for ch in label)
    total = icon_w + text_w
    x0 = (w - total) / 2
    if icon:
        body += _icon(icon, x0 + s / 2, h / 2, s, st)
    tx = x0 + icon_w + text_w / 2
    ty = h / 2 + size * 0.36
    body += (
        f'<text x="{tx:.2f}" y="{ty + 1:.2f}" font-family="{FONT}" font-weight="{weight}" '
        f'font-size="{size}" text-anchor="middle" fill="{st["glow"]}" opacity="0.7">{label}</text>'
        f'<text x="{tx:.2f}" y="{ty:.2f}" font-family="{FONT}" font-weight="{weight}" '
        f'font-size="{size}" text-anchor="middle" fill="{st["text"]}">{label}</text>'
    )
    return svg_doc(w, h, body, defs)


# name: (size, label, font size, icon)
BUTTON_DESIGNS = {
    "sente.bmp": (layout.SIZE_PICK, "先手", 16, "black"),
    "gote.bmp": (layout.SIZE_PICK, "後手", 16, "white"),
    **{"lv%d.bmp" % i: (layout.SIZE_PICK, "レベル%d" % i, 15, None) for i in range(7)},
    "start.bmp": (layout.SIZE_START, "スタート", 20, "play"),
    "matta.bmp": (layout.SIZE_PLAY, "待った", 15, "undo"),
    "hinto.bmp": (layout.SIZE_PLAY, "ヒント", 15, "hint"),
    "quit.bmp": (layout.SIZE_QUIT, "終了", 15, "door"),
    "c-taisen.bmp": (layout.SIZE_MENU, "コンピュータと対戦", 15, "computer"),
    "h-taisen.bmp": (layout.SIZE_MENU, "二人で対戦", 16, "people"),
    "setup.bmp": (layout.SIZE_MENU, "設定", 16, "gear"),
    "tuzuki.bmp": (layout.SIZE_MENU, "続きから", 16, "resume"),
    "yes.bmp": (layout.SIZE_YESNO, "はい", 15, "check"),
    "no.bmp": (layout.SIZE_YESNO, "いいえ", 15, "cross"),
    "setok.bmp": (layout.SIZE_OK, "OK", 20, "check"),
    "rv-menu.bmp": (layout.SIZE_MENU, "振り返り", 16, "review"),
    "rv-result.bmp": (layout.SIZE_PLAY, "振り返り", 14, "review"),
    "rv-newer.bmp": (layout.SIZE_STEP, "新しい", 14, "prev"),
    "rv-older.bmp": (layout.SIZE_STEP, "古い", 14, "next"),
    "rv-open.bmp": (layout.SIZE_MENU, "この対局を見る", 15, "review"),
    "rv-leave.bmp": (layout.SIZE_MENU, "メニューへ", 16, "door"),
    "rv-first.bmp": (layout.SIZE_REVIEW_STEP, "", 14, "first"),
    "rv-prev.bmp": (layout.SIZE_REVIEW_STEP, "", 14, "prev"),
    "rv-next.bmp": (layout.SIZE_REVIEW_STEP, "", 14, "next"),
    "rv-last.bmp": (layout.SIZE_REVIEW_STEP, "", 14, "last"),
    "rv-mistake.bmp": (layout.SIZE_REVIEW_WORD, "悪手", 14, None),
    "rv-quit.bmp": (layout.SIZE_REVIEW_QUIT, "終了", 14, None),
}


def make_button(name, chosen):
    (w, h), label, size, icon = BUTTON_DESIGNS[name]
    fg = render_svg(button_svg(w, h, label, chosen, size, icon), w, h)
    return flatten(fg, Image(w, h, (0, 0, 0, 255)))


# ---------------------------------------------------------------- title


def make_title():
    """211 x 72: the hostess on the left, the game's name beside her. The lowest
    rows match the panel tile so the title flows into the panel below it."""
    w, h = layout.TITLE_SIZE
    defs = (
        hostess.DEFS
        + """
<linearGradient id="sky" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#0a1440"/><stop offset="1" stop-color="#000000" stop-opacity="0"/>
</linearGradient>
<linearGradient id="gold" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#fff8c0"/><stop offset="0.5" stop-color="#ffd040"/>
  <stop offset="1" stop-color="#f08a10"/>
</linearGradient>
"""
    )
    stars = "".join(
        f'<circle cx="{x}" cy="{y}" r="{r}" fill="#ffffff" opacity="{o}"/>'
        for x, y, r, o in (
            (80, 6, 0.9, 0.8),
            (128, 10, 0.7, 0.6),
            (196, 5, 1.0, 0.8),
            (170, 14, 0.6, 0.5),
            (104, 16, 0.6, 0.5),
            (204, 30, 0.7, 0.5),
        )
    )
    name_small = (
        f'<text x="140" y="25" font-family="{FONT}" font-weight="900" font-size="17" '
        f'text-anchor="middle" fill="#1a2a60" stroke="#1a2a60" stroke-width="3.5" '
        f'stroke-linejoin="round">ケルナの</text>'
        f'<text x="140" y="25" font-family="{FONT}" font-weight="900" font-size="17" '
        f'text-anchor="middle" fill="#ffd6e4">ケルナの</text>'
    )
    name_big = (
        f'<text x="140" y="60" font-family="{FONT}" font-weight="900" font-size="33" '
        f'text-anchor="middle" fill="#3a1a00" stroke="#3a1a00" stroke-width="6" '
        f'stroke-linejoin="round" letter-spacing="-1">リバーシ</text>'
        f'<text x="140" y="60" font-family="{FONT}" font-weight="900" font-size="33" '
        f'text-anchor="middle" fill="url(#gold)" stroke="#fffbe0" stroke-width="0.6" '
        f'letter-spacing="-1">リバーシ</text>'
    )
    discs = (
        '<g transform="translate(92 15)"><circle r="6" fill="#26282c" stroke="#000" stroke-width="0.8"/>'
        '<circle cx="-2" cy="-2" r="1.5" fill="#8a909c"/></g>'
        '<g transform="translate(188 15)"><circle r="6" fill="#ffffff" stroke="#4a4e56" stroke-width="0.8"/></g>'
    )
    body = (
        f'<rect width="{w}" height="{h}" fill="url(#sky)"/>'
        + stars
        + '<g transform="translate(2 1) scale(0.6)">'
        + hostess.group(2)
        + "</g>"
        + discs
        + name_small
        + name_big
    )
    return over_panel(svg_doc(w, h, body, defs), layout.TITLE_POS[0], w, h)


# ---------------------------------------------------------------- balloon, message frame, faces

OUTLINE = "#14245a"


def make_balloon():
    """Speech balloon around text rows 6 and 7 (y 96..127, x 448..607), white
    inside because the lines are printed black on white; the tail points down
    at the face below."""
    w, h = layout.BALLOON_SIZE
    tail_x = layout.FACE_POS[0] + layout.FACE_SIZE[0] / 2 - layout.BALLOON_POS[0]
    body = (
        # soft shadow
        f'<rect x="9" y="3" width="{w - 14}" height="36" rx="11" fill="#000814" opacity="0.35"/>'
        f'<path d="M{tail_x - 8} 36 L{tail_x + 3} {h - 1} L{tail_x + 10} 36 Z" fill="#000814" opacity="0.35"/>'
        # body and tail
        f'<rect x="6.5" y="0.5" width="{w - 15}" height="35" rx="10" fill="#ffffff" stroke="{OUTLINE}"/>'
        f'<path d="M{tail_x - 9} 34 L{tail_x + 1} {h - 3} L{tail_x + 8} 34" fill="#ffffff" '
        f'stroke="{OUTLINE}" stroke-linejoin="round"/>'
        f'<rect x="{tail_x - 8.5}" y="33" width="16" height="2.5" fill="#ffffff"/>'
    )
    return over_panel(svg_doc(w, h, body), layout.BALLOON_POS[0], w, h)


def make_message_frame():
    """The frame around the message rows 20..24 (y 320..399 from x 448): a wooden
    border matching the board frame, white inside where the game prints black
    on white."""
    w, h = layout.MSG_SIZE
    defs = (
        '<linearGradient id="wood" x1="0" y1="0" x2="0" y2="1">'
        '<stop offset="0" stop-color="#e6b47a"/><stop offset="0.5" stop-color="#b87840"/>'
        '<stop offset="1" stop-color="#7e4a20"/></linearGradient>'
    )
    body = (
        f'<rect x="1" y="1" width="{w - 2}" height="{h - 2}" rx="7" fill="url(#wood)" stroke="#3a1e0a"/>'
        f'<rect x="4.5" y="4.5" width="{w - 9}" height="{h - 9}" rx="4" fill="none" stroke="#f4d4a4" '
        f'opacity="0.7"/>'
        f'<rect x="5.5" y="5.5" width="{w - 11}" height="{h - 11}" rx="3" fill="#ffffff" stroke="#5a3414"/>'
    )
    img = over_panel(svg_doc(w, h, body, defs), layout.MSG_POS[0], w, h)
    return img


def make_face(level, face):
    w, h = layout.FACE_SIZE
    return over_panel(hostess.portrait_svg(level, face), layout.FACE_POS[0], w, h)
