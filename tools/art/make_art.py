"""Makes every picture under assets/bmp/ from the drawings in this folder.

    python3 make_art.py ASSETS_DIR [--preview DIR]

With --preview it also writes PNG copies, the discs composed on every board
colour and mock-ups of the game's screens into DIR, for looking at.
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import layout  # noqa: E402
import pictures  # noqa: E402
from pixels import bmp_bytes  # noqa: E402

LEVELS = range(7)
FACES = range(7)


def all_pictures():
    """(file name, image) for every picture the game loads from bmp/."""
    out = []
    for i, colour in enumerate(layout.BOARD_COLOURS):
        out.append(("%02d-zero.bmp" % (i + 1), pictures.make_swatch(colour, True)))
        out.append(("n%02d-zero.bmp" % (i + 1), pictures.make_swatch(colour, False)))
    out.append(("siro.bmp", pictures.make_disc(0)))
    out.append(("kuro.bmp", pictures.make_disc(180)))
    for i, angle in enumerate(pictures.FLIP_ANGLES):
        out.append(("han%d.bmp" % (i + 1), pictures.make_disc(angle)))
    out.append(("waku-yoko.bmp", pictures.make_frame_piece(True)))
    out.append(("waku-tate.bmp", pictures.make_frame_piece(False)))
    out.append(("title.bmp", pictures.make_title()))
    out.append(("haikei01.bmp", pictures.make_tile()))
    out.append(("msg.bmp", pictures.make_message_frame()))
    out.append(("hukidasi.bmp", pictures.make_balloon()))
    for name in pictures.BUTTON_DESIGNS:
        out.append((name, pictures.make_button(name, True)))
        out.append(("n" + name, pictures.make_button(name, False)))
    for level in LEVELS:
        for f in FACES:
            out.append(("face%d%d.bmp" % (level, f), pictures.make_face(level, f)))
    return out


def write_if_changed(path, data):
    try:
        with open(path, "rb") as f:
            if f.read() == data:
                return
    except FileNotFoundError:
        pass
    with open(path, "wb") as f:
        f.write(data)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("assets")
    ap.add_argument("--preview")
    args = ap.parse_args()
    bmp_dir = os.path.join(args.assets, "bmp")
    os.makedirs(bmp_dir, exist_ok=True)
    pics = all_pictures()
    for name, img in pics:
        write_if_changed(os.path.join(bmp_dir, name), bmp_bytes(img))
    print("wrote %d pictures to %s" % (len(pics), bmp_dir))
    if args.preview:
        import mockup

        mockup.write_previews(args.assets, args.preview)


if __name__ == "__main__":
    main()
