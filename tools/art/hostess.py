"""The hostess Kerna drawn as SVG: one parametric drawing, seven levels, seven
expressions.

The drawing is 112 x 120 units. What makes her Kerna never changes: the copper
hair and fringe, the green eyes, the face, and the black-and-white disc clip
over her right temple. What changes with the level (LOOKS) is her hairstyle,
outfit, headwear, a held prop, the card behind her, and her poise: at level 0 a
playful girl whose feelings show in full, rising to a composed master at level
6 whose expressions stay restrained.

Expressions (EXPRESSIONS), by the game moments that show them:
  0 dismayed    she must pass, or is well behind
  1 uneasy      a little behind, or left with a single move
  2 calm        level game, start of a game, a draw
  3 pleased     a little ahead, or playing from her opening book
  4 delighted   well ahead, or she has won
  5 crying      she has lost, is hopelessly lost, or the game swung against her
  6 triumphant  the game swung her way, a certain win, a corner taken at level 0

The title picture uses the level-3 look with the calm expression (group(2)).
"""

import math
from dataclasses import dataclass

W, H = 112, 120

EXPRESSIONS = ["dismayed", "uneasy", "calm", "pleased", "delighted", "crying", "triumphant"]

SKIN = "#ffe4d2"
SKIN_SHADE = "#f4c8b0"
HAIR = "#c8643a"
HAIR_DARK = "#8e3e22"
HAIR_LIGHT = "#ec9a62"
EYE = "#2a8a5a"
EYE_DARK = "#14402a"
LINE = "#4a2418"
DRESS = "#1f7a4c"
DRESS_DARK = "#125236"
COLLAR = "#ffffff"
BLUSH = "#ff8a8a"
TEAR = "#8fd0ff"
MOUTH = "#b8404a"
TONGUE = "#ff8c8c"
GOLD = "#ffd34a"
GOLD_DARK = "#a07010"


@dataclass(frozen=True)
class Look:
    """One level's version of the hostess."""

    name: str
    hair: str  # back hair: long, twintails, bob, braid, wavy, updo
    lock_end: int  # how far down the side locks reach
    outfit: str  # hoodie, sailor, cardigan, dress, blazer, royal, kimono
    headwear: tuple  # drawn over the hair: ribbons, hairband, beret, tiara, kanzashi, earrings
    card: tuple  # card gradient: centre, middle, edge
    backdrop: str  # extra on the card: confetti, petals, grid, board, rays, moon
    prop: str  # lollipop, fan or ""
    glasses: bool
    poise: int  # 0 playful, 1 steady, 2 composed: how far the expressions go


LOOKS = [
    Look("playful kid", "twintails", 78, "hoodie", ("ribbons",),
         ("#fffaf2", "#ffd8e4", "#ff9ec0"), "confetti", "lollipop", False, 0),
    Look("schoolgirl", "long", 92, "sailor", ("hairband",),
         ("#fbfff6", "#d4f4da", "#8ed2a4"), "petals", "", False, 0),
    Look("apprentice", "bob", 86, "cardigan", ("beret",),
         ("#ffffff", "#e2f0fc", "#a8cbec"), "grid", "", True, 1),
    Look("big sister", "long", 92, "dress", (),
         ("#fffaf0", "#d8ecfa", "#8ab8e6"), "", "", False, 1),
    Look("tutor", "braid", 88, "blazer", ("earrings",),
         ("#fbf8ff", "#e4dcf4", "#b4a4dc"), "board", "", False, 1),
    Look("queen", "wavy", 92, "royal", ("tiara", "earrings"),
         ("#fffbe8", "#ffe0b0", "#e89a6a"), "rays", "", False, 2),
    Look("master", "updo", 82, "kimono", ("kanzashi",),
         ("#f4ecd4", "#8a7ab8", "#2e2456"), "moon", "fan", False, 2),
]

DEFS = """
<linearGradient id="hairg" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="%(light)s"/><stop offset="0.45" stop-color="%(hair)s"/>
  <stop offset="1" stop-color="%(dark)s"/>
</linearGradient>
<radialGradient id="skin" cx="0.45" cy="0.4" r="0.7">
  <stop offset="0.6" stop-color="%(skin)s"/><stop offset="1" stop-color="%(shade)s"/>
</radialGradient>
<radialGradient id="iris" cx="0.5" cy="0.35" r="0.7">
  <stop offset="0" stop-color="#7fd6a4"/><stop offset="0.55" stop-color="%(eye)s"/>
  <stop offset="1" stop-color="%(eyedark)s"/>
</radialGradient>
<linearGradient id="dress" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="%(dress)s"/><stop offset="1" stop-color="%(dressdark)s"/>
</linearGradient>
""" % dict(
    light=HAIR_LIGHT,
    hair=HAIR,
    dark=HAIR_DARK,
    skin=SKIN,
    shade=SKIN_SHADE,
    eye=EYE,
    eyedark=EYE_DARK,
    dress=DRESS,
    dressdark=DRESS_DARK,
)


def _gradient(gid, top, bottom):
    return (
        f'<linearGradient id="{gid}" x1="0" y1="0" x2="0" y2="1">'
        f'<stop offset="0" stop-color="{top}"/><stop offset="1" stop-color="{bottom}"/>'
        f"</linearGradient>"
    )


# Outfit gradients, one id per outfit so any look can use them.
OUTFIT_DEFS = "".join(
    (
        _gradient("hoodie", "#ffc43a", "#f08a1a"),
        _gradient("sailor", "#ffffff", "#dfe6f0"),
        _gradient("navy", "#2c3c80", "#18224e"),
        _gradient("cardigan", "#e8bc4c", "#b88a24"),
        _gradient("blazer", "#3c4868", "#222a40"),
        _gradient("velvet", "#c8243e", "#6e0c22"),
        _gradient("kimono", "#6a3a8c", "#3a1a52"),
        _gradient("gold", "#fff0a0", "#d49a20"),
    )
)

# ---------------------------------------------------------------- hair

HAIR_STROKE = f'fill="url(#hairg)" stroke="{HAIR_DARK}"'

LONG_BACK = (
    f'<path d="M56 8 C24 8 12 32 14 62 C15 84 10 100 6 118 L106 118 C102 100 97 84 98 62 '
    f'C100 32 88 8 56 8 Z" {HAIR_STROKE} stroke-width="1.2"/>'
)

# Back of the head alone, for the styles that gather the hair up.
HEAD_BACK = (
    f'<path d="M56 8 C25 8 14 32 16 58 C17 70 20 78 26 84 L86 84 C92 78 95 70 96 58 '
    f'C98 32 87 8 56 8 Z" {HAIR_STROKE} stroke-width="1.2"/>'
)


def _twin_tails():
    out = ""
    for s in (1, -1):  # left tail, then the mirror image
        def x(v):
            return 56 + s * (v - 56)

        out += (
            f'<path d="M{x(24)} 32 C{x(6)} 34 {x(0)} 58 {x(4)} 80 C{x(6)} 96 {x(12)} 106 {x(6)} 118 '
            f'C{x(20)} 108 {x(22)} 92 {x(20)} 74 C{x(19)} 60 {x(22)} 46 {x(30)} 38 Z" '
            f'{HAIR_STROKE} stroke-width="1"/>'
            f'<path d="M{x(12)} 48 C{x(8)} 62 {x(9)} 76 {x(12)} 88" fill="none" '
            f'stroke="{HAIR_LIGHT}" stroke-width="1.6" stroke-linecap="round" opacity="0.7"/>'
        )
    return out


def _back_hair(look):
    if look.hair in ("long", "braid"):
        return LONG_BACK if look.hair == "long" else HEAD_BACK
    if look.hair == "twintails":
        return HEAD_BACK + _twin_tails()
    if look.hair == "bob":
        return (
            f'<path d="M56 8 C24 8 12 32 14 60 C14 74 12 86 8 94 C16 100 26 98 32 92 L80 92 '
            f'C86 98 96 100 104 94 C100 86 98 74 98 60 C100 32 88 8 56 8 Z" {HAIR_STROKE} '
            f'stroke-width="1.2"/>'
        )
    if look.hair == "wavy":
        return (
            f'<path d="M56 8 C24 8 12 30 14 56 C10 70 18 80 12 92 C6 102 14 110 6 119 L106 119 '
            f'C98 110 106 102 100 92 C94 80 102 70 98 56 C100 30 88 8 56 8 Z" {HAIR_STROKE} '
            f'stroke-width="1.2"/>'
            f'<path d="M14 96 C10 104 16 110 12 116 M98 96 C102 104 96 110 100 116" fill="none" '
            f'stroke="{HAIR_LIGHT}" stroke-width="1.4" opacity="0.7"/>'
        )
    if look.hair == "updo":
        # Everything gathered into a bun high at the back, seen over the crown.
        return (
            f'<ellipse cx="56" cy="9" rx="17" ry="10" {HAIR_STROKE} stroke-width="1.2"/>'
            f'<path d="M44 8 C48 2 62 1 68 7 M46 13 C52 9 62 9 67 13" fill="none" '
            f'stroke="{HAIR_DARK}" stroke-width="0.9" opacity="0.8"/>'
            f'<path d="M56 10 C26 10 17 30 19 50 C20 58 22 62 26 64 L86 64 C90 62 92 58 93 50 '
            f'C95 30 86 10 56 10 Z" {HAIR_STROKE} stroke-width="1.2"/>'
        )
    raise ValueError(look.hair)


def _braid():
    """A braid falling in front of her left shoulder (the viewer's right)."""
    out = (
        f'<path d="M86 56 C92 62 94 70 92 78" fill="none" stroke="{HAIR_DARK}" stroke-width="7.4" '
        f'stroke-linecap="round"/>'
        f'<path d="M86 56 C92 62 94 70 92 78" fill="none" stroke="{HAIR}" stroke-width="5.6" '
        f'stroke-linecap="round"/>'
    )
    for i in range(6):  # the strands cross left and right in turn
        x, y = 91 - i * 1.1, 81 + i * 6.2
        side = 1 if i % 2 else -1
        out += (
            f'<ellipse cx="{x}" cy="{y}" rx="5" ry="3.9" transform="rotate({-32 * side} {x} {y})" '
            f'{HAIR_STROKE} stroke-width="0.9"/>'
            f'<path d="M{x - 2.5} {y - 1.2 * side} L{x + 2.5} {y + 1.2 * side}" '
            f'stroke="{HAIR_LIGHT}" stroke-width="1" stroke-linecap="round" opacity="0.8"/>'
        )
    out += (
        f'<rect x="80.5" y="114" width="8" height="3.4" rx="1.5" fill="#6a4ac8" stroke="#3a2470" '
        f'stroke-width="0.6"/>'
        f'<path d="M81 117.4 L79 121 M84.5 117.4 L84.5 121 M88 117.4 L90 121" stroke="{HAIR_DARK}" '
        f'stroke-width="1.4"/>'
    )
    return out


FACE_OUTLINE = "M26 52 C26 30 38 20 56 20 C74 20 86 30 86 52 C86 72 74 88 56 88 C38 88 26 72 26 52 Z"

FACE = (
    f'<path d="{FACE_OUTLINE}" fill="url(#skin)" stroke="{LINE}" stroke-width="1"/>'
    f'<ellipse cx="25.5" cy="58" rx="3.5" ry="6" fill="{SKIN}" stroke="{LINE}" stroke-width="0.8"/>'
    f'<ellipse cx="86.5" cy="58" rx="3.5" ry="6" fill="{SKIN}" stroke="{LINE}" stroke-width="0.8"/>'
)

FRINGE = (
    f'<path d="M22 50 C20 26 36 12 56 12 C78 12 92 26 90 52 C86 44 82 38 78 34 L76 44 L70 32 '
    f'L62 42 L58 30 L50 42 L44 31 L38 44 L34 34 C28 40 24 44 22 50 Z" {HAIR_STROKE} '
    f'stroke-width="1"/>'
    f'<path d="M40 18 C48 14 62 14 70 18" fill="none" stroke="{HAIR_LIGHT}" stroke-width="2.4" '
    f'stroke-linecap="round" opacity="0.8"/>'
)


def _side_locks(end):
    return (
        f'<path d="M22 50 C18 64 18 80 22 {end} L27 70 Z" {HAIR_STROKE} stroke-width="0.8"/>'
        f'<path d="M90 50 C94 64 94 80 90 {end} L85 70 Z" {HAIR_STROKE} stroke-width="0.8"/>'
    )


# The disc clip: the one accessory she always wears.
CLIP = """
<g transform="translate(84 26)">
  <circle r="8" fill="#f8f8f8" stroke="#303030" stroke-width="1"/>
  <path d="M0 -8 A8 8 0 0 1 0 8 Z" fill="#26282c"/>
  <circle r="8" fill="none" stroke="#303030" stroke-width="1"/>
  <circle cx="-3.5" cy="-3.5" r="1.6" fill="#ffffff" opacity="0.9"/>
</g>
"""

NECK = f'<rect x="49" y="80" width="14" height="20" rx="4" fill="{SKIN_SHADE}"/>'

# ---------------------------------------------------------------- outfits

BODY = "M18 120 C20 104 34 96 56 96 C78 96 92 104 94 120 Z"


def _body(fill, stroke):
    return f'<path d="{BODY}" fill="{fill}" stroke="{stroke}" stroke-width="1"/>'


def _bow(x, y, size, colour, dark, angle=0):
    s = size
    return (
        f'<g transform="translate({x} {y}) rotate({angle})">'
        f'<path d="M0 0 C{-s * 0.6} {-s * 0.9} {-s * 1.3} {-s * 0.7} {-s * 1.2} 0 '
        f'C{-s * 1.3} {s * 0.7} {-s * 0.6} {s * 0.9} 0 0 Z" fill="{colour}" stroke="{dark}" '
        f'stroke-width="0.9"/>'
        f'<path d="M0 0 C{s * 0.6} {-s * 0.9} {s * 1.3} {-s * 0.7} {s * 1.2} 0 '
        f'C{s * 1.3} {s * 0.7} {s * 0.6} {s * 0.9} 0 0 Z" fill="{colour}" stroke="{dark}" '
        f'stroke-width="0.9"/>'
        f'<path d="M-1 1 L{-s * 0.5} {s * 1.1} M1 1 L{s * 0.5} {s * 1.1}" stroke="{dark}" '
        f'stroke-width="{s * 0.35}" stroke-linecap="round"/>'
        f'<path d="M-1 1 L{-s * 0.5} {s * 1.1} M1 1 L{s * 0.5} {s * 1.1}" stroke="{colour}" '
        f'stroke-width="{s * 0.2}" stroke-linecap="round"/>'
        f'<circle r="{s * 0.32}" fill="{colour}" stroke="{dark}" stroke-width="0.9"/>'
        f"</g>"
    )


def _star(x, y, r, fill, stroke):
    pts = []
    for i in range(10):
        a = -math.pi / 2 + i * math.pi / 5
        rr = r if i % 2 == 0 else r * 0.45
        pts.append("%.2f %.2f" % (x + rr * math.cos(a), y + rr * math.sin(a)))
    return (
        f'<path d="M{" L".join(pts)} Z" fill="{fill}" stroke="{stroke}" stroke-width="0.7" '
        f'stroke-linejoin="round"/>'
    )


def _outfit(look):
    """(drawn under the neck, drawn over it)"""
    o = look.outfit
    if o == "dress":
        under = (
            f'<path d="{BODY}" fill="url(#dress)" stroke="{DRESS_DARK}" stroke-width="1"/>'
            f'<path d="M40 99 L56 112 L72 99 L66 97 L56 105 L46 97 Z" fill="{COLLAR}" '
            f'stroke="#b8c4cc" stroke-width="0.8"/>'
        )
        over = (
            f'<path d="M56 100 L52 106 L56 110 L60 106 Z" fill="{GOLD}" stroke="{GOLD_DARK}" '
            f'stroke-width="0.6"/>'
        )
        return under, over
    if o == "hoodie":
        under = (
            '<path d="M28 106 C26 94 40 88 56 88 C72 88 86 94 84 106 Z" fill="#d87010" '
            'stroke="#a04e08" stroke-width="1"/>' + _body("url(#hoodie)", "#b05a08")
        )
        over = (
            '<path d="M43 97.5 Q56 109 69 97.5" fill="none" stroke="#c86a0c" stroke-width="3.2" '
            'stroke-linecap="round"/>'
            '<path d="M50 104 L48.5 115 M62 104 L63.5 115" stroke="#ffffff" stroke-width="1.3" '
            'stroke-linecap="round"/>'
            '<circle cx="48.5" cy="115.5" r="1.3" fill="#ffffff"/>'
            '<circle cx="63.5" cy="115.5" r="1.3" fill="#ffffff"/>'
            + _star(36, 111, 5, "#ff6a9a", "#c83a6a")
        )
        return under, over
    if o == "sailor":
        under = _body("url(#sailor)", "#9aa6b8")
        lapel = (
            "M21 118 C23 106 32 99 46 97 L57 113 Z",
            "M91 118 C89 106 80 99 66 97 L55 113 Z",
        )
        over = "".join(
            f'<path d="{d}" fill="url(#navy)" stroke="#101838" stroke-width="0.8" '
            f'stroke-linejoin="round"/>'
            for d in lapel
        )
        over += (
            '<path d="M25 115.5 L52.5 111.5 L45.5 100.5 M87 115.5 L59.5 111.5 L66.5 100.5" '
            'fill="none" stroke="#ffffff" stroke-width="1" stroke-linejoin="round"/>'
            '<path d="M56 110 L50 120 L55 118 Z M56 110 L62 120 L57 118 Z" fill="#e02a3a" '
            'stroke="#8a1020" stroke-width="0.7" stroke-linejoin="round"/>'
            '<path d="M52 107.5 L60 107.5 L58 113 L54 113 Z" fill="#e8323f" stroke="#8a1020" '
            'stroke-width="0.8" stroke-linejoin="round"/>'
        )
        return under, over
    if o == "cardigan":
        under = _body("url(#cardigan)", "#8a6410")
        over = (
            '<path d="M47 97 L65 97 L61 120 L51 120 Z" fill="#ffffff" stroke="#c0c8d0" '
            'stroke-width="0.6"/>'
            '<path d="M47 97 L51 120 M65 97 L61 120" stroke="#8a6410" stroke-width="1.2"/>'
            '<circle cx="63.2" cy="108" r="1.2" fill="#fff4d0" stroke="#8a6410" stroke-width="0.5"/>'
            '<circle cx="62.2" cy="115" r="1.2" fill="#fff4d0" stroke="#8a6410" stroke-width="0.5"/>'
            '<path d="M56 99 C50 97 44 97 42.5 100 C42 105 50 106 56 101 Z" fill="#ffffff" '
            'stroke="#9aa4b0" stroke-width="0.8"/>'
            '<path d="M56 99 C62 97 68 97 69.5 100 C70 105 62 106 56 101 Z" fill="#ffffff" '
            'stroke="#9aa4b0" stroke-width="0.8"/>' + _bow(56, 101, 3.6, "#d83a4a", "#8a1828")
        )
        return under, over
    if o == "blazer":
        under = _body("url(#blazer)", "#141a2a")
        over = (
            '<path d="M46 97 L66 97 L56 118 Z" fill="#ffffff" stroke="#b0b8c4" stroke-width="0.6"/>'
            '<path d="M46 97 L50 104 L56 100 L62 104 L66 97" fill="#ffffff" stroke="#8a94a4" '
            'stroke-width="0.8" stroke-linejoin="round"/>'
            '<path d="M44 97.5 L56 119 L48 119 L38 106 L42 104 Z" fill="#2a3450" stroke="#0e1424" '
            'stroke-width="0.8" stroke-linejoin="round"/>'
            '<path d="M68 97.5 L56 119 L64 119 L74 106 L70 104 Z" fill="#2a3450" stroke="#0e1424" '
            'stroke-width="0.8" stroke-linejoin="round"/>'
            # a little disc pin on her lapel
            '<circle cx="44" cy="110" r="2.6" fill="#f8f8f8" stroke="#101010" stroke-width="0.6"/>'
            '<path d="M44 107.4 A2.6 2.6 0 0 1 44 112.6 Z" fill="#202020"/>'
            '<path d="M54 103 L58 103 L57 107 L55 107 Z" fill="#2a8a8a" stroke="#0e4a4a" '
            'stroke-width="0.5"/>'
        )
        return under, over
    if o == "royal":
        under = _body("url(#velvet)", "#4a0614")
        spots = "".join(
            f'<path d="M{x} {y} l0.9 2.4 l-0.9 -0.6 l-0.9 0.6 Z" fill="#1a1a1a"/>'
            for x, y in ((28, 110), (38, 104.5), (74, 104.5), (84, 110), (31, 116), (81, 116))
        )
        over = (
            '<path d="M48 98 Q56 112 64 98" fill="none" stroke="url(#gold)" stroke-width="1.4"/>'
            f'<circle cx="56" cy="106" r="3.6" fill="#f8f8f8" stroke="{GOLD_DARK}" stroke-width="1.2"/>'
            '<path d="M56 102.4 A3.6 3.6 0 0 1 56 109.6 Z" fill="#202020"/>'
            '<path d="M15 120 C17 108 26 101 40 99 C38 104 34 110 30 113 C26 115 24 118 24 120 Z" '
            'fill="#fbfbf6" stroke="#a8a8a0" stroke-width="0.8"/>'
            '<path d="M97 120 C95 108 86 101 72 99 C74 104 78 110 82 113 C86 115 88 118 88 120 Z" '
            'fill="#fbfbf6" stroke="#a8a8a0" stroke-width="0.8"/>' + spots
        )
        return under, over
    if o == "kimono":
        under = (
            '<clipPath id="kimonoclip"><path d="' + BODY + '"/></clipPath>'
            + _body("url(#kimono)", "#24102e")
        )
        # The right side of the garment wraps under the left: the edge from her
        # left shoulder (the viewer's right) crosses on top.
        over = (
            '<g clip-path="url(#kimonoclip)">'
            f'<path d="M45 96 L67 96 L56 110 Z" fill="{SKIN_SHADE}"/>'
            '<path d="M45 95 L67 121 L60 121 L41 98 Z" fill="#ffffff"/>'
            '<path d="M41 98 L60 121 L55 121 L38 100 Z" fill="#d8283a"/>'
            '<path d="M67 95 L45 121 L52 121 L71 98 Z" fill="#ffffff" stroke="#b8b0c0" '
            'stroke-width="0.5"/>'
            '<path d="M71 98 L52 121 L57 121 L74 100 Z" fill="#d8283a"/>'
            '<path d="M74 100 L57 121" stroke="#24102e" stroke-width="0.8"/>'
            '<rect x="10" y="115.5" width="92" height="6" fill="url(#gold)" stroke="#8a5a10" '
            'stroke-width="0.7"/>'
            '<path d="M10 118.2 L102 118.2" stroke="#b03040" stroke-width="0.9"/>'
            "</g>"
        )
        for x, y in ((30, 108), (82, 106), (90, 114)):
            over += (
                f'<circle cx="{x}" cy="{y}" r="1.6" fill="#f4b8d0" opacity="0.8"/>'
                f'<circle cx="{x}" cy="{y}" r="0.6" fill="#fff0a0"/>'
            )
        return under, over
    raise ValueError(o)


# ---------------------------------------------------------------- headwear and props


def _headwear(look, layer):
    """Pieces worn on the head; layer "back" goes behind the fringe, "front" over it."""
    out = ""
    wear = look.headwear
    if layer == "front":
        if "ribbons" in wear:
            out += _bow(23, 34, 7, "#ff5a8a", "#b0264e", -20) + _bow(89, 37, 7, "#ff5a8a", "#b0264e", 20)
        if "hairband" in wear:
            out += (
                '<path d="M23.5 44 C22 24 38 14.5 56 14.5 C74 14.5 90 24 88.5 44" fill="none" '
                'stroke="#7a1020" stroke-width="5" stroke-linecap="round"/>'
                '<path d="M23.5 44 C22 24 38 14.5 56 14.5 C74 14.5 90 24 88.5 44" fill="none" '
                'stroke="#e23a4a" stroke-width="3.4" stroke-linecap="round"/>'
            )
        if "beret" in wear:
            out += (
                '<g transform="rotate(-14 44 16)">'
                '<ellipse cx="44" cy="16" rx="28" ry="9.5" fill="#a8283e" stroke="#5a0c1c" '
                'stroke-width="1"/>'
                '<path d="M18 17 Q44 26 70 17" fill="none" stroke="#7a1428" stroke-width="2.2"/>'
                '<path d="M42 6.6 L43 3 L45 3 L46 6.6" fill="#7a1428"/>'
                '<path d="M30 12 Q40 8 54 9" fill="none" stroke="#d8526a" stroke-width="1.6" '
                'stroke-linecap="round" opacity="0.8"/>'
                "</g>"
            )
        if "tiara" in wear:
            out += (
                '<path d="M38 21 L37 13 L42 17 L46 9 L51 15 L56 4 L61 15 L66 9 L70 17 L75 13 '
                'L74 21 Q56 16 38 21 Z" fill="url(#gold)" stroke="#8a5a10" stroke-width="0.9" '
                'stroke-linejoin="round"/>'
                '<circle cx="56" cy="14" r="2.4" fill="#e0203a" stroke="#7a0a18" stroke-width="0.6"/>'
                '<circle cx="46" cy="15.5" r="1.2" fill="#40a0ff"/>'
                '<circle cx="66" cy="15.5" r="1.2" fill="#40a0ff"/>'
                '<circle cx="55.3" cy="13.2" r="0.7" fill="#ffffff"/>'
            )
        if "kanzashi" in wear:
            # A hairpin through the bun, with a flower and short dangling chains.
            out += (
                '<path d="M14 6 L50 24" stroke="#e8c060" stroke-width="2" stroke-linecap="round"/>'
                '<path d="M14 6 L50 24" stroke="#8a5a10" stroke-width="0.5"/>'
            )
            for i in range(5):
                a = i * 2 * math.pi / 5 - math.pi / 2
                out += (
                    f'<circle cx="{22 + 3.4 * math.cos(a):.2f}" cy="{10 + 3.4 * math.sin(a):.2f}" '
                    f'r="3" fill="#f48ab0" stroke="#b03a6a" stroke-width="0.6"/>'
                )
            out += '<circle cx="22" cy="10" r="1.6" fill="#ffe060" stroke="#a07010" stroke-width="0.5"/>'
            for dx, length in ((-3, 10), (0, 14), (3, 10)):
                x = 22 + dx
                out += (
                    f'<path d="M{x} 13 L{x} {13 + length}" stroke="#d4a030" stroke-width="0.7"/>'
                    f'<circle cx="{x}" cy="{13 + length + 1}" r="1.4" fill="#e8405a" '
                    f'stroke="#8a1828" stroke-width="0.4"/>'
                )
    if layer == "ears" and "earrings" in wear:
        if look.outfit == "royal":
            for x in (25.5, 86.5):
                out += (
                    f'<path d="M{x} 63 L{x} 66" stroke="{GOLD_DARK}" stroke-width="0.7"/>'
                    f'<path d="M{x} 66 L{x - 1.8} 69 L{x} 72 L{x + 1.8} 69 Z" fill="#e0203a" '
                    f'stroke="#7a0a18" stroke-width="0.5"/>'
                )
        else:
            for x in (25.5, 86.5):
                out += (
                    f'<circle cx="{x}" cy="65.5" r="1.9" fill="#f4f0ff" stroke="#8a80b0" '
                    f'stroke-width="0.5"/>'
                )
    return out


def _glasses():
    out = ""
    for x in (LEFT_EYE_X, RIGHT_EYE_X):
        out += (
            f'<circle cx="{x}" cy="{EYE_Y}" r="9.5" fill="#e8f4ff" fill-opacity="0.18" '
            f'stroke="#7a2a3a" stroke-width="1.4"/>'
            f'<path d="M{x - 6} {EYE_Y - 4} L{x - 3} {EYE_Y - 7}" stroke="#ffffff" '
            f'stroke-width="1.1" stroke-linecap="round" opacity="0.85"/>'
        )
    out += (
        f'<path d="M53.5 {EYE_Y - 1} Q56 {EYE_Y - 3} 58.5 {EYE_Y - 1}" fill="none" stroke="#7a2a3a" '
        f'stroke-width="1.3"/>'
        f'<path d="M34.5 {EYE_Y - 1} L27 {EYE_Y - 3} M77.5 {EYE_Y - 1} L85 {EYE_Y - 3}" '
        f'stroke="#7a2a3a" stroke-width="1.2"/>'
    )
    return out


def _hand(x, y, angle=0):
    """A small closed hand (fist) with its knuckle lines."""
    return (
        f'<g transform="translate({x} {y}) rotate({angle})">'
        f'<rect x="-6" y="-5" width="12" height="10" rx="4.5" fill="{SKIN}" stroke="{LINE}" '
        f'stroke-width="0.9"/>'
        f'<path d="M-6 -1 L-1.5 -1 M-6 2 L-1.5 2" stroke="{LINE}" stroke-width="0.6"/>'
        f'<path d="M-2 -5 Q-4 -2 -1.5 0" fill="none" stroke="{LINE}" stroke-width="0.6"/>'
        f"</g>"
    )


def _lollipop():
    swirl = "".join(
        f'<path d="M{98 + 0.0} {84} m{-r} 0 a{r} {r} 0 0 1 {2 * r} 0" fill="none" '
        f'stroke="#ffffff" stroke-width="1.6" transform="rotate({a} 98 84)"/>'
        for r, a in ((3, 0), (5.5, 180), (8, 0))
    )
    return (
        '<path d="M98 84 L94 112" stroke="#ffffff" stroke-width="2.4" stroke-linecap="round"/>'
        '<path d="M98 84 L94 112" stroke="#c8c8d0" stroke-width="0.6"/>'
        '<circle cx="98" cy="84" r="10" fill="#ff5a8a" stroke="#b0264e" stroke-width="1"/>'
        + swirl
        + '<circle cx="98" cy="84" r="10" fill="none" stroke="#b0264e" stroke-width="1"/>'
        '<ellipse cx="94.5" cy="80" rx="3" ry="1.8" fill="#ffffff" opacity="0.6" '
        'transform="rotate(-35 94.5 80)"/>' + _hand(94, 108, -8)
    )


def _fan(x, y, angle, r=22):
    """A folding fan of radius r opened above its pivot at (x, y), tilted by angle:
    red paper with a gold band and a disc crest, spread over 120 degrees."""

    def at(radius, degrees):
        a = math.radians(degrees)
        return "%.2f %.2f" % (radius * math.cos(a), radius * math.sin(a))

    hub, band = r * 0.3, r * 0.86
    ribs = "".join(
        f'<path d="M0 0 L{at(r, -150 + 15 * i)}" stroke="#8a1828" stroke-width="0.5" opacity="0.7"/>'
        for i in range(9)
    )
    crest_x, crest_y, crest_r = -r * 0.18, -r * 0.68, r * 0.15
    return (
        f'<g transform="translate({x} {y}) rotate({angle})">'
        f'<path d="M{at(hub, -150)} L{at(r, -150)} A{r} {r} 0 0 1 {at(r, -30)} L{at(hub, -30)} '
        f'A{hub:.2f} {hub:.2f} 0 0 0 {at(hub, -150)} Z" fill="#e83048" stroke="#7a0a18" '
        f'stroke-width="0.9"/>'
        f'<path d="M{at(band, -150)} A{band:.2f} {band:.2f} 0 0 1 {at(band, -30)}" fill="none" '
        f'stroke="{GOLD}" stroke-width="1.6"/>'
        + ribs
        + f'<circle cx="{crest_x:.2f}" cy="{crest_y:.2f}" r="{crest_r:.2f}" fill="#ffffff"/>'
        f'<path d="M{crest_x:.2f} {crest_y - crest_r:.2f} A{crest_r:.2f} {crest_r:.2f} 0 0 1 '
        f'{crest_x:.2f} {crest_y + crest_r:.2f} Z" fill="#202020"/>'
        f'<path d="M0 0 L{at(hub, -150)} M0 0 L{at(hub, -30)}" stroke="#5a3414" stroke-width="1.4"/>'
        f"</g>"
    )


# ---------------------------------------------------------------- card


def _card_defs(look):
    c0, c1, c2 = look.card
    return (
        f'<radialGradient id="card" cx="0.5" cy="0.42" r="0.65">'
        f'<stop offset="0" stop-color="{c0}"/><stop offset="0.55" stop-color="{c1}"/>'
        f'<stop offset="1" stop-color="{c2}"/></radialGradient>'
        f'<clipPath id="cardclip"><rect x="2" y="2" width="108" height="116" rx="11"/></clipPath>'
    )


def _backdrop(look):
    kind = look.backdrop
    if kind == "confetti":
        bits = (
            (12, 14, "#ffd02a"), (24, 30, "#4ac0ff"), (96, 16, "#60d070"), (14, 60, "#ff7a3a"),
            (100, 56, "#b070ff"), (8, 92, "#4ac0ff"), (102, 96, "#ffd02a"), (18, 44, "#60d070"),
        )
        return "".join(
            f'<rect x="{x - 2}" y="{y - 1.2}" width="4" height="2.4" rx="0.6" fill="{c}" '
            f'transform="rotate({(x * 7 + y * 3) % 90 - 45} {x} {y})"/>'
            for x, y, c in bits
        )
    if kind == "petals":
        return "".join(
            f'<path d="M0 -3 C2 -3 3 0 0 3 C-3 0 -2 -3 0 -3 Z" fill="#ffb8cc" stroke="#e07a9a" '
            f'stroke-width="0.4" transform="translate({x} {y}) rotate({a})"/>'
            for x, y, a in ((12, 16, 20), (100, 14, -30), (8, 70, 60), (104, 62, -10), (16, 98, 40),
                            (98, 100, 75))
        )
    if kind == "grid":
        lines = "".join(f'<path d="M0 {y} L112 {y}"/>' for y in range(8, 120, 8))
        lines += "".join(f'<path d="M{x} 0 L{x} 120"/>' for x in range(8, 112, 8))
        return f'<g stroke="#7aa8d8" stroke-width="0.4" opacity="0.55">{lines}</g>'
    if kind == "board":
        # The corner of a board, as on a study sheet.
        squares = "".join(
            f'<rect x="{2 + 13 * col}" y="{2 + 13 * row}" width="13" height="13" fill="#3a9a62"/>'
            for row in range(3)
            for col in range(3)
            if row + col < 4
        )
        grid = (
            '<path d="M15 2 L15 41 M28 2 L28 28 M2 15 L41 15 M2 28 L28 28" stroke="#1e5a38" '
            'stroke-width="0.8"/>'
        )
        discs = (
            '<circle cx="21.5" cy="21.5" r="5" fill="#fafafa" stroke="#505050" stroke-width="0.5"/>'
            '<circle cx="8.5" cy="21.5" r="5" fill="#26282c"/>'
            '<circle cx="21.5" cy="8.5" r="5" fill="#26282c"/>'
            '<circle cx="20" cy="6.8" r="1.4" fill="#7a808c"/>'
        )
        return f'<g opacity="0.6">{squares}{grid}{discs}</g>'
    if kind == "rays":
        rays = ""
        for i in range(16):
            a = math.radians(i * 22.5)
            b = math.radians(i * 22.5 + 9)
            rays += (
                f'<path d="M56 50 L{56 + 120 * math.cos(a):.1f} {50 + 120 * math.sin(a):.1f} '
                f'L{56 + 120 * math.cos(b):.1f} {50 + 120 * math.sin(b):.1f} Z"/>'
            )
        return f'<g fill="#fff4c0" opacity="0.45">{rays}</g>'
    if kind == "moon":
        stars = "".join(
            f'<circle cx="{x}" cy="{y}" r="{r}" fill="#fff8d8" opacity="0.9"/>'
            for x, y, r in ((10, 20, 0.8), (100, 12, 1), (104, 44, 0.7), (8, 52, 0.7), (96, 84, 0.8))
        )
        return (
            '<circle cx="56" cy="46" r="44" fill="#fff4c8" opacity="0.35"/>'
            '<circle cx="56" cy="46" r="38" fill="#fff0b8" opacity="0.5"/>' + stars
        )
    return ""


# ---------------------------------------------------------------- expressions

LEFT_EYE_X, RIGHT_EYE_X, EYE_Y = 44, 68, 58


def _open_eye(x, y, look=0.0, lid=0.0, small=False):
    """An open eye; look shifts the iris sideways, lid lowers the upper lid (0..1),
    small shrinks the iris (shock)."""
    top = y - 7 + 6 * lid
    iris, pupil, glint = ((3.2, 4.4), (1.5, 2.1), 1.2) if small else ((4.6, 6.2), (2.2, 3), 1.7)
    out = f"""
<ellipse cx="{x}" cy="{y}" rx="6" ry="7.5" fill="#ffffff" stroke="{LINE}" stroke-width="0.8"/>
<ellipse cx="{x + look}" cy="{y + 0.5}" rx="{iris[0]}" ry="{iris[1]}" fill="url(#iris)"/>
<ellipse cx="{x + look}" cy="{y + 1}" rx="{pupil[0]}" ry="{pupil[1]}" fill="{EYE_DARK}"/>
<circle cx="{x + look - 1.8}" cy="{y - 2.4}" r="{glint}" fill="#ffffff"/>
<circle cx="{x + look + 1.8}" cy="{y + 3}" r="0.8" fill="#ffffff" opacity="0.8"/>
<path d="M{x - 7.5} {top + 1} Q{x} {top - 3.5} {x + 7.5} {top + 1}" fill="none"
      stroke="{LINE}" stroke-width="2.2" stroke-linecap="round"/>
"""
    if lid > 0:  # skin over the top of the eye, above the lowered lid line
        out += (
            f'<path d="M{x - 7} {top + 1} Q{x} {top - 3} {x + 7} {top + 1} L{x + 7} {y - 8} '
            f'L{x - 7} {y - 8} Z" fill="{SKIN}"/>'
        )
    return out


def _happy_eye(x, y):
    """A closed, smiling eye: an upward arc."""
    return (
        f'<path d="M{x - 6} {y + 2} Q{x} {y - 6} {x + 6} {y + 2}" fill="none" '
        f'stroke="{LINE}" stroke-width="2.4" stroke-linecap="round"/>'
    )


def _shut_eye(x, y):
    """An eye squeezed shut (crying): a downward arc."""
    return (
        f'<path d="M{x - 6} {y - 1} Q{x} {y + 4} {x + 6} {y - 1}" fill="none" '
        f'stroke="{LINE}" stroke-width="2.4" stroke-linecap="round"/>'
    )


def _squeezed_eye(x, y, side):
    """A tightly squeezed eye, > or <, for wailing."""
    d = 5 * side
    return (
        f'<path d="M{x - d} {y - 5} L{x + d} {y} L{x - d} {y + 5}" fill="none" stroke="{LINE}" '
        f'stroke-width="2.4" stroke-linecap="round" stroke-linejoin="round"/>'
    )


def _spiral_eye(x, y):
    """A dizzy, swirling eye."""
    return (
        f'<ellipse cx="{x}" cy="{y}" rx="6" ry="7.5" fill="#ffffff" stroke="{LINE}" stroke-width="0.8"/>'
        f'<path d="M{x} {y} m0 -1 a1 1 0 0 1 1.2 1.6 a2.4 2.4 0 0 1 -3.6 -0.6 a3.6 3.6 0 0 1 5 -3.6 '
        f'a4.8 4.8 0 0 1 1 6.4 a5 5 0 0 1 -6.8 1.4" fill="none" stroke="{EYE}" stroke-width="1.3" '
        f'stroke-linecap="round"/>'
    )


def _brows(inner_dy, outer_dy):
    """Both brows; positive dy lowers that end."""
    y = 43
    out = ""
    for x_in, x_out in ((50, 37), (62, 75)):
        out += (
            f'<path d="M{x_out} {y + outer_dy} Q{(x_in + x_out) / 2} {y - 2 + (inner_dy + outer_dy) / 2} '
            f'{x_in} {y + inner_dy}" fill="none" stroke="{HAIR_DARK}" stroke-width="2" '
            f'stroke-linecap="round"/>'
        )
    return out


def _blush(strength=0.55):
    return (
        f'<ellipse cx="36" cy="69" rx="6" ry="3" fill="{BLUSH}" opacity="{strength}"/>'
        f'<ellipse cx="76" cy="69" rx="6" ry="3" fill="{BLUSH}" opacity="{strength}"/>'
    )


def _sweat(x, y, size=1.0):
    s = size
    return (
        f'<path d="M{x} {y} C{x - 4 * s} {y + 6 * s} {x - 4 * s} {y + 10 * s} {x} {y + 10 * s} '
        f'C{x + 4 * s} {y + 10 * s} {x + 4 * s} {y + 6 * s} {x} {y} Z" fill="#bfe6ff" '
        f'stroke="#4a90c8" stroke-width="0.9"/>'
    )


def _gloom():
    """Blue shade and lines down the upper face, under the fringe: dismay."""
    lines = "".join(
        f'<path d="M{x} 26 L{x} {45 + (x % 3) * 1.5}" stroke="#4a64c0" stroke-width="1.2" '
        f'stroke-linecap="round"/>'
        for x in (36, 41, 46, 51, 56, 61, 66, 71, 76)
    )
    return (
        '<linearGradient id="gloom" x1="0" y1="0" x2="0" y2="1">'
        '<stop offset="0" stop-color="#5a78d8" stop-opacity="0.75"/>'
        '<stop offset="1" stop-color="#5a78d8" stop-opacity="0"/></linearGradient>'
        f'<clipPath id="faceclip"><path d="{FACE_OUTLINE}"/></clipPath>'
        '<g clip-path="url(#faceclip)"><rect x="20" y="20" width="72" height="34" fill="url(#gloom)"/>'
        f'<g opacity="0.8">{lines}</g></g>'
    )


def _sparkle(x, y, r):
    return (
        f'<path d="M{x} {y - r} Q{x + r * 0.2} {y - r * 0.2} {x + r} {y} Q{x + r * 0.2} '
        f'{y + r * 0.2} {x} {y + r} Q{x - r * 0.2} {y + r * 0.2} {x - r} {y} Q{x - r * 0.2} '
        f'{y - r * 0.2} {x} {y - r} Z" fill="#fff6b0" stroke="#e0a020" stroke-width="0.6"/>'
    )


def _tears(width=3.0, length=26):
    out = ""
    for x in (LEFT_EYE_X, RIGHT_EYE_X):
        out += (
            f'<path d="M{x - 3} {EYE_Y + 3} C{x - 5} {EYE_Y + 3 + length * 0.35} {x - 2} '
            f'{EYE_Y + 3 + length * 0.7} {x - 4} {EYE_Y + length}" fill="none" stroke="{TEAR}" '
            f'stroke-width="{width}" stroke-linecap="round" opacity="0.9"/>'
        )
    return out


def _streams():
    """Tears pouring down both cheeks: a wail."""
    out = ""
    for x, s in ((LEFT_EYE_X, -1), (RIGHT_EYE_X, 1)):
        y = EYE_Y
        out += (
            f'<path d="M{x - 3 * s} {y + 4} C{x - 3 * s} {y + 14} {x - s} {y + 20} {x - s} {y + 28} '
            f'L{x + 9 * s} {y + 28} C{x + 6 * s} {y + 22} {x + 3 * s} {y + 14} {x + 3 * s} {y + 4} Z" '
            f'fill="{TEAR}" stroke="#5aa0d8" stroke-width="0.6" opacity="0.9"/>'
        )
    return out


MOUTH_Y = 76


def _mouth(kind):
    y = MOUTH_Y
    if kind == "smile":
        return (
            f'<path d="M50 {y} Q56 {y + 5} 62 {y}" fill="none" stroke="{LINE}" '
            f'stroke-width="1.6" stroke-linecap="round"/>'
        )
    if kind == "wide-smile":
        return (
            f'<path d="M48 {y - 1} Q56 {y + 6} 64 {y - 1}" fill="none" stroke="{LINE}" '
            f'stroke-width="1.7" stroke-linecap="round"/>'
        )
    if kind == "cat":
        return (
            f'<path d="M49 {y - 1.5} Q52.5 {y + 4} 56 {y} Q59.5 {y + 4} 63 {y - 1.5}" fill="none" '
            f'stroke="{LINE}" stroke-width="1.6" stroke-linecap="round" stroke-linejoin="round"/>'
        )
    if kind == "smirk":
        return (
            f'<path d="M50 {y + 1} Q57 {y + 3} 63 {y - 2}" fill="none" stroke="{LINE}" '
            f'stroke-width="1.6" stroke-linecap="round"/>'
        )
    if kind == "tight":
        return (
            f'<path d="M52 {y + 1.5} Q54 {y} 56 {y + 1} Q58 {y} 60 {y + 1.5}" fill="none" '
            f'stroke="{LINE}" stroke-width="1.6" stroke-linecap="round"/>'
        )
    if kind == "flat":
        return (
            f'<path d="M51 {y + 1} Q56 {y} 61 {y + 1}" fill="none" stroke="{LINE}" '
            f'stroke-width="1.6" stroke-linecap="round"/>'
        )
    if kind == "frown":
        return (
            f'<path d="M51 {y + 2} Q56 {y - 1.5} 61 {y + 2}" fill="none" stroke="{LINE}" '
            f'stroke-width="1.6" stroke-linecap="round"/>'
        )
    if kind == "pout":
        return (
            f'<path d="M52 {y + 1} Q54 {y - 1.5} 56 {y + 0.5} Q58 {y - 1.5} 60 {y + 1}" fill="none" '
            f'stroke="{LINE}" stroke-width="1.6" stroke-linecap="round"/>'
        )
    if kind == "wavy":
        return (
            f'<path d="M49 {y + 1} Q51.5 {y - 2} 54 {y + 1} Q56.5 {y + 3} 59 {y + 0.5} '
            f'Q61 {y - 1.5} 63 {y + 1}" fill="none" stroke="{LINE}" stroke-width="1.6" '
            f'stroke-linecap="round"/>'
        )
    if kind == "gasp":
        return (
            f'<ellipse cx="56" cy="{y + 1.5}" rx="3.4" ry="4.2" fill="{MOUTH}" stroke="{LINE}" '
            f'stroke-width="1.2"/>'
        )
    if kind == "open":
        return (
            f'<path d="M49 {y - 1} Q56 {y - 2} 63 {y - 1} Q62 {y + 8} 56 {y + 8} Q50 {y + 8} '
            f'49 {y - 1} Z" fill="{MOUTH}" stroke="{LINE}" stroke-width="1.2"/>'
            f'<path d="M52 {y + 5.5} Q56 {y + 3} 60 {y + 5.5} Q58 {y + 7.5} 56 {y + 7.5} '
            f'Q54 {y + 7.5} 52 {y + 5.5} Z" fill="{TONGUE}"/>'
        )
    if kind == "small-open":
        return (
            f'<path d="M51.5 {y - 0.5} Q56 {y - 1.5} 60.5 {y - 0.5} Q59.5 {y + 5} 56 {y + 5} '
            f'Q52.5 {y + 5} 51.5 {y - 0.5} Z" fill="{MOUTH}" stroke="{LINE}" stroke-width="1.1"/>'
            f'<path d="M53.5 {y + 3.2} Q56 {y + 1.8} 58.5 {y + 3.2} Q57 {y + 4.5} 56 {y + 4.5} '
            f'Q55 {y + 4.5} 53.5 {y + 3.2} Z" fill="{TONGUE}"/>'
        )
    if kind == "big":
        return (
            f'<path d="M46 {y - 2} Q56 {y - 3} 66 {y - 2} Q64 {y + 11} 56 {y + 11} Q48 {y + 11} '
            f'46 {y - 2} Z" fill="{MOUTH}" stroke="{LINE}" stroke-width="1.2"/>'
            f'<path d="M47.5 {y - 1.5} L64.5 {y - 1.5} L64 {y + 1} L48 {y + 1} Z" fill="#ffffff"/>'
            f'<path d="M50 {y + 8} Q56 {y + 4} 62 {y + 8} Q59 {y + 10.5} 56 {y + 10.5} '
            f'Q53 {y + 10.5} 50 {y + 8} Z" fill="{TONGUE}"/>'
        )
    if kind == "cry":
        return (
            f'<path d="M49 {y + 5} Q50 {y - 3} 56 {y - 3} Q62 {y - 3} 63 {y + 5} Q56 {y + 3} '
            f'49 {y + 5} Z" fill="{MOUTH}" stroke="{LINE}" stroke-width="1.2"/>'
        )
    if kind == "wail":
        return (
            f'<path d="M46 {y + 8} Q47 {y - 4} 56 {y - 4} Q65 {y - 4} 66 {y + 8} Q56 {y + 6} '
            f'46 {y + 8} Z" fill="{MOUTH}" stroke="{LINE}" stroke-width="1.3"/>'
            f'<path d="M51 {y + 6.6} Q56 {y + 2} 61 {y + 6.6} Q56 {y + 5.6} 51 {y + 6.6} Z" '
            f'fill="{TONGUE}"/>'
        )
    if kind == "quiver":
        return (
            f'<path d="M51 {y + 2} Q52.5 {y - 0.5} 54 {y + 1} Q56 {y - 1} 58 {y + 1} '
            f'Q59.5 {y - 0.5} 61 {y + 2}" fill="none" stroke="{LINE}" stroke-width="1.6" '
            f'stroke-linecap="round"/>'
        )
    if kind == "grin":
        return (
            f'<path d="M47 {y - 2} Q57 {y + 1} 66 {y - 4} Q64 {y + 8} 56 {y + 8} Q49 {y + 7} '
            f'47 {y - 2} Z" fill="#ffffff" stroke="{LINE}" stroke-width="1.3"/>'
            f'<path d="M48.5 {y + 2} Q57 {y + 4.5} 64.5 {y + 1}" fill="none" stroke="#c8c8d0" '
            f'stroke-width="0.8"/>'
        )
    if kind == "tongue":
        return (
            f'<path d="M48 {y - 1} Q56 {y + 1} 64 {y - 2} Q62 {y + 7} 56 {y + 7} Q50 {y + 7} '
            f'48 {y - 1} Z" fill="{MOUTH}" stroke="{LINE}" stroke-width="1.2"/>'
            f'<path d="M49 {y - 0.6} Q56 {y + 1.2} 63 {y - 1.6} L62.6 {y + 1} Q56 {y + 3} 49.4 {y + 1.6} Z" '
            f'fill="#ffffff"/>'
            f'<path d="M56 {y + 4} Q56 {y + 13} 61 {y + 12} Q65 {y + 10} 63 {y + 3} Z" fill="{TONGUE}" '
            f'stroke="{LINE}" stroke-width="1"/>'
        )
    raise ValueError(kind)


def _expression(face, level):
    """The brows, eyes, mouth and extras of one expression, drawn over the face.
    Poise 0 lets the feeling show in full, 2 keeps it in check; the youngest
    look alone goes dizzy and sticks her tongue out."""
    lx, rx, y = LEFT_EYE_X, RIGHT_EYE_X, EYE_Y
    poise = LOOKS[level].poise
    if face == 0:  # dismayed: she must pass, or she is well behind
        if level == 0:
            return (
                _brows(-5, 2) + _spiral_eye(lx, y) + _spiral_eye(rx, y) + _mouth("wavy")
                + _sweat(90, 34) + _sweat(20, 44, 0.8)
            )
        if poise == 2:  # shaken, and trying not to show it
            return (
                _brows(-6, 1) + _open_eye(lx, y, small=True) + _open_eye(rx, y, small=True)
                + _mouth("tight") + _sweat(91, 36) + _sweat(22, 46, 0.7)
            )
        return (
            _brows(-5, 2) + _open_eye(lx, y, small=True) + _open_eye(rx, y, small=True)
            + _mouth("wavy") + _sweat(91, 36)
        )
    if face == 1:  # uneasy: a little behind, or a single move left
        lid = 0.15 + 0.1 * poise
        mouth = {0: "pout", 1: "flat", 2: "flat"}[poise]
        return (
            _brows(-3, 1) + _open_eye(lx, y, look=-1.6, lid=lid) + _open_eye(rx, y, look=-1.6, lid=lid)
            + _mouth(mouth) + (_sweat(91, 40) if poise < 2 else "")
        )
    if face == 2:  # calm
        if poise == 0:
            mouth = "cat" if level == 0 else "small-open"
            return _brows(-1, -1) + _open_eye(lx, y) + _open_eye(rx, y) + _mouth(mouth)
        lid = 0.3 if poise == 2 else 0
        return _brows(0, 0) + _open_eye(lx, y, lid=lid) + _open_eye(rx, y, lid=lid) + _mouth("smile")
    if face == 3:  # pleased: a little ahead, or a move from her book
        if poise == 2:
            return (
                _brows(-1, -1) + _open_eye(lx, y, lid=0.15) + _open_eye(rx, y, lid=0.15)
                + _mouth("wide-smile") + _blush(0.45) + _sparkle(98, 82, 4)
            )
        return _brows(-1, -1) + _open_eye(lx, y) + _open_eye(rx, y) + _mouth("open") + _blush(0.45)
    if face == 4:  # delighted: well ahead, or she has won
        mouth = "open" if poise == 2 else "big"
        return (
            _brows(-2, -2) + _happy_eye(lx, y) + _happy_eye(rx, y) + _mouth(mouth)
            + _blush(0.65) + _sparkle(12, 30, 6) + _sparkle(100, 86, 5)
            + (_sparkle(14, 86, 4) + _sparkle(100, 46, 3.5) if poise == 0 else "")
        )
    if face == 5:  # crying: she has lost, or the game turned against her
        if poise == 0:
            return (
                _brows(-5, 3) + _streams() + _squeezed_eye(lx, y, 1) + _squeezed_eye(rx, y, -1)
                + _mouth("wail")
            )
        if poise == 2:
            return (
                _brows(-4, 2) + _shut_eye(lx, y) + _shut_eye(rx, y) + _mouth("quiver") + _tears(2.2, 22)
            )
        return _brows(-5, 3) + _shut_eye(lx, y) + _shut_eye(rx, y) + _mouth("cry") + _tears()
    if face == 6:  # triumphant: the game swung her way, or a corner taken
        if level == 0:
            return (
                _brows(-2, -3) + _open_eye(lx, y) + _happy_eye(rx, y) + _mouth("tongue")
                + _blush(0.5) + _sparkle(100, 80, 7) + _sparkle(12, 84, 4) + _sparkle(96, 50, 4)
            )
        if poise == 2:  # a knowing look
            return (
                _brows(-1, -3) + _open_eye(lx, y, look=1.2, lid=0.45)
                + _open_eye(rx, y, look=1.2, lid=0.45) + _mouth("smirk") + _blush(0.35)
                + _sparkle(100, 40, 6) + _sparkle(12, 80, 4)
            )
        return (
            _brows(2, -4) + _open_eye(lx, y, lid=0.35) + _happy_eye(rx, y) + _mouth("grin")
            + _blush(0.4) + _sparkle(100, 80, 7) + _sparkle(12, 84, 4)
            + (_sparkle(96, 50, 4) if poise == 0 else "")
        )
    raise ValueError(face)


def _props(look, face):
    if look.prop == "lollipop":
        return _lollipop()
    if look.prop == "fan" and face == 6:
        # The composed master hides her smile behind her fan.
        return _fan(58, 106, -4, 32) + _hand(58, 106, 0)
    return ""


# ---------------------------------------------------------------- assembly


def group(face, level=3):
    """The hostess at one level with one expression, as SVG elements in a
    112 x 120 box."""
    look = LOOKS[level]
    under, over = _outfit(look)
    return (
        _back_hair(look)
        + under
        + NECK
        + over
        + FACE
        + (_gloom() if face == 0 and look.poise < 2 else "")
        + _headwear(look, "ears")
        + FRINGE
        + _side_locks(look.lock_end)
        + (_braid() if look.hair == "braid" else "")
        + _headwear(look, "front")
        + CLIP
        + _expression(face, level)
        + (_glasses() if look.glasses else "")
        + _props(look, face)
    )


def portrait_svg(level, face):
    """The face picture: the hostess on a card with a wooden rim, so her
    shoulders end inside the card rather than at the picture's edge."""
    look = LOOKS[level]
    return (
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" '
        f'viewBox="0 0 {W} {H}"><defs>{DEFS}{OUTFIT_DEFS}{_card_defs(look)}</defs>'
        f'<rect x="2" y="2" width="108" height="116" rx="11" fill="url(#card)"/>'
        f'<g clip-path="url(#cardclip)">{_backdrop(look)}'
        f'<g transform="translate(4 4) scale(0.93)">{group(face, level)}</g></g>'
        f'<rect x="1.5" y="1.5" width="109" height="117" rx="11.5" fill="none" '
        f'stroke="#3a1e0a" stroke-width="1"/>'
        f'<rect x="3" y="3" width="106" height="114" rx="10" fill="none" stroke="#c88a4a" '
        f'stroke-width="2"/>'
        f'<rect x="4.5" y="4.5" width="103" height="111" rx="8.5" fill="none" stroke="#f4d4a4" '
        f'stroke-width="0.8" opacity="0.8"/>'
        f"</svg>"
    )
