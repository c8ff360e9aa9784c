#!/usr/bin/env python3
"""A stand-in for a UCI engine that answers from a table, so that tests of
the book tools need no real engine. It knows no chess.

The table (file named by FALESNY_TABULKA) has one line per position:
FEN, a tab, and the moves best first as MOVE:CENTIPAWNS separated by commas.
`go` answers with the first MultiPV moves of the position's line, or with
the searchmoves' own lines. FALESNY_REZIM makes it misbehave at `go`:
"umri" exits, "mlci" never answers, "spatne" writes a line that cannot be read.
"""
import os
import sys

tabulka = {}
with open(os.environ.get("FALESNY_TABULKA", "/dev/null"), encoding="utf-8") as soubor:
    for radek in soubor:
        fen, _, tahy = radek.rstrip("\n").partition("\t")
        if tahy:
            tabulka[fen] = [(t, int(s)) for t, s in (p.split(":") for p in tahy.split(","))]
rezim = os.environ.get("FALESNY_REZIM", "")
multipv, fen = 1, ""


def odpovez(text):
    sys.stdout.write(text + "\n")
    sys.stdout.flush()


for radek in sys.stdin:
    slova = radek.split()
    if not slova:
        continue
    if slova[0] == "uci":
        odpovez("id name Falesny motor\nid author nikdo\nuciok")
    elif slova[0] == "isready":
        odpovez("readyok")
    elif slova[:4] == ["setoption", "name", "MultiPV", "value"]:
        multipv = int(slova[4])
    elif slova[:2] == ["position", "fen"]:
        fen = " ".join(slova[2:])
    elif slova[0] == "go":
        if rezim == "umri":
            sys.exit(3)
        if rezim == "mlci":
            continue
        hloubka = slova[slova.index("depth") + 1]
        if rezim == "spatne":
            odpovez(f"info depth {hloubka} multipv 1 score cp dvacet pv e2e4\nbestmove e2e4")
            continue
        tahy = tabulka.get(fen, [])
        if "searchmoves" in slova:
            povolene = slova[slova.index("searchmoves") + 1:]
            tahy = [t for t in tahy if t[0] in povolene]
        tahy = tahy[:multipv]
        for poradi, (tah, skore) in enumerate(tahy, 1):
            odpovez(f"info depth {hloubka} seldepth 3 multipv {poradi} score cp {skore} nodes 1 pv {tah}")
        odpovez("bestmove " + (tahy[0][0] if tahy else "(none)"))
    elif slova[0] == "quit":
        break
