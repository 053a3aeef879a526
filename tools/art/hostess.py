"""The hostess Kerna drawn as SVG, with her seven expressions.

One drawing, 112 x 120 units, used for the face pictures (at full size) and,
scaled down, in the title. Each expression only swaps the brows, eyes, mouth
and extras (blush, tears, sweat, sparkles), so a finished face set can replace
these parts one by one.

Expressions: 0 troubled, 1 uneasy, 2 calm, 3 pleased, 4 delighted, 5 crying,
6 triumphant.
"""

W, H = 112, 120

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

# Back hair, shoulders, neck, face and fringe: the same in every expression.
BASE = """
<path d="M56 8 C24 8 12 32 14 62 C15 84 10 100 6 118 L106 118 C102 100 97 84 98 62
         C100 32 88 8 56 8 Z" fill="url(#hairg)" stroke="%(dark)s" stroke-width="1.2"/>
<path d="M18 120 C20 104 34 96 56 96 C78 96 92 104 94 120 Z" fill="url(#dress)"
      stroke="%(dressdark)s" stroke-width="1"/>
<path d="M40 99 L56 112 L72 99 L66 97 L56 105 L46 97 Z" fill="%(collar)s" stroke="#b8c4cc"
      stroke-width="0.8"/>
<rect x="49" y="80" width="14" height="20" rx="4" fill="%(shade)s"/>
<path d="M56 100 L52 106 L56 110 L60 106 Z" fill="#ffd34a" stroke="#a07010" stroke-width="0.6"/>
<path d="M26 52 C26 30 38 20 56 20 C74 20 86 30 86 52 C86 72 74 88 56 88 C38 88 26 72 26 52 Z"
      fill="url(#skin)" stroke="%(line)s" stroke-width="1"/>
<ellipse cx="25.5" cy="58" rx="3.5" ry="6" fill="%(skin)s" stroke="%(line)s" stroke-width="0.8"/>
<ellipse cx="86.5" cy="58" rx="3.5" ry="6" fill="%(skin)s" stroke="%(line)s" stroke-width="0.8"/>
<path d="M22 50 C20 26 36 12 56 12 C78 12 92 26 90 52 C86 44 82 38 78 34 L76 44 L70 32
         L62 42 L58 30 L50 42 L44 31 L38 44 L34 34 C28 40 24 44 22 50 Z"
      fill="url(#hairg)" stroke="%(dark)s" stroke-width="1"/>
<path d="M40 18 C48 14 62 14 70 18" fill="none" stroke="%(light)s" stroke-width="2.4"
      stroke-linecap="round" opacity="0.8"/>
<path d="M22 50 C18 64 18 80 22 92 L27 70 Z" fill="url(#hairg)" stroke="%(dark)s" stroke-width="0.8"/>
<path d="M90 50 C94 64 94 80 90 92 L85 70 Z" fill="url(#hairg)" stroke="%(dark)s" stroke-width="0.8"/>
<g transform="translate(84 26)">
  <circle r="8" fill="#f8f8f8" stroke="#303030" stroke-width="1"/>
  <path d="M0 -8 A8 8 0 0 1 0 8 Z" fill="#26282c"/>
  <circle r="8" fill="none" stroke="#303030" stroke-width="1"/>
  <circle cx="-3.5" cy="-3.5" r="1.6" fill="#ffffff" opacity="0.9"/>
</g>
""" % dict(
    dark=HAIR_DARK,
    dressdark=DRESS_DARK,
    collar=COLLAR,
    shade=SKIN_SHADE,
    skin=SKIN,
    line=LINE,
    light=HAIR_LIGHT,
)

LEFT_EYE_X, RIGHT_EYE_X, EYE_Y = 44, 68, 58


def _open_eye(x, y, look=0.0, lid=0.0):
    """An open eye; look shifts the iris sideways, lid lowers the upper lid (0..1)."""
    top = y - 7 + 6 * lid
    return f"""
<ellipse cx="{x}" cy="{y}" rx="6" ry="7.5" fill="#ffffff" stroke="{LINE}" stroke-width="0.8"/>
<ellipse cx="{x + look}" cy="{y + 0.5}" rx="4.6" ry="6.2" fill="url(#iris)"/>
<ellipse cx="{x + look}" cy="{y + 1}" rx="2.2" ry="3" fill="{EYE_DARK}"/>
<circle cx="{x + look - 1.8}" cy="{y - 2.4}" r="1.7" fill="#ffffff"/>
<circle cx="{x + look + 1.8}" cy="{y + 3}" r="0.8" fill="#ffffff" opacity="0.8"/>
<path d="M{x - 7.5} {top + 1} Q{x} {top - 3.5} {x + 7.5} {top + 1}" fill="none"
      stroke="{LINE}" stroke-width="2.2" stroke-linecap="round"/>
""" + (
        f'<path d="M{x - 7} {top + 1} Q{x} {top - 3} {x + 7} {top + 1} L{x + 7} {y - 8} '
        f'L{x - 7} {y - 8} Z" fill="{SKIN}"/>'
        if lid > 0
        else ""
    )


def _happy_eye(x, y):
    """A closed, smiling eye: an upward arc."""
    return (
        f'<path d="M{x - 6} {y + 2} Q{x} {y - 6} {x + 6} {y + 2}" fill="none" '
        f'stroke="{LINE}" stroke-width="2.4" stroke-linecap="round"/>'
    )


def _shut_eye(x, y):
    """An eye squeezed shut (crying): a downward arc with a lash."""
    return (
        f'<path d="M{x - 6} {y - 1} Q{x} {y + 4} {x + 6} {y - 1}" fill="none" '
        f'stroke="{LINE}" stroke-width="2.4" stroke-linecap="round"/>'
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


def _sweat(x, y):
    return (
        f'<path d="M{x} {y} C{x - 4} {y + 6} {x - 4} {y + 10} {x} {y + 10} C{x + 4} {y + 10} '
        f'{x + 4} {y + 6} {x} {y} Z" fill="#bfe6ff" stroke="#4a90c8" stroke-width="0.9"/>'
    )


def _sparkle(x, y, r):
    return (
        f'<path d="M{x} {y - r} Q{x + r * 0.2} {y - r * 0.2} {x + r} {y} Q{x + r * 0.2} '
        f'{y + r * 0.2} {x} {y + r} Q{x - r * 0.2} {y + r * 0.2} {x - r} {y} Q{x - r * 0.2} '
        f'{y - r * 0.2} {x} {y - r} Z" fill="#fff6b0" stroke="#e0a020" stroke-width="0.6"/>'
    )


def _tears():
    out = ""
    for x in (LEFT_EYE_X, RIGHT_EYE_X):
        out += (
            f'<path d="M{x - 3} {EYE_Y + 3} C{x - 5} {EYE_Y + 12} {x - 2} {EYE_Y + 20} {x - 4} '
            f'{EYE_Y + 26}" fill="none" stroke="#8fd0ff" stroke-width="3" '
            f'stroke-linecap="round" opacity="0.9"/>'
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
    if kind == "flat":
        return (
            f'<path d="M51 {y + 1} Q56 {y} 61 {y + 1}" fill="none" stroke="{LINE}" '
            f'stroke-width="1.6" stroke-linecap="round"/>'
        )
    if kind == "wavy":
        return (
            f'<path d="M49 {y + 1} Q51.5 {y - 2} 54 {y + 1} Q56.5 {y + 3} 59 {y + 0.5} '
            f'Q61 {y - 1.5} 63 {y + 1}" fill="none" stroke="{LINE}" stroke-width="1.6" '
            f'stroke-linecap="round"/>'
        )
    if kind == "open":
        return (
            f'<path d="M49 {y - 1} Q56 {y - 2} 63 {y - 1} Q62 {y + 8} 56 {y + 8} Q50 {y + 8} '
            f'49 {y - 1} Z" fill="#b8404a" stroke="{LINE}" stroke-width="1.2"/>'
            f'<path d="M52 {y + 5.5} Q56 {y + 3} 60 {y + 5.5} Q58 {y + 7.5} 56 {y + 7.5} '
            f'Q54 {y + 7.5} 52 {y + 5.5} Z" fill="#ff8c8c"/>'
        )
    if kind == "big":
        return (
            f'<path d="M46 {y - 2} Q56 {y - 3} 66 {y - 2} Q64 {y + 11} 56 {y + 11} Q48 {y + 11} '
            f'46 {y - 2} Z" fill="#b8404a" stroke="{LINE}" stroke-width="1.2"/>'
            f'<path d="M47.5 {y - 1.5} L64.5 {y - 1.5} L64 {y + 1} L48 {y + 1} Z" fill="#ffffff"/>'
            f'<path d="M50 {y + 8} Q56 {y + 4} 62 {y + 8} Q59 {y + 10.5} 56 {y + 10.5} '
            f'Q53 {y + 10.5} 50 {y + 8} Z" fill="#ff8c8c"/>'
        )
    if kind == "cry":
        return (
            f'<path d="M49 {y + 5} Q50 {y - 3} 56 {y - 3} Q62 {y - 3} 63 {y + 5} Q56 {y + 3} '
            f'49 {y + 5} Z" fill="#b8404a" stroke="{LINE}" stroke-width="1.2"/>'
        )
    if kind == "grin":
        return (
            f'<path d="M47 {y - 2} Q57 {y + 1} 66 {y - 4} Q64 {y + 8} 56 {y + 8} Q49 {y + 7} '
            f'47 {y - 2} Z" fill="#ffffff" stroke="{LINE}" stroke-width="1.3"/>'
            f'<path d="M48.5 {y + 2} Q57 {y + 4.5} 64.5 {y + 1}" fill="none" stroke="#c8c8d0" '
            f'stroke-width="0.8"/>'
        )
    raise ValueError(kind)


def _expression(face):
    lx, rx, y = LEFT_EYE_X, RIGHT_EYE_X, EYE_Y
    if face == 0:  # troubled
        return (
            _brows(-5, 2) + _open_eye(lx, y) + _open_eye(rx, y) + _mouth("wavy") + _sweat(90, 36)
        )
    if face == 1:  # uneasy
        return (
            _brows(-3, 1)
            + _open_eye(lx, y, look=-1.6, lid=0.15)
            + _open_eye(rx, y, look=-1.6, lid=0.15)
            + _mouth("flat")
            + _sweat(91, 40)
        )
    if face == 2:  # calm
        return _brows(0, 0) + _open_eye(lx, y) + _open_eye(rx, y) + _mouth("smile")
    if face == 3:  # pleased
        return (
            _brows(-1, -1) + _open_eye(lx, y) + _open_eye(rx, y) + _mouth("open") + _blush(0.45)
        )
    if face == 4:  # delighted
        return (
            _brows(-2, -2)
            + _happy_eye(lx, y)
            + _happy_eye(rx, y)
            + _mouth("big")
            + _blush(0.65)
            + _sparkle(12, 30, 6)
            + _sparkle(100, 86, 5)
        )
    if face == 5:  # crying
        return _brows(-5, 3) + _shut_eye(lx, y) + _shut_eye(rx, y) + _mouth("cry") + _tears()
    if face == 6:  # triumphant
        return (
            _brows(2, -4)
            + _open_eye(lx, y, lid=0.35)
            + _happy_eye(rx, y)
            + _mouth("grin")
            + _blush(0.4)
            + _sparkle(100, 80, 7)
            + _sparkle(12, 84, 4)
        )
    raise ValueError(face)


def group(face):
    """The hostess with the given expression, as SVG elements in a 112 x 120 box."""
    return BASE + _expression(face)


def svg(face):
    return (
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" '
        f'viewBox="0 0 {W} {H}"><defs>{DEFS}</defs>{group(face)}</svg>'
    )


PORTRAIT_DEFS = """
<radialGradient id="card" cx="0.5" cy="0.42" r="0.65">
  <stop offset="0" stop-color="#fffaf0"/><stop offset="0.55" stop-color="#d8ecfa"/>
  <stop offset="1" stop-color="#8ab8e6"/>
</radialGradient>
<clipPath id="cardclip"><rect x="2" y="2" width="108" height="116" rx="11"/></clipPath>
"""


def portrait_svg(face):
    """The face picture: the hostess on a light card with a wooden rim, so her
    shoulders end inside the card rather than at the picture's edge."""
    return (
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" '
        f'viewBox="0 0 {W} {H}"><defs>{DEFS}{PORTRAIT_DEFS}</defs>'
        f'<rect x="2" y="2" width="108" height="116" rx="11" fill="url(#card)"/>'
        f'<g clip-path="url(#cardclip)"><g transform="translate(4 4) scale(0.93)">'
        f"{group(face)}</g></g>"
        f'<rect x="1.5" y="1.5" width="109" height="117" rx="11.5" fill="none" '
        f'stroke="#3a1e0a" stroke-width="1"/>'
        f'<rect x="3" y="3" width="106" height="114" rx="10" fill="none" stroke="#c88a4a" '
        f'stroke-width="2"/>'
        f'<rect x="4.5" y="4.5" width="103" height="111" rx="8.5" fill="none" stroke="#f4d4a4" '
        f'stroke-width="0.8" opacity="0.8"/>'
        f"</svg>"
    )
