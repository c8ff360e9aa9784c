"""What the end-to-end tests share: a private X server, the real game in it,
mouse clicks, screenshots, and reading the board back from the screen.

Only the standard library is used; the outside tools are Xvfb, xdotool,
xprop, ImageMagick's import and convert, and libX11 (through ctypes) for the
window-close request.

A test script does

    with Hra(binary, assets, "jmeno") as hra:
        ...

and raises Selhani (or lets any exception through) on a fault; `spust`
prints the PASS/FAIL line and turns it into the exit status.
"""

import ctypes
import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SIRKA, VYSKA = 800, 600
POLE = 34  # square size in pixels
TITULEK = "SDL Tutorial"

# Buttons: (x, y, width, height); both bounds of the hit test are inclusive.
OTOCIT = (400, 50, 100, 30)
DVA_HRACI = (400, 100, 150, 30)
JEDEN_HRAC = (400, 150, 150, 30)
TLACITKA = (OTOCIT, DVA_HRACI, JEDEN_HRAC)

# Promotion dialog: the four choices at y 350, and the prompt's corner.
VOLBY_Y = 350
VOLBY_BILY = (("wnw", 102), ("wbb", 136), ("wrw", 170), ("wqb", 204))
VYZVA = (34, 320)

CEKANI = 8.0  # seconds any single wait may take
CELKEM = 90  # seconds a whole script may take

BMP = ["b", "w"] + [
    barva + figura + pole for barva in "wb" for figura in "pnbrqk" for pole in "bw"
]

CERNA = b"\x00\x00\x00"
BILA = b"\xff\xff\xff"


class Selhani(Exception):
    """A check of the game's behaviour failed."""


# ---------------------------------------------------------------- SDL 1.2

CLASSIC, COMPAT = "classic SDL 1.2", "sdl12-compat"


def knihovna_sdl():
    """Which SDL 1.2 the game loads here: the one the dynamic linker finds
    (LD_LIBRARY_PATH included). sdl12-compat reports versions from 1.2.50 up."""
    sdl = ctypes.CDLL("libSDL-1.2.so.0")
    sdl.SDL_Linked_Version.restype = ctypes.POINTER(ctypes.c_uint8 * 3)
    verze = sdl.SDL_Linked_Version().contents
    return COMPAT if verze[2] >= 50 else CLASSIC


# ---------------------------------------------------------------- the board


def pole(nazev):
    """'e2' -> grid square (row 1, column 4)."""
    return (int(nazev[1]) - 1, ord(nazev[0]) - ord("a"))


def roh(radek, sloupec, otoceno):
    """Top-left screen corner of a grid square."""
    x = POLE * (8 - sloupec)
    y = POLE * (radek + 1) if otoceno else POLE * (8 - radek)
    return x, y


def stred(radek, sloupec, otoceno):
    x, y = roh(radek, sloupec, otoceno)
    return x + POLE // 2, y + POLE // 2


def tmave(radek, sloupec):
    return (radek + sloupec) % 2 == 0


def obrazek(figura, radek, sloupec):
    """Name of the bitmap (without .bmp) that shows `figura` ('' empty, 'wk',
    'bp', ...) on the square."""
    return figura + ("b" if tmave(radek, sloupec) else "w")


def zakladni_postaveni():
    """Grid [row][column] of piece names in the initial position."""
    rada = ["r", "n", "b", "q", "k", "b", "n", "r"]
    deska = [[""] * 8 for _ in range(8)]
    for s in range(8):
        deska[0][s] = "w" + rada[s]
        deska[1][s] = "wp"
        deska[6][s] = "bp"
        deska[7][s] = "b" + rada[s]
    return deska


def kopie(deska):
    return [list(r) for r in deska]


def tahni(deska, odkud, kam):
    """A copy of the board with the piece moved (captures included)."""
    nova = kopie(deska)
    (r1, s1), (r2, s2) = odkud, kam
    nova[r2][s2] = nova[r1][s1]
    nova[r1][s1] = ""
    return nova


def ocekavany_obraz(deska):
    return [[obrazek(deska[r][s], r, s) for s in range(8)] for r in range(8)]


def diagram(obraz):
    """The board read from the screen as text, row 7 at the top."""
    radky = []
    for r in range(7, -1, -1):
        radky.append(
            "%d  " % (r + 1) + " ".join("%-3s" % obraz[r][s] for s in range(8))
        )
    radky.append("   " + " ".join("%-3s" % chr(ord("a") + s) for s in range(8)))
    return "\n".join(radky)


# ------------------------------------------------------------- screenshots


class Snimek:
    """A screenshot of the window as raw RGB bytes."""

    def __init__(self, data):
        if len(data) != SIRKA * VYSKA * 3:
            raise Selhani(
                "screenshot has %d bytes, not those of an %dx%d window"
                % (len(data), SIRKA, VYSKA)
            )
        self.data = data

    def __eq__(self, jiny):
        return isinstance(jiny, Snimek) and self.data == jiny.data

    def pixel(self, x, y):
        i = (y * SIRKA + x) * 3
        return self.data[i : i + 3]

    def radek(self, y, x0, x1):
        """Pixels x0..x1-1 of screen row y."""
        return self.data[(y * SIRKA + x0) * 3 : (y * SIRKA + x1) * 3]

    def blok(self, x, y, w=POLE, h=POLE):
        return b"".join(self.radek(y + i, x, x + w) for i in range(h))


def nacti_bitmapy(adresar):
    """{raw 34x34 RGB bytes: name} of the 26 bitmaps, decoded by ImageMagick
    in one call (appended side by side)."""
    soubory = [os.path.join(adresar, n + ".bmp") for n in BMP]
    for s in soubory:
        if not os.path.isfile(s):
            raise Selhani("missing bitmap " + s)
    data = spust_prikaz(
        ["convert"] + soubory + ["+append", "-depth", "8", "rgb:-"], binarne=True
    )
    sirka = POLE * len(BMP)
    if len(data) != sirka * POLE * 3:
        raise Selhani("the bitmaps are not all %dx%d" % (POLE, POLE))
    bitmapy = {}
    for i, nazev in enumerate(BMP):
        blok = b"".join(
            data[(y * sirka + i * POLE) * 3 : (y * sirka + (i + 1) * POLE) * 3]
            for y in range(POLE)
        )
        if blok in bitmapy:
            raise Selhani(
                "bitmaps %s and %s are identical" % (bitmapy[blok], nazev)
            )
        bitmapy[blok] = nazev
    return bitmapy


# ---------------------------------------------------------- outside tools


def spust_prikaz(argv, env=None, binarne=False, cas=CEKANI):
    vysledek = subprocess.run(
        argv,
        env=env,
        stdin=subprocess.DEVNULL,
        stdout=subprocess.PIPE,
        stderr=subprocess.PIPE,
        timeout=cas,
    )
    if vysledek.returncode != 0:
        raise Selhani(
            "%s failed (%d): %s"
            % (" ".join(argv[:3]), vysledek.returncode, vysledek.stderr.decode(errors="replace").strip())
        )
    return vysledek.stdout if binarne else vysledek.stdout.decode(errors="replace")


class _ZpravaKlienta(ctypes.Structure):
    # XClientMessageEvent, padded to the size of XEvent (24 longs).
    _fields_ = [
        ("type", ctypes.c_int),
        ("serial", ctypes.c_ulong),
        ("send_event", ctypes.c_int),
        ("display", ctypes.c_void_p),
        ("window", ctypes.c_ulong),
        ("message_type", ctypes.c_ulong),
        ("format", ctypes.c_int),
        ("l", ctypes.c_long * 5),
        ("_vypln", ctypes.c_long * 12),
    ]


def posli_zavreni(displej, okno):
    """Sends the window the WM_DELETE_WINDOW request that a window manager
    sends when the user closes it (there is no window manager here)."""
    x = ctypes.CDLL("libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XInternAtom.restype = ctypes.c_ulong
    x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x.XSendEvent.argtypes = [
        ctypes.c_void_p,
        ctypes.c_ulong,
        ctypes.c_int,
        ctypes.c_long,
        ctypes.c_void_p,
    ]
    x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    x.XCloseDisplay.argtypes = [ctypes.c_void_p]
    dpy = x.XOpenDisplay(displej.encode())
    if not dpy:
        raise Selhani("cannot open display " + displej)
    try:
        zprava = _ZpravaKlienta()
        zprava.type = 33  # ClientMessage
        zprava.display = dpy
        zprava.window = okno
        zprava.message_type = x.XInternAtom(dpy, b"WM_PROTOCOLS", 0)
        zprava.format = 32
        zprava.l[0] = x.XInternAtom(dpy, b"WM_DELETE_WINDOW", 0)
        zprava.l[1] = 0  # CurrentTime
        if not x.XSendEvent(dpy, okno, 0, 0, ctypes.byref(zprava)):
            raise Selhani("XSendEvent failed")
        x.XSync(dpy, 0)
    finally:
        x.XCloseDisplay(dpy)


def _zemri_s_rodicem():
    # Runs in the child before exec: SIGKILL when this script dies, however.
    ctypes.CDLL(None).prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG


# ---------------------------------------------------------------- the game


class Hra:
    """The real game running in its own Xvfb, in a temporary working
    directory that holds links to the assets."""

    def __init__(self, binarka, aktiva, jmeno, prostredi=None):
        self.binarka = os.path.abspath(binarka)
        self.prostredi = prostredi or {}
        self.aktiva = os.path.abspath(aktiva)
        self.jmeno = jmeno
        self.xvfb = None
        self.proces = None
        self.adresar = None
        self.displej = None
        self.okno = None
        self.bitmapy = None

    # -- start and stop

    def __enter__(self):
        try:
            self._start()
        except BaseException:
            self.zastav()
            raise
        return self

    def __exit__(self, typ, *_):
        if typ is not None and self.okno is not None and self.proces.poll() is None:
            cesta = os.path.abspath("e2e-%s.png" % self.jmeno)
            if self.uloz_snimek(cesta):
                print("the window at the failure: " + cesta)
        self.zastav()
        return False

    def _start(self):
        if not os.access(self.binarka, os.X_OK):
            raise Selhani("no game binary at " + self.binarka)
        for nastroj in ("Xvfb", "xdotool", "xprop", "import", "convert"):
            if shutil.which(nastroj) is None:
                raise Selhani(nastroj + " is not installed")
        self.bitmapy = nacti_bitmapy(self.aktiva)

        self.adresar = tempfile.mkdtemp(prefix="sachy-e2e-")
        for soubor in os.listdir(self.aktiva):
            os.symlink(
                os.path.join(self.aktiva, soubor), os.path.join(self.adresar, soubor)
            )

        # Xvfb picks a free display itself and writes its number to the pipe
        # once it accepts connections.
        cteni, zapis = os.pipe()
        log = open(os.path.join(self.adresar, "xvfb.log"), "wb")
        try:
            self.xvfb = subprocess.Popen(
                [
                    "Xvfb",
                    "-displayfd",
                    str(zapis),
                    "-screen",
                    "0",
                    "1024x768x24",
                    "-nolisten",
                    "tcp",
                    # Without it the server resets whenever its last client
                    # leaves, and a client connecting meanwhile is refused.
                    "-noreset",
                ],
                pass_fds=(zapis,),
                preexec_fn=_zemri_s_rodicem,
                stdin=subprocess.DEVNULL,
                stdout=subprocess.DEVNULL,
                stderr=log,
            )
            os.close(zapis)
            zapis = -1
            cislo = b""
            konec = time.monotonic() + CEKANI
            while not cislo.endswith(b"\n"):
                zbyva = konec - time.monotonic()
                if zbyva <= 0 or not select.select([cteni], [], [], zbyva)[0]:
                    raise Selhani("Xvfb did not start")
                kus = os.read(cteni, 16)
                if not kus:
                    raise Selhani("Xvfb ended at start")
                cislo += kus
        finally:
            log.close()
            os.close(cteni)
            if zapis >= 0:
                os.close(zapis)
        self.displej = ":" + cislo.decode().strip()

        self.env = dict(os.environ)
        self.env["DISPLAY"] = self.displej
        self.env["SDL_VIDEODRIVER"] = "x11"
        self.env_hry = dict(self.env, **self.prostredi)
        self.vystup = open(os.path.join(self.adresar, "vystup.log"), "wb")
        self.proces = subprocess.Popen(
            [self.binarka],
            cwd=self.adresar,
            env=self.env_hry,
            stdin=subprocess.DEVNULL,
            stdout=self.vystup,
            stderr=subprocess.STDOUT,
            preexec_fn=_zemri_s_rodicem,
        )

        konec = time.monotonic() + CEKANI
        while True:
            self._zije()
            vysledek = subprocess.run(
                ["xdotool", "search", "--onlyvisible", "--name", "^%s$" % TITULEK],
                env=self.env,
                stdout=subprocess.PIPE,
                stderr=subprocess.DEVNULL,
                timeout=CEKANI,
            )
            okna = vysledek.stdout.split()
            if okna:
                self.okno = int(okna[0])
                break
            if time.monotonic() > konec:
                raise Selhani('no window titled "%s" appeared' % TITULEK)
            time.sleep(0.05)

    def _zije(self):
        if self.proces.poll() is not None:
            raise Selhani(
                "the game ended unexpectedly with status %d; its output: %s; "
                "X server on %s %s, its log: %s"
                % (
                    self.proces.returncode,
                    self.vypis(),
                    self.displej,
                    "running" if self.xvfb.poll() is None else "ended",
                    self.vypis("xvfb.log"),
                )
            )

    def vypis(self, soubor="vystup.log"):
        try:
            with open(os.path.join(self.adresar, soubor), "rb") as f:
                return f.read().decode(errors="replace").strip() or "(none)"
        except OSError:
            return "(none)"

    def zastav(self):
        """Ends the game and the X server (only the processes started here)
        and removes the working directory. Safe to call more than once."""
        if self.proces is not None and self.proces.poll() is None:
            self.proces.kill()
            try:
                self.proces.wait(timeout=5)
            except subprocess.TimeoutExpired:
                pass
        if self.xvfb is not None and self.xvfb.poll() is None:
            # Asked politely first, so that it removes its lock and socket.
            self.xvfb.terminate()
            try:
                self.xvfb.wait(timeout=3)
            except subprocess.TimeoutExpired:
                self.xvfb.kill()
                try:
                    self.xvfb.wait(timeout=3)
                except subprocess.TimeoutExpired:
                    pass
        if getattr(self, "vystup", None):
            self.vystup.close()
            self.vystup = None
        if self.adresar:
            shutil.rmtree(self.adresar, ignore_errors=True)
            self.adresar = None

    def zavri(self, cas=CEKANI):
        """Asks the window to close, as a window manager would, and returns
        the game's exit status (Selhani if it does not end in time)."""
        posli_zavreni(self.displej, self.okno)
        try:
            return self.proces.wait(timeout=cas)
        except subprocess.TimeoutExpired:
            raise Selhani("the game did not end within %.0f s of a close request" % cas)

    def over_program(self, program, adresar):
        """Fails unless the process started is `program`, running in `adresar`
        (the game started through a launcher)."""
        exe = os.path.realpath("/proc/%d/exe" % self.proces.pid)
        if exe != os.path.realpath(program):
            raise Selhani("the process started is %s, not %s" % (exe, program))
        cwd = os.path.realpath("/proc/%d/cwd" % self.proces.pid)
        if cwd != os.path.realpath(adresar):
            raise Selhani("the game runs in %s, not in %s" % (cwd, adresar))

    def zavri_bez_chyby(self):
        """Closes the window and fails unless the game ends with status 0
        and has written nothing."""
        status = self.zavri()
        if status != 0:
            raise Selhani("closing the window ended the game with status %d" % status)
        vystup = self.vypis()
        if vystup != "(none)":
            raise Selhani("the game wrote: " + vystup)

    # -- the window

    def nastroj(self, argv, binarne=False):
        """Runs an X tool against our display. When it fails because the
        game has gone, that is what gets reported."""
        try:
            return spust_prikaz(argv, env=self.env, binarne=binarne)
        except (Selhani, subprocess.TimeoutExpired):
            time.sleep(0.2)
            self._zije()
            raise

    def xprop(self, vlastnost):
        vystup = self.nastroj(["xprop", "-id", str(self.okno), vlastnost]).strip()
        # WM_NAME(STRING) = "SDL Tutorial"
        if " = " not in vystup:
            return None
        hodnota = vystup.split(" = ", 1)[1]
        return hodnota[1:-1] if hodnota.startswith('"') else hodnota

    def _geometrie(self, klic, oddelovac):
        """Two numbers of a line of `xdotool getwindowgeometry`."""
        vystup = self.nastroj(["xdotool", "getwindowgeometry", str(self.okno)])
        for radek in vystup.splitlines():
            radek = radek.strip()
            if radek.startswith(klic + ":"):
                a, b = radek.split()[1].split(oddelovac)
                return int(a), int(b)
        raise Selhani("no %s in: %s" % (klic, vystup))

    def poloha(self):
        return self._geometrie("Position", ",")

    def velikost(self):
        return self._geometrie("Geometry", "x")

    def snimek(self):
        self._zije()
        return Snimek(
            self.nastroj(
                ["import", "-window", str(self.okno), "-depth", "8", "rgb:-"],
                binarne=True,
            )
        )

    def uloz_snimek(self, cesta):
        """Keeps a PNG of the window for a person to look at after a failure."""
        try:
            spust_prikaz(
                ["import", "-window", str(self.okno), "png:" + cesta], env=self.env
            )
            return True
        except Exception:
            return False

    def klik(self, x, y):
        self._zije()
        self.nastroj(
            ["xdotool", "mousemove", "--window", str(self.okno), str(x), str(y), "click", "1"]
        )

    def klik_pole(self, nazev, otoceno=True):
        self.klik(*stred(*pole(nazev), otoceno))

    def klik_tlacitko(self, obdelnik):
        x, y, w, h = obdelnik
        self.klik(x + w // 2, y + h // 2)

    # -- waiting

    def ustal(self, cas=CEKANI):
        """Waits until two screenshots in a row are identical and returns the
        last. A still screen alone does not prove that a click has been
        handled; callers wait for the picture they expect (`cekej`), and
        since clicks are handled in the order they were sent, a picture that
        shows the effect of the last click shows that of every earlier one."""
        konec = time.monotonic() + cas
        posledni = self.snimek()
        while True:
            time.sleep(0.03)
            dalsi = self.snimek()
            if dalsi == posledni:
                return dalsi
            if time.monotonic() > konec:
                raise Selhani("the window did not settle within %.0f s" % cas)
            posledni = dalsi

    def cekej(self, podminka, popis, cas=CEKANI):
        """Polls screenshots until `podminka(snimek)` returns None (no fault)
        on a settled screen; otherwise fails with the last fault found."""
        konec = time.monotonic() + cas
        while True:
            snimek = self.ustal(cas=max(0.5, konec - time.monotonic()))
            chyba = podminka(snimek)
            if chyba is None:
                return snimek
            if time.monotonic() > konec:
                raise Selhani("%s: %s" % (popis, chyba))
            time.sleep(0.03)

    # -- reading the screen

    def nazev_bloku(self, snimek, x, y):
        return self.bitmapy.get(snimek.blok(x, y), "?")

    def precti_desku(self, snimek, otoceno):
        """The bitmap names on the 64 squares, by grid [row][column]; '?' for
        a square that shows none of them."""
        return [
            [self.nazev_bloku(snimek, *roh(r, s, otoceno)) for s in range(8)]
            for r in range(8)
        ]

    def chyba_desky(self, snimek, deska, otoceno):
        """None when the screen shows `deska` in the given orientation,
        otherwise a description of the difference."""
        cteno = self.precti_desku(snimek, otoceno)
        cil = ocekavany_obraz(deska)
        rozdily = [
            "%s%d shows %s.bmp instead of %s.bmp"
            % (chr(ord("a") + s), r + 1, cteno[r][s], cil[r][s])
            for r in range(8)
            for s in range(8)
            if cteno[r][s] != cil[r][s]
        ]
        if not rozdily:
            return None
        return "%s (board %s):\n%s\nexpected:\n%s" % (
            "; ".join(rozdily[:6]) + (" ..." if len(rozdily) > 6 else ""),
            "rotated" if not otoceno else "in the start orientation",
            diagram(cteno),
            diagram(cil),
        )

    def chyba_okoli(self, snimek):
        """None when the buttons are white with black captions and everything
        outside the board and the buttons is black."""
        for obdelnik in TLACITKA:
            x, y, w, h = obdelnik
            bile = cerne = 0
            for yy in range(y, y + h):
                radek = snimek.radek(yy, x, x + w)
                for i in range(0, len(radek), 3):
                    px = radek[i : i + 3]
                    if px == BILA:
                        bile += 1
                    elif px == CERNA:
                        cerne += 1
                    else:
                        return "button %s: pixel (%d, %d) is %s, neither white nor black" % (
                            obdelnik, x + i // 3, yy, px.hex())
            if cerne == 0:
                return "button %s has no caption" % (obdelnik,)
            if bile < w * h // 2:
                return "button %s is not white (%d white pixels)" % (obdelnik, bile)
            for xx, yy in ((x, y), (x + w - 1, y), (x, y + h - 1), (x + w - 1, y + h - 1)):
                if snimek.pixel(xx, yy) != BILA:
                    return "button %s: corner (%d, %d) is not white" % (obdelnik, xx, yy)
        # Everything else black: per screen row, the spans outside the board
        # (34..305) and the button rectangles.
        for y in range(VYSKA):
            obsazeno = []
            if 34 <= y <= 305:
                obsazeno.append((34, 306))
            for x, yt, w, h in TLACITKA:
                if yt <= y < yt + h:
                    obsazeno.append((x, x + w))
            x = 0
            for a, b in sorted(obsazeno) + [(SIRKA, SIRKA)]:
                if x < a:
                    usek = snimek.radek(y, x, a)
                    if usek.strip(b"\x00"):
                        i = next(j for j in range(len(usek)) if usek[j]) // 3
                        return "pixel (%d, %d) outside the board and the buttons is %s, not black" % (
                            x + i, y, snimek.pixel(x + i, y).hex())
                x = max(x, b)
        return None

    def chyba_obrazovky(self, snimek, deska, otoceno):
        return self.chyba_desky(snimek, deska, otoceno) or self.chyba_okoli(snimek)

    def cekej_na_desku(self, deska, otoceno, popis):
        """Waits until the whole window shows `deska` with the buttons and
        nothing else; fails after the timeout with the difference."""
        return self.cekej(
            lambda snimek: self.chyba_obrazovky(snimek, deska, otoceno), popis
        )


# ---------------------------------------------------------------- a script


def spust(jmeno, test):
    """Runs `test(binarka, aktiva)` with the arguments of the command line,
    prints one PASS or FAIL line and exits with 0 or 1. Bounded by an alarm
    so that nothing can hang."""
    if len(sys.argv) != 3:
        print("usage: %s GAME_BINARY ASSETS_DIR" % sys.argv[0], file=sys.stderr)
        sys.exit(2)

    def preruseni(cislo, _ramec):
        raise Selhani("interrupted by signal %d" % cislo)

    def budik(_cislo, _ramec):
        raise Selhani("took longer than %d s" % CELKEM)

    for cislo in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        signal.signal(cislo, preruseni)
    signal.signal(signal.SIGALRM, budik)
    signal.alarm(CELKEM)
    zacatek = time.monotonic()
    try:
        test(sys.argv[1], sys.argv[2])
    except Selhani as e:
        print("FAIL %s: %s" % (jmeno, e))
        sys.exit(1)
    except Exception as e:  # a broken tool is a failure too, never a hang
        print("FAIL %s: %s: %s" % (jmeno, type(e).__name__, e))
        sys.exit(1)
    finally:
        signal.alarm(0)
    print("PASS %s (%.1f s)" % (jmeno, time.monotonic() - zacatek))
    sys.exit(0)
