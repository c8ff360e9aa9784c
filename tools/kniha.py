#!/usr/bin/env python3
"""The opening book: its generator and its quality report.

    tools/kniha.py generuj [--hloubka N] [--vystup FILE] [--kontrola CMD]
    tools/kniha.py zprava [FILE] [--hloubka N]

`generuj` writes the book from an analysis engine (Stockfish over UCI): all 20
first moves of White; at every later White node through White's fifth move the
engine's best three moves; at every Black node one reply, the engine's best,
so that it is the node's only entry and the computer always plays it. Lines end
with Black's reply to White's fifth move (ply 10).

`zprava` reads any book exactly as the game does (book/nacitani.cpp,
book/sledovani.cpp) and measures it: lines, nodes, dead lines, first moves
without an answer, coverage of the engine's best three White moves, the plies
a White player picking among them stays in the book, and the loss of the
computer's book moves against the engine's best move.

Positions follow our rules: no en passant, castling as O-O / O-O-O, a pawn of
the book always becomes a queen. The engine sees every position as a FEN
without an en passant square, so it never plays or suggests en passant at the
root, and a search is a function of the position alone: the same engine with
the same settings gives the same book byte for byte. Searches are kept in a
cache file (`.cache/kniha.tsv`) so that reruns and reports repeat none; the
result never depends on it.
"""
import argparse
import os
import shlex
import shutil
import subprocess
import sys
import tempfile
import time

KOREN = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
VYCHOZI_FEN = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"
HASH_MB = 16
PULTAHU = 10  # a line ends with Black's reply to White's fifth move
SIRKA = 3  # White's moves kept at each White node after the first
MAT = 30000  # a mate in n scores MAT - n centipawns

SMERY_KONE = [(1, 2), (2, 1), (2, -1), (1, -2), (-1, -2), (-2, -1), (-2, 1), (-1, 2)]
SMERY_KRALE = [(1, 0), (1, 1), (0, 1), (-1, 1), (-1, 0), (-1, -1), (0, -1), (1, -1)]
SMERY_VEZE = [(1, 0), (-1, 0), (0, 1), (0, -1)]
SMERY_STRELCE = [(1, 1), (1, -1), (-1, 1), (-1, -1)]


def jmenopole(sloupec, radek):
    return "abcdefgh"[sloupec] + str(radek + 1)


def pole(jmeno):
    return ord(jmeno[0]) - ord("a"), int(jmeno[1]) - 1


class Pozice:
    """A position under our rules. `deska[(sloupec, radek)]` holds a piece
    letter, upper case White; `prava` the castling rights as FEN letters."""

    def __init__(self, fen=VYCHOZI_FEN):
        casti = fen.split()
        self.deska = {}
        for i, rada in enumerate(casti[0].split("/")):
            sloupec = 0
            for znak in rada:
                if znak.isdigit():
                    sloupec += int(znak)
                else:
                    self.deska[(sloupec, 7 - i)] = znak
                    sloupec += 1
        self.bily = casti[1] == "w"
        self.prava = "" if casti[2] == "-" else casti[2]
        self.pultahy = int(casti[4]) if len(casti) > 4 else 0
        self.cislo = int(casti[5]) if len(casti) > 5 else 1

    def fen(self):
        rady = []
        for radek in range(7, -1, -1):
            text, prazdna = "", 0
            for sloupec in range(8):
                znak = self.deska.get((sloupec, radek))
                if znak is None:
                    prazdna += 1
                    continue
                if prazdna:
                    text += str(prazdna)
                    prazdna = 0
                text += znak
            rady.append(text + (str(prazdna) if prazdna else ""))
        strana = "w" if self.bily else "b"
        return f"{'/'.join(rady)} {strana} {self.prava or '-'} - {self.pultahy} {self.cislo}"

    def vlastni(self, znak, bily):
        return znak is not None and znak.isupper() == bily

    def napadeno(self, cil, bilym):
        """Is square `cil` attacked by White (bilym) or Black?"""
        d = self.deska
        sloupec, radek = cil
        pesec, kun, kral = ("P", "N", "K") if bilym else ("p", "n", "k")
        smer = -1 if bilym else 1
        if d.get((sloupec - 1, radek + smer)) == pesec or d.get((sloupec + 1, radek + smer)) == pesec:
            return True
        for ds, dr in SMERY_KONE:
            if d.get((sloupec + ds, radek + dr)) == kun:
                return True
        for ds, dr in SMERY_KRALE:
            if d.get((sloupec + ds, radek + dr)) == kral:
                return True
        for smery, kdo in ((SMERY_VEZE, "RQ"), (SMERY_STRELCE, "BQ")):
            kdo = kdo if bilym else kdo.lower()
            for ds, dr in smery:
                s, r = sloupec + ds, radek + dr
                while 0 <= s < 8 and 0 <= r < 8:
                    znak = d.get((s, r))
                    if znak is not None:
                        if znak in kdo:
                            return True
                        break
                    s, r = s + ds, r + dr
        return False

    def vsachu(self, bily):
        kral = "K" if bily else "k"
        for misto, znak in self.deska.items():
            if znak == kral:
                return self.napadeno(misto, not bily)
        return False

    def _hrube(self):
        """Moves as UCI text before the check test; castling is fully checked."""
        d, bily = self.deska, self.bily
        for (sloupec, radek), znak in list(d.items()):
            if not self.vlastni(znak, bily):
                continue
            odkud = jmenopole(sloupec, radek)
            typ = znak.upper()
            if typ == "P":
                smer = 1 if bily else -1
                start, konec = (1, 7) if bily else (6, 0)
                cile = []
                if (sloupec, radek + smer) not in d:
                    cile.append((sloupec, radek + smer))
                    if radek == start and (sloupec, radek + 2 * smer) not in d:
                        cile.append((sloupec, radek + 2 * smer))
                for ds in (-1, 1):
                    cil = (sloupec + ds, radek + smer)
                    if 0 <= cil[0] < 8 and self.vlastni(d.get(cil), not bily):
                        cile.append(cil)
                for cil in cile:
                    # The book's pawns always become queens.
                    yield odkud + jmenopole(*cil) + ("q" if cil[1] == konec else "")
                continue
            if typ in "NK":
                for ds, dr in SMERY_KONE if typ == "N" else SMERY_KRALE:
                    s, r = sloupec + ds, radek + dr
                    if 0 <= s < 8 and 0 <= r < 8 and not self.vlastni(d.get((s, r)), bily):
                        yield odkud + jmenopole(s, r)
                continue
            smery = {"R": SMERY_VEZE, "B": SMERY_STRELCE, "Q": SMERY_VEZE + SMERY_STRELCE}[typ]
            for ds, dr in smery:
                s, r = sloupec + ds, radek + dr
                while 0 <= s < 8 and 0 <= r < 8:
                    cil = d.get((s, r))
                    if self.vlastni(cil, bily):
                        break
                    yield odkud + jmenopole(s, r)
                    if cil is not None:
                        break
                    s, r = s + ds, r + dr
        # Castling: king and rook unmoved, the squares between empty, and the
        # king neither in check nor passing or landing on an attacked square.
        radek = 0 if bily else 7
        for pravo, vez, mezi, cesta in (("K", 7, (5, 6), (5, 6)), ("Q", 0, (1, 2, 3), (3, 2))):
            if (pravo if bily else pravo.lower()) not in self.prava:
                continue
            if d.get((4, radek)) != ("K" if bily else "k"):
                continue
            if d.get((vez, radek)) != ("R" if bily else "r"):
                continue
            if any((s, radek) in d for s in mezi):
                continue
            if self.napadeno((4, radek), not bily):
                continue
            if any(self.napadeno((s, radek), not bily) for s in cesta):
                continue
            yield "e1g1" if pravo == "K" and bily else "e1c1" if bily else "e8g8" if pravo == "K" else "e8c8"

    def zahraj(self, tah):
        """The position after a move given as UCI text (castling as the king's move)."""
        nova = Pozice.__new__(Pozice)
        d = dict(self.deska)
        odkud, kam = pole(tah[:2]), pole(tah[2:4])
        znak = d.pop(odkud)
        sebrana = d.get(kam)
        d[kam] = znak
        if znak in "Kk" and abs(kam[0] - odkud[0]) == 2:
            radek = odkud[1]
            vez_z, vez_na = ((7, radek), (5, radek)) if kam[0] == 6 else ((0, radek), (3, radek))
            d[vez_na] = d.pop(vez_z)
        if znak in "Pp" and kam[1] in (0, 7):
            d[kam] = "Q" if znak == "P" else "q"
        prava = self.prava
        for misto, ztraci in (((4, 0), "KQ"), ((7, 0), "K"), ((0, 0), "Q"),
                              ((4, 7), "kq"), ((7, 7), "k"), ((0, 7), "q")):
            if misto in (odkud, kam):
                prava = "".join(p for p in prava if p not in ztraci)
        nova.deska = d
        nova.bily = not self.bily
        nova.prava = prava
        nova.pultahy = 0 if znak in "Pp" or sebrana is not None else self.pultahy + 1
        nova.cislo = self.cislo + (0 if self.bily else 1)
        return nova

    def tahy(self):
        """Every legal move under our rules as UCI text, promotions as queens only."""
        vysledek = []
        for tah in self._hrube():
            if not self.zahraj(tah).vsachu(self.bily):
                vysledek.append(tah)
        return sorted(vysledek)

    def zapis(self, tah):
        """The book's token of a legal UCI move."""
        if self.deska.get(pole(tah[:2])) in ("K", "k") and abs(ord(tah[2]) - ord(tah[0])) == 2:
            return "O-O" if tah[2] == "g" else "O-O-O"
        return tah[:4]

    def kod(self, tah):
        """The game's code of a legal UCI move, as move input passes it to the book."""
        return kodtahu(self.zapis(tah).encode())


# --- The book as the game reads it --------------------------------------------


def kodtahu(token):
    """Sachovnice::kodtahu of a token (bytes)."""

    def radek(z):
        return z - ord("1") if ord("1") <= z <= ord("8") else 100

    def sloupec(z):
        if ord("a") <= z <= ord("h"):
            return z - ord("a")
        if ord("A") <= z <= ord("H"):
            return z - ord("A")
        return 100

    if len(token) == 4:
        return ((sloupec(token[0]) * 10 + radek(token[1])) * 10 + sloupec(token[2])) * 10 + radek(
            token[3]
        )
    return {b"O-O": 8, b"O-O-O": 9}.get(token, 0)


def nactiknihovnu(data):
    """Sachovnice::nactiknihovnu: the nodes (dicts code -> next node) and the
    lines read (lists of tokens). The first line without a token ends it."""
    knihovna, radky, konce = [], [], set()
    for radek in data.split(b"\n"):
        tahy = radek.split()
        if not tahy:
            break
        radky.append(tahy)
        kurzor = 0
        for i, token in enumerate(tahy):
            pohyb = kodtahu(token)
            n = len(knihovna)
            posledni = i + 1 == len(tahy)
            if kurzor == n:
                knihovna.append({pohyb: n + 1})
                if posledni:
                    konce.add((n, pohyb))
                kurzor = n + 1
            elif pohyb in knihovna[kurzor]:
                if not posledni and (kurzor, pohyb) in konce:
                    konce.discard((kurzor, pohyb))
                    knihovna[kurzor][pohyb] = n
                kurzor = knihovna[kurzor][pohyb]
            else:
                knihovna[kurzor][pohyb] = n
                if posledni:
                    konce.add((kurzor, pohyb))
                kurzor = n
    for uzel, pohyb in konce:
        knihovna[uzel][pohyb] = len(knihovna)
    return knihovna, radky


def posunuzel(knihovna, uzel, kod):
    if uzel >= len(knihovna):
        return uzel
    return knihovna[uzel].get(kod, len(knihovna))


def tahkodu(pozice, kod, tahy):
    """The legal move (UCI) the computer makes for a book code, or None:
    Sachovnice::zahrajknihovni. Castling only by 8 and 9; a king's move of two
    squares is no move of the book."""
    if kod in (8, 9):
        radek = "1" if pozice.bily else "8"
        tah = "e" + radek + ("g" if kod == 8 else "c") + radek
        return tah if tah in tahy and pozice.zapis(tah) in ("O-O", "O-O-O") else None
    if kod > 10000:
        kod //= 10
    cislice = [kod // 1000 % 10, kod // 100 % 10, kod // 10 % 10, kod % 10]
    if max(cislice) > 7:
        return None
    text = jmenopole(cislice[0], cislice[1]) + jmenopole(cislice[2], cislice[3])
    for tah in tahy:
        if tah[:4] == text and pozice.zapis(tah) == text:
            return tah
    return None


def tahpocitace(knihovna, uzel, pozice):
    """The computer's book move at a node: (code, UCI move) of the smallest legal
    entry, or None when the book has no answer here."""
    if uzel >= len(knihovna):
        return None
    tahy = pozice.tahy()
    for kod in sorted(knihovna[uzel]):
        tah = tahkodu(pozice, kod, tahy)
        if tah is not None:
            return kod, tah
    return None


def tahbileho(pozice, token, tahy):
    """White's move input of a token: the legal UCI move, or None."""
    for tah in tahy:
        if pozice.zapis(tah).encode() == token:
            return tah
    return None


def hratelna(knihovna, radek):
    """Can the line be played out: every move legal, and each Black move the
    computer's choice at its node?"""
    pozice, uzel = Pozice(), 0
    for token in radek:
        if pozice.bily:
            tah = tahbileho(pozice, token, pozice.tahy())
            if tah is None:
                return False
            uzel = posunuzel(knihovna, uzel, kodtahu(token))
        else:
            volba = tahpocitace(knihovna, uzel, pozice)
            if volba is None or volba[0] != kodtahu(token):
                return False
            tah = volba[1]
            uzel = posunuzel(knihovna, uzel, volba[0])
        pozice = pozice.zahraj(tah)
    return True


def bezodpovedi(knihovna):
    """White's first moves (UCI) the book does not answer."""
    start = Pozice()
    chybi = []
    for tah in start.tahy():
        uzel = posunuzel(knihovna, 0, start.kod(tah))
        if tahpocitace(knihovna, uzel, start.zahraj(tah)) is None:
            chybi.append(tah)
    return chybi


def dosazene(knihovna):
    """What the computer's play reaches, White playing any move the book holds:
    the White positions as (ply, position, node) and the Black book moves as
    (ply, position, UCI move)."""
    bile, cerne = [], []
    zasobnik = [(0, Pozice(), 0)]
    while zasobnik:
        pultah, pozice, uzel = zasobnik.pop()
        bile.append((pultah, pozice, uzel))
        if uzel >= len(knihovna):
            continue
        for tah in pozice.tahy():
            kod = pozice.kod(tah)
            if kod not in knihovna[uzel]:
                continue
            po = pozice.zahraj(tah)
            dalsi = knihovna[uzel][kod]
            volba = tahpocitace(knihovna, dalsi, po)
            if volba is None:
                continue
            cerne.append((pultah + 1, po, volba[1]))
            zasobnik.append((pultah + 2, po.zahraj(volba[1]), posunuzel(knihovna, dalsi, volba[0])))
    return bile, cerne


def odpovida(knihovna, uzel, pozice, tah):
    """After White's move, does the book answer? The node and position after
    the answer, or None."""
    po = pozice.zahraj(tah)
    dalsi = posunuzel(knihovna, uzel, pozice.kod(tah))
    volba = tahpocitace(knihovna, dalsi, po)
    if volba is None:
        return None
    return posunuzel(knihovna, dalsi, volba[0]), po.zahraj(volba[1])


# --- The engine -----------------------------------------------------------------


def najdimotor(prikaz):
    if prikaz:
        return prikaz
    for kandidat in (shutil.which("stockfish"), "/usr/games/stockfish"):
        if kandidat and os.access(kandidat, os.X_OK):
            return kandidat
    sys.exit("kniha.py: no stockfish found (apt-get install stockfish, or --motor PATH)")


class Motor:
    """A UCI engine with one thread and a fixed hash; every search starts a
    new game, so its result depends on the position and the limits alone."""

    def __init__(self, prikaz, cache):
        self.prikaz = prikaz
        self.proces = None
        self.jmeno = None
        self.cache_cesta = cache
        self.cache = {}
        self.hledani = 0
        self.z_cache = 0
        self.cas = 0.0
        if cache and os.path.exists(cache):
            with open(cache, encoding="utf-8") as soubor:
                for radek in soubor:
                    klic, _, hodnota = radek.rstrip("\n").rpartition("\t")
                    if klic:
                        self.cache[klic] = hodnota

    def _posli(self, text):
        self.proces.stdin.write(text + "\n")
        self.proces.stdin.flush()

    def _cti(self, zacatek):
        radky = []
        while True:
            radek = self.proces.stdout.readline()
            if not radek:
                raise RuntimeError("the engine ended unexpectedly")
            radky.append(radek.rstrip("\n"))
            if radek.startswith(zacatek):
                return radky

    def spust(self):
        if self.proces is not None:
            return
        self.proces = subprocess.Popen(
            [self.prikaz], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, bufsize=1
        )
        self._posli("uci")
        for radek in self._cti("uciok"):
            if radek.startswith("id name "):
                self.jmeno = radek[len("id name "):]
        self._posli("setoption name Threads value 1")
        self._posli(f"setoption name Hash value {HASH_MB}")
        self._posli("isready")
        self._cti("readyok")

    def identita(self):
        self.spust()
        return self.jmeno

    def hledej(self, fen, hloubka, multipv=1, tahy=None):
        """The engine's best `multipv` moves at a fixed depth, best first, as
        (UCI move, centipawns for the side to move). `tahy` restricts the root
        moves (searchmoves)."""
        self.spust()
        omezeni = " ".join(tahy) if tahy else ""
        klic = f"{self.jmeno}|{HASH_MB}|{fen}|{hloubka}|{multipv}|{omezeni}"
        if klic in self.cache:
            self.z_cache += 1
            return [(t, int(s)) for t, s in (p.split(":") for p in self.cache[klic].split(","))]
        zacatek = time.monotonic()
        self._posli(f"setoption name MultiPV value {multipv}")
        self._posli("ucinewgame")
        self._posli("isready")
        self._cti("readyok")
        self._posli(f"position fen {fen}")
        self._posli(f"go depth {hloubka}" + (f" searchmoves {omezeni}" if omezeni else ""))
        posledni = {}
        for radek in self._cti("bestmove"):
            slova = radek.split()
            if not slova or slova[0] != "info" or "pv" not in slova or "multipv" not in slova:
                continue
            if int(slova[slova.index("depth") + 1]) != hloubka:
                continue
            i = slova.index("score")
            skore = int(slova[i + 2])
            if slova[i + 1] == "mate":
                skore = MAT - skore if skore > 0 else -MAT - skore
            poradi = int(slova[slova.index("multipv") + 1])
            posledni[poradi] = (slova[slova.index("pv") + 1], skore)
        vysledek = [posledni[k] for k in sorted(posledni)]
        if not vysledek:
            raise RuntimeError(f"no result at depth {hloubka} for {fen}")
        self.hledani += 1
        self.cas += time.monotonic() - zacatek
        self.cache[klic] = ",".join(f"{t}:{s}" for t, s in vysledek)
        if self.cache_cesta:
            os.makedirs(os.path.dirname(self.cache_cesta) or ".", exist_ok=True)
            with open(self.cache_cesta, "a", encoding="utf-8") as soubor:
                soubor.write(f"{klic}\t{self.cache[klic]}\n")
        return vysledek

    def nejlepsi(self, pozice, hloubka, multipv=1):
        """The best moves under our rules: no en passant (the FEN has no en
        passant square) and no under-promotion (searchmoves, when a pawn can
        promote)."""
        tahy = pozice.tahy()
        omezit = any(len(t) == 5 for t in tahy)
        return self.hledej(pozice.fen(), hloubka, multipv, tahy if omezit else None)

    def ukonci(self):
        if self.proces is not None:
            self._posli("quit")
            self.proces.wait()
            self.proces = None


# --- Generating -----------------------------------------------------------------


def generuj(motor, hloubka, prubeh=None, pultahu=PULTAHU):
    """The book's lines as lists of tokens."""
    radky = []

    def cerny(pozice, tahy):
        kandidati = pozice.tahy()
        if len(tahy) >= pultahu or not kandidati:
            radky.append(tahy)
            return
        tah = motor.nejlepsi(pozice, hloubka)[0][0]
        bily(pozice.zahraj(tah), tahy + [pozice.zapis(tah)])

    def bily(pozice, tahy):
        kandidati = pozice.tahy()
        if len(tahy) >= pultahu or not kandidati:
            radky.append(tahy)
            return
        if tahy:
            kandidati = [t for t, _ in motor.nejlepsi(pozice, hloubka, SIRKA)]
        for tah in kandidati:
            cerny(pozice.zahraj(tah), tahy + [pozice.zapis(tah)])
            if not tahy and prubeh:
                prubeh(tah)

    bily(Pozice(), [])
    return radky


def vadyknihy(data):
    """What makes a generated book unfit, as messages."""
    knihovna, radky = nactiknihovnu(data)
    vady = []
    for cislo, radek in enumerate(radky, 1):
        if not hratelna(knihovna, radek):
            vady.append(f"line {cislo} cannot be played out")
    chybi = bezodpovedi(knihovna)
    if chybi:
        vady.append("first moves without an answer: " + " ".join(chybi))
    return vady


def najdikontrolu(zadana):
    """The checker of a new book: the one given, else the game's own
    `sachy-kniha` (built in build/ or installed), which replays every line
    with the game's move input and book step."""
    if zadana is not None:
        return zadana
    for kandidat in (os.path.join(KOREN, "build", "sachy-kniha"), shutil.which("sachy-kniha")):
        if kandidat and os.access(kandidat, os.X_OK):
            return shlex.quote(kandidat)
    sys.exit("no book checker: build it (cmake --build build --target sachy-kniha), "
             "or name one with --kontrola ('' for none)")


def prikaz_generuj(argumenty):
    motor = Motor(najdimotor(argumenty.motor), argumenty.cache)
    zacatek = time.monotonic()

    def prubeh(tah):
        print(f"{tah}: {motor.hledani} searches, {motor.z_cache} from the cache, "
              f"{time.monotonic() - zacatek:.0f} s", file=sys.stderr, flush=True)

    try:
        print(f"{motor.identita()}, depth {argumenty.hloubka}", file=sys.stderr)
        radky = generuj(motor, argumenty.hloubka, prubeh)
    finally:
        motor.ukonci()
    data = "".join(" ".join(radek) + "\n" for radek in radky).encode()
    vady = vadyknihy(data)
    if vady:
        print("\n".join(vady), file=sys.stderr)
        return 1
    vystup = os.path.abspath(argumenty.vystup)
    fd, docasny = tempfile.mkstemp(prefix=".a-", suffix=".txt", dir=os.path.dirname(vystup))
    with os.fdopen(fd, "wb") as soubor:
        soubor.write(data)
    kontrola = najdikontrolu(argumenty.kontrola)
    if kontrola:
        vysledek = subprocess.run(shlex.split(kontrola) + [docasny])
        if vysledek.returncode != 0:
            os.unlink(docasny)
            print(f"the check `{kontrola}` refused the book", file=sys.stderr)
            return 1
    os.chmod(docasny, 0o644)
    os.replace(docasny, vystup)
    print(f"{vystup}: {len(radky)} lines, {len(data)} bytes; {motor.hledani} searches "
          f"({motor.cas:.0f} s), {motor.z_cache} from the cache; "
          f"{time.monotonic() - zacatek:.0f} s in all", file=sys.stderr)
    return 0


# --- The report -----------------------------------------------------------------


def zprava(data, motor, hloubka):
    """The report's figures of a book, as a dict."""
    knihovna, radky = nactiknihovnu(data)
    mrtve = sum(1 for radek in radky if not hratelna(knihovna, radek))
    bile, cerne = dosazene(knihovna)

    # Coverage of the engine's best three at the White positions the
    # computer's play reaches through White's fifth move.
    pokryti = {}
    for pultah, pozice, uzel in bile:
        if pultah >= PULTAHU or not pozice.tahy():
            continue
        nejlepsi = [t for t, _ in motor.nejlepsi(pozice, hloubka, SIRKA)]
        kryte = sum(1 for t in nejlepsi if odpovida(knihovna, uzel, pozice, t) is not None)
        mame, celkem = pokryti.get(pultah, (0, 0))
        pokryti[pultah] = (mame + kryte, celkem + len(nejlepsi))

    # Plies in the book for White picking uniformly among the best three,
    # counted through Black's reply to White's fifth move.
    def ocekavane(pozice, uzel, pultah):
        if pultah >= PULTAHU or not pozice.tahy():
            return 0.0
        nejlepsi = [t for t, _ in motor.nejlepsi(pozice, hloubka, SIRKA)]
        soucet = 0.0
        for tah in nejlepsi:
            dal = odpovida(knihovna, uzel, pozice, tah)
            if dal is not None:
                soucet += 2 + ocekavane(dal[1], dal[0], pultah + 2)
        return soucet / len(nejlepsi)

    # The loss of each book move the computer can play: the best move's score
    # minus the book move's score, both searched at the same depth.
    ztraty = []
    for pultah, pozice, tah in cerne:
        nejlepsi, skore = motor.nejlepsi(pozice, hloubka)[0]
        if nejlepsi == tah:
            ztraty.append((0, pultah, pozice, tah, nejlepsi))
            continue
        vlastni = motor.hledej(pozice.fen(), hloubka, 1, [tah])[0][1]
        ztraty.append((max(0, skore - vlastni), pultah, pozice, tah, nejlepsi))

    return {
        "radky": len(radky),
        "uzly": len(knihovna),
        "mrtve": mrtve,
        "bez_odpovedi": bezodpovedi(knihovna),
        "pokryti": pokryti,
        "ocekavane": ocekavane(Pozice(), 0, 0),
        "ztraty": ztraty,
    }


def vypis(nazev, data, z, motor, hloubka):
    ztraty = [t[0] for t in z["ztraty"]]
    radky = [
        f"book: {nazev} ({z['radky']} lines, {len(data)} bytes)",
        f"engine: {motor.identita()}, depth {hloubka}, 1 thread, hash {HASH_MB} MB",
        f"lines: {z['radky']}",
        f"nodes: {z['uzly']}",
        f"dead lines: {z['mrtve']}",
        f"first moves without an answer: {len(z['bez_odpovedi'])} of 20"
        + (f" ({' '.join(z['bez_odpovedi'])})" if z["bez_odpovedi"] else ""),
    ]
    mame = sum(m for m, _ in z["pokryti"].values())
    celkem = sum(c for _, c in z["pokryti"].values())
    radky.append(f"best three White moves covered: {mame} of {celkem} "
                 f"({100 * mame / max(celkem, 1):.0f} %)")
    for pultah in sorted(z["pokryti"]):
        m, c = z["pokryti"][pultah]
        radky.append(f"  White's move {pultah // 2 + 1} (after ply {pultah}): "
                     f"{m} of {c} ({100 * m / c:.0f} %)")
    radky.append(f"expected plies in book, White picking among the best three: {z['ocekavane']:.1f}")
    if ztraty:
        nejhorsi = max(z["ztraty"], key=lambda t: t[0])
        radky.append(f"computer's book moves: {len(ztraty)}, not the engine's best: "
                     f"{sum(1 for t in ztraty if t > 0)}")
        radky.append(f"loss against the engine's best: mean {sum(ztraty) / len(ztraty):.1f} cp, "
                     f"worst {nejhorsi[0]} cp")
        if nejhorsi[0] > 0:
            radky.append(f"  worst: {nejhorsi[3]} instead of {nejhorsi[4]} in {nejhorsi[2].fen()}")
    return "\n".join(radky)


def prikaz_zprava(argumenty):
    motor = Motor(najdimotor(argumenty.motor), argumenty.cache)
    try:
        with open(argumenty.kniha, "rb") as soubor:
            data = soubor.read()
        z = zprava(data, motor, argumenty.hloubka)
        print(vypis(os.path.basename(argumenty.kniha), data, z, motor, argumenty.hloubka))
    finally:
        motor.ukonci()
    print(f"{motor.hledani} searches ({motor.cas:.0f} s), {motor.z_cache} from the cache",
          file=sys.stderr)
    return 0


def main():
    def spolecne(parser, vychozi):
        # Accepted before and after the subcommand; after it, a missing
        # option keeps what was given before.
        def d(hodnota):
            return hodnota if vychozi else argparse.SUPPRESS

        parser.add_argument("--motor", default=d(None),
                            help="the UCI engine (default: stockfish on the PATH)")
        parser.add_argument("--cache", default=d(os.path.join(KOREN, ".cache", "kniha.tsv")),
                            help="the search cache (default .cache/kniha.tsv; '' for none)")
        parser.add_argument("--hloubka", type=int, default=d(18),
                            help="search depth (default 18)")

    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    spolecne(parser, True)
    podprikazy = parser.add_subparsers(dest="prikaz", required=True)
    g = podprikazy.add_parser("generuj", help="write the book")
    spolecne(g, False)
    g.add_argument("--vystup", default=os.path.join(KOREN, "assets", "a.txt"),
                   help="the book to write (default assets/a.txt)")
    g.add_argument("--kontrola", help="a checker run as `CMD FILE` on the new book before it "
                   "replaces the old; exit status 0 accepts it (default: the game's "
                   "sachy-kniha from build/ or the PATH)")
    z = podprikazy.add_parser("zprava", help="the quality report of a book")
    spolecne(z, False)
    z.add_argument("kniha", nargs="?", default=os.path.join(KOREN, "assets", "a.txt"))
    argumenty = parser.parse_args()
    if argumenty.hloubka < 1:
        parser.error("--hloubka must be positive")
    return prikaz_generuj(argumenty) if argumenty.prikaz == "generuj" else prikaz_zprava(argumenty)


if __name__ == "__main__":
    sys.exit(main())
