#!/usr/bin/env python3
"""The screen shows what the game drew: whenever the game starts to wait for
the player, a screenshot of its window equals its window surface, pixel for
pixel. Checked at the start, after clicks that complete a move (the
computer's reply included), after rotating, after new games, with the
promotion prompt open and after the choice.

A small library preloaded into the game (snimek_pred_cekanim) writes the
window surface when the game finds its event queue empty and holds the game
there until the screenshot is taken, so no further event can bring a stale
screen up to date first.

Usage: obrazovka.py GAME_BINARY ASSETS_DIR, with SACHY_ZASTAVKA naming the
preloaded library.
"""

import os
import shutil
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from okno import (  # noqa: E402
    CEKANI,
    DVA_HRACI,
    JEDEN_HRAC,
    OTOCIT,
    POLE,
    SIRKA,
    VOLBY_BILY,
    VOLBY_Y,
    Hra,
    Selhani,
    knihovna_sdl,
    spust,
)

# Two players: h-pawn takes its way to g8, where it promotes.
K_PROMENE = ["h2h4", "g7g5", "h4g5", "a7a6", "g5g6", "a6a5", "g6h7", "a5a4"]
PROMENA = "h7g8"


class Zastavka:
    """The directory where the preloaded library leaves the surface."""

    def __init__(self):
        self.adresar = tempfile.mkdtemp(prefix="sachy-snimek-")
        self.ceka = os.path.join(self.adresar, "ceka")

    def prostredi(self):
        knihovna = os.environ.get("SACHY_ZASTAVKA", "")
        if not os.path.exists(knihovna):
            raise Selhani("SACHY_ZASTAVKA does not name the preloaded library: %r" % knihovna)
        return {"LD_PRELOAD": knihovna, "SACHY_SNIMEK": self.adresar}

    def porovnej(self, hra, popis):
        """Waits until the game waits with a new picture, then compares the
        screenshot with its surface and lets the game go on."""
        konec = time.monotonic() + CEKANI
        while not os.path.exists(self.ceka):
            hra._zije()
            if time.monotonic() > konec:
                raise Selhani("%s: the game did not come to wait with a new picture" % popis)
            time.sleep(0.01)
        try:
            snimek = hra.snimek().data
            with open(os.path.join(self.adresar, "okno.rgb"), "rb") as f:
                povrch = f.read()
            if snimek != povrch:
                raise Selhani("%s: the screen is not the window surface: %s" % (
                    popis, rozdil(snimek, povrch)))
        finally:
            os.remove(self.ceka)

    def uklid(self):
        shutil.rmtree(self.adresar, ignore_errors=True)


def rozdil(snimek, povrch):
    if len(snimek) != len(povrch):
        return "%d bytes on the screen, %d in the surface" % (len(snimek), len(povrch))
    jine = [i // 3 for i in range(0, len(snimek), 3) if snimek[i : i + 3] != povrch[i : i + 3]]
    prvni = jine[0]
    return "%d pixels differ, the first at (%d, %d): %s on the screen, %s drawn" % (
        len(jine), prvni % SIRKA, prvni // SIRKA,
        snimek[prvni * 3 : prvni * 3 + 3].hex(), povrch[prvni * 3 : prvni * 3 + 3].hex())


def tah(hra, zastavka, tah_, otoceno=True):
    hra.klik_pole(tah_[:2], otoceno)  # a selection changes nothing on the screen
    hra.klik_pole(tah_[2:], otoceno)
    zastavka.porovnej(hra, "after %s" % tah_)


def test(binarka, aktiva):
    zastavka = Zastavka()
    try:
        with Hra(binarka, aktiva, "obrazovka", zastavka.prostredi()) as hra:
            print("on " + knihovna_sdl())
            zastavka.porovnej(hra, "at the start")
            tah(hra, zastavka, "e2e4")
            hra.klik_tlacitko(OTOCIT)
            zastavka.porovnej(hra, "after rotating")
            tah(hra, zastavka, "e7e5", otoceno=False)

            hra.klik_tlacitko(JEDEN_HRAC)
            zastavka.porovnej(hra, "after a new game against the computer")
            tah(hra, zastavka, "d2d4")  # and the computer's reply

            hra.klik_tlacitko(DVA_HRACI)
            zastavka.porovnej(hra, "after a new two-player game")
            for t in K_PROMENE:
                tah(hra, zastavka, t)
            tah(hra, zastavka, PROMENA)  # ends with the prompt open
            x = dict(VOLBY_BILY)["wqb"]
            hra.klik(x + POLE // 2, VOLBY_Y + POLE // 2)
            zastavka.porovnej(hra, "after promoting to a queen")
    finally:
        zastavka.uklid()


if __name__ == "__main__":
    spust("e2e obrazovka", test)
