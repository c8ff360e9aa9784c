#!/usr/bin/env python3
"""The window, the initial position, the buttons (with their inclusive
edges), rotation, new games, and closing the window, on the real game.

Usage: zaklad.py GAME_BINARY ASSETS_DIR
"""

import os
import sys

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from okno import (  # noqa: E402
    CLASSIC,
    DVA_HRACI,
    JEDEN_HRAC,
    OTOCIT,
    SIRKA,
    VYSKA,
    TITULEK,
    Hra,
    Selhani,
    knihovna_sdl,
    roh,
    spust,
    zakladni_postaveni,
)


def over(podminka, zprava):
    if not podminka:
        raise Selhani(zprava)


def test(binarka, aktiva):
    start = zakladni_postaveni()
    with Hra(binarka, aktiva, "zaklad") as hra:
        over(hra.xprop("WM_NAME") == TITULEK, "window title is %r" % hra.xprop("WM_NAME"))
        over(hra.velikost() == (800, 600), "window size is %dx%d" % hra.velikost())
        # Classic SDL 1.2 sets the icon title too and leaves the window where
        # X puts it; sdl12-compat sets no icon title and centres the window
        # on the screen (1024 x 768 here).
        if knihovna_sdl() == CLASSIC:
            over(
                hra.xprop("WM_ICON_NAME") == TITULEK,
                "icon title is %r" % hra.xprop("WM_ICON_NAME"),
            )
            over(hra.poloha() == (0, 0), "window at %s" % (hra.poloha(),))
        else:
            stred_obrazovky = ((1024 - SIRKA) // 2, (768 - VYSKA) // 2)
            over(hra.poloha() == stred_obrazovky, "window at %s" % (hra.poloha(),))

        snimek = hra.cekej_na_desku(start, True, "initial screen")
        # The same corners, named outright.
        for nazev, radek, sloupec, bod in (
            ("wrb", 0, 0, (272, 34)),
            ("wkb", 0, 4, (136, 34)),
            ("bkw", 7, 4, (136, 272)),
            ("b", 3, 3, (170, 136)),
            ("w", 3, 4, (136, 136)),
        ):
            over(roh(radek, sloupec, True) == bod, "geometry of the test itself")
            over(
                hra.nazev_bloku(snimek, *bod) == nazev,
                "block at %s is %s.bmp, not %s.bmp" % (bod, hra.nazev_bloku(snimek, *bod), nazev),
            )

        # Clicks are handled in order, so a click that must do nothing is
        # followed by one whose effect shows whether it did something.
        hra.klik(501, 80)  # just right of "Otocit"
        hra.klik_tlacitko(OTOCIT)
        snimek = hra.cekej_na_desku(start, False, 'after (501, 80) and "Otocit"')
        over(hra.nazev_bloku(snimek, 272, 272) == "wrb", "rotated: (272, 272) is not wrb.bmp")
        over(hra.nazev_bloku(snimek, 34, 34) == "brb", "rotated: (34, 34) is not brb.bmp")

        hra.klik(550, 131)  # just below "Nova hra dva hraci"
        hra.klik(100, 306)  # just below the board
        hra.klik(500, 80)  # the bottom-right corner of "Otocit"
        hra.cekej_na_desku(start, True, "after (550, 131), (100, 306) and (500, 80)")

        hra.klik(400, 50)  # the top-left corner of "Otocit"
        hra.cekej_na_desku(start, False, "after (400, 50)")
        hra.klik(550, 130)  # the bottom-right corner of "Nova hra dva hraci"
        hra.cekej_na_desku(start, True, "a new two-player game after rotating")

        hra.klik_tlacitko(OTOCIT)
        hra.cekej_na_desku(start, False, 'after "Otocit"')
        hra.klik_tlacitko(JEDEN_HRAC)
        hra.cekej_na_desku(start, True, "a new one-player game after rotating")

        hra.klik_tlacitko(OTOCIT)
        hra.cekej_na_desku(start, False, 'after "Otocit"')
        hra.klik_tlacitko(DVA_HRACI)
        hra.cekej_na_desku(start, True, "a new two-player game after rotating")

        status = hra.zavri()
        over(status == 0, "closing the window ended the game with status %d" % status)
        vystup = hra.vypis()
        over(vystup == "(none)", "the game wrote: " + vystup)


if __name__ == "__main__":
    spust("e2e zaklad", test)
