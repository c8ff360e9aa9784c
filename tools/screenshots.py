#!/usr/bin/env python3
"""Takes the README's screenshots from the real game under Xvfb: the start
position, a game under way (board turned, White at the bottom) and the
promotion dialog.

Usage: tools/screenshots.py BUILD/sachy ASSETS_DIR OUTPUT_DIR"""

import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import okno  # noqa: E402

UNDER_WAY = ["e2e4", "e7e5", "g1f3", "b8c6", "f1c4", "g8f6", "e1g1", "f8c5", "d2d3", "d7d6"]
TO_PROMOTION = ["e2e4", "a7a6", "h2h4", "b7b6", "h4h5", "c7c6", "h5h6", "c6c5",
                "h6g7", "a6a5", "g7h8"]


def play(hra, moves, otoceno):
    for move in moves:
        hra.klik_pole(move[:2], otoceno)
        hra.klik_pole(move[2:], otoceno)
        hra.ustal()


def main():
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    binary, assets, out = sys.argv[1:]
    os.makedirs(out, exist_ok=True)
    with okno.Hra(binary, assets, "screenshots") as hra:
        hra.ustal()
        hra.uloz_snimek(os.path.join(out, "start.png"))
        hra.klik_tlacitko(okno.OTOCIT)
        hra.ustal()
        play(hra, UNDER_WAY, otoceno=False)
        hra.uloz_snimek(os.path.join(out, "game.png"))
        hra.klik_tlacitko(okno.DVA_HRACI)
        hra.ustal()
        play(hra, TO_PROMOTION, otoceno=True)
        hra.uloz_snimek(os.path.join(out, "promotion.png"))
        hra.klik(*okno.stred(7, 7, True))  # not a choice: the dialog keeps waiting
        hra.klik(204 + 17, okno.VOLBY_Y + 17)  # the queen
        hra.ustal()


if __name__ == "__main__":
    main()
