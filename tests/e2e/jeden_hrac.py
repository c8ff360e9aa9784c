#!/usr/bin/env python3
"""One player against the computer on the real window: after "Nova hra
jeden hrac" the human plays e2e4 with two clicks and the computer's answer
is on the screen within the same click. With a book that answers e2e4 the
answer is the book's smallest-coded reply, and the human's next book move
gets the book's next reply; without one, exactly one black piece has moved.

Usage: jeden_hrac.py GAME_BINARY ASSETS_DIR
"""

import os
import sys

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from okno import (  # noqa: E402
    JEDEN_HRAC,
    Hra,
    Selhani,
    pole,
    spust,
    tahni,
    zakladni_postaveni,
)


# ------------------------------------------------------- the book, read here


def _radek(znak):
    return ord(znak) - ord("1") if "1" <= znak <= "8" else 100


def _sloupec(znak):
    z = znak.lower()
    return ord(z) - ord("a") if "a" <= z <= "h" else 100


def kod(token):
    """The book's move code of a token (e2e4 -> 4143, O-O -> 8)."""
    if len(token) == 4:
        k = _sloupec(token[0]) * 10
        k = (k + _radek(token[1])) * 10
        k = (k + _sloupec(token[2])) * 10
        return k + _radek(token[3])
    return {"O-O": 8, "O-O-O": 9}.get(token, 0)


def nacti_knihu(cesta):
    """The book's lines as lists of codes, up to the first line without a
    move; a missing file is an empty book."""
    try:
        with open(cesta, "rb") as f:
            text = f.read().decode("latin-1")
    except OSError:
        return []
    radky = text.split("\n")
    if text.endswith("\n"):
        radky.pop()
    kniha = []
    for radek in radky:
        tokeny = radek.split()
        if not tokeny:
            break
        kniha.append([kod(t) for t in tokeny])
    return kniha


def odpoved(kniha, hrano):
    """The smallest code the book holds after the moves `hrano`, or None."""
    n = len(hrano)
    dalsi = [r[n] for r in kniha if len(r) > n and r[:n] == hrano]
    return min(dalsi) if dalsi else None


def rozloz(k):
    """A plain move code -> ((row, column), (row, column))."""
    if k > 10000:
        k //= 10
    return ((k // 100) % 10, (k // 1000) % 10), (k % 10, (k // 10) % 10)


def obycejny(k):
    """A code of an ordinary move between squares of the board."""
    return 0 <= k < 10000 and all(c <= 7 for c in (k // 1000, k // 100 % 10, k // 10 % 10, k % 10))


def nazev_tahu(k):
    (r1, s1), (r2, s2) = rozloz(k)
    return "%s%d%s%d" % (chr(97 + s1), r1 + 1, chr(97 + s2), r2 + 1)


# -------------------------------------------------------------------- test


def jeden_tah_cerneho(pred, po):
    """None when `po` is `pred` with exactly one black piece moved to an
    empty square, otherwise what is wrong."""
    rozdil = [(r, s) for r in range(8) for s in range(8) if pred[r][s] != po[r][s]]
    if len(rozdil) != 2:
        return "%d squares changed after White's move, not 2: %s" % (len(rozdil), rozdil)
    a, b = rozdil
    for odkud, kam in ((a, b), (b, a)):
        figura = pred[odkud[0]][odkud[1]]
        if (
            figura.startswith("b")
            and po[odkud[0]][odkud[1]] == ""
            and pred[kam[0]][kam[1]] == ""
            and po[kam[0]][kam[1]] == figura
        ):
            return None
    return "the change is not one black move: %s" % rozdil


def test(binarka, aktiva):
    kniha = nacti_knihu(os.path.join(aktiva, "a.txt"))
    with Hra(binarka, aktiva, "jeden_hrac") as hra:
        deska = zakladni_postaveni()
        hra.cekej_na_desku(deska, True, "initial screen")
        hra.klik_tlacitko(JEDEN_HRAC)
        # Nothing shows the new game; clicks are handled in order.

        hrano = []
        bily = "e2e4"
        for kolo in range(2):
            hra.klik_pole(bily[:2])
            hra.klik_pole(bily[2:])
            deska = tahni(deska, pole(bily[:2]), pole(bily[2:]))
            hrano.append(kod(bily))
            cerny = odpoved(kniha, hrano)
            if cerny is None or not obycejny(cerny):
                if kolo > 0:
                    break
                # No book answer to check against: some black move must show.
                def chyba(snimek, pred=deska):
                    obraz = hra.precti_desku(snimek, True)
                    deska_po = [[n[:-1] for n in r] for r in obraz]
                    if any("?" in r for r in obraz):
                        return "unknown blocks on the board"
                    return jeden_tah_cerneho(pred, deska_po) or hra.chyba_okoli(snimek)

                hra.cekej(chyba, "the computer's reply to %s" % bily)
                break
            odkud, kam = rozloz(cerny)
            deska = tahni(deska, odkud, kam)
            hra.cekej_na_desku(
                deska, True, "after %s and the book's reply %s" % (bily, nazev_tahu(cerny))
            )
            hrano.append(cerny)
            # White's next move: the first book line that goes on from here.
            dalsi = [r[len(hrano)] for r in kniha if len(r) > len(hrano) and r[: len(hrano)] == hrano]
            dalsi = [k for k in dalsi if obycejny(k)]
            if not dalsi:
                break
            bily = nazev_tahu(dalsi[0])

        print("played: " + " ".join(nazev_tahu(k) for k in hrano))
        status = hra.zavri()
        if status != 0:
            raise Selhani("closing the window ended the game with status %d" % status)


if __name__ == "__main__":
    spust("e2e jeden_hrac", test)
