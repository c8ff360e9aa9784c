#!/usr/bin/env python3
"""A short two-player game played with clicks on the real window: moves in
both orientations, a selection that a click on another own piece does not
switch, White's king's-side castling, a capture, and a promotion picked in
the dialog (which ignores a close request while it waits). Every position is
checked on the whole screen.

Usage: dva_hraci.py GAME_BINARY ASSETS_DIR
"""

import os
import sys

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from okno import (  # noqa: E402
    DVA_HRACI,
    OTOCIT,
    POLE,
    VOLBY_BILY,
    VOLBY_Y,
    VYZVA,
    BILA,
    CERNA,
    Hra,
    Selhani,
    pole,
    posli_zavreni,
    spust,
    tahni,
    zakladni_postaveni,
)

# (White's move, Black's reply) in squares; "rotate" turns the board first.
PARTIE = [
    ("e2e4", "a7a6"),
    ("g1f3", "a6a5"),  # played as g1, f1 (ignored), f3 below
    ("f1c4", "a5a4"),
    ("e1g1", "b7b6"),  # castling
    "rotate",
    ("h2h4", "b6b5"),
    ("h4h5", "c7c6"),
    "rotate",
    ("h5h6", "c6c5"),
    ("h6g7", "a4a3"),  # capture
]
PROMOCE = "g7h8"  # captures the rook and opens the dialog


def chyba_dialogu(hra, snimek):
    for nazev, x in VOLBY_BILY:
        videno = hra.nazev_bloku(snimek, x, VOLBY_Y)
        if videno != nazev:
            return "choice at (%d, %d) shows %s.bmp, not %s.bmp" % (x, VOLBY_Y, videno, nazev)
    # The prompt: white text on black, starting at its corner.
    x0, y0 = VYZVA
    bile = 0
    for y in range(y0, y0 + 20):
        radek = snimek.radek(y, x0, x0 + 400)
        for i in range(0, len(radek), 3):
            px = radek[i : i + 3]
            if px == BILA:
                bile += 1
            elif px != CERNA:
                return "prompt pixel (%d, %d) is %s" % (x0 + i // 3, y, px.hex())
    if bile < 100:
        return "no prompt at %s (%d white pixels)" % (VYZVA, bile)
    return None


def test(binarka, aktiva):
    deska = zakladni_postaveni()
    otoceno = True
    with Hra(binarka, aktiva, "dva_hraci") as hra:
        hra.cekej_na_desku(deska, otoceno, "initial screen")
        for krok in PARTIE:
            if krok == "rotate":
                hra.klik_tlacitko(OTOCIT)
                otoceno = not otoceno
                hra.cekej_na_desku(deska, otoceno, "after rotating")
                continue
            for tah in krok:
                odkud, kam = tah[:2], tah[2:]
                hra.klik_pole(odkud, otoceno)
                if tah == "g1f3":
                    hra.klik_pole("f1", otoceno)  # own piece: the knight stays selected
                hra.klik_pole(kam, otoceno)
                deska = tahni(deska, pole(odkud), pole(kam))
                if tah == "e1g1":
                    deska = tahni(deska, pole("h1"), pole("f1"))
                hra.cekej_na_desku(deska, otoceno, "after %s" % tah)

        odkud, kam = PROMOCE[:2], PROMOCE[2:]
        hra.klik_pole(odkud, otoceno)
        hra.klik_pole(kam, otoceno)
        hra.cekej(lambda s: chyba_dialogu(hra, s), "promotion dialog after %s" % PROMOCE)

        # The dialog takes every event: a close request must not end the game.
        posli_zavreni(hra.displej, hra.okno)
        x = VOLBY_BILY[0][1]  # the knight
        hra.klik(x + POLE // 2, VOLBY_Y + POLE // 2)
        deska = tahni(deska, pole(odkud), pole(kam))
        deska[pole(kam)[0]][pole(kam)[1]] = "wn"
        # The dialog is gone too: only the board and the buttons remain.
        hra.cekej_na_desku(deska, otoceno, "after promoting to a knight")

        hra.klik_tlacitko(DVA_HRACI)
        hra.cekej_na_desku(zakladni_postaveni(), True, "a new two-player game")

        # Black to move in the new game would be a fault: White moves first.
        hra.klik_pole("d2")
        hra.klik_pole("d4")
        hra.cekej_na_desku(
            tahni(zakladni_postaveni(), pole("d2"), pole("d4")), True, "d2d4 in the new game"
        )

        status = hra.zavri()
        if status != 0:
            raise Selhani("closing the window ended the game with status %d" % status)


if __name__ == "__main__":
    spust("e2e dva_hraci", test)
