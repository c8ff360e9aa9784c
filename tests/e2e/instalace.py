#!/usr/bin/env python3
"""Installs the built game into a temporary prefix, moves the installed tree
elsewhere, and starts it the way a desktop menu does: the desktop entry's
command, found on the PATH, from the root directory. The game must come up
in its data directory with the board's bitmaps and the buttons' captions
drawn, and close cleanly.

Usage: instalace.py BUILD_DIR SOURCE_DIR
(the cmake used is $CMAKE_COMMAND, else the one on the PATH)
"""

import configparser
import filecmp
import glob
import os
import re
import shlex
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from okno import BMP, Hra, Selhani, spust, spust_prikaz, zakladni_postaveni  # noqa: E402

AKTIVA = [n + ".bmp" for n in BMP] + ["free.ttf", "free.ttf.LICENSE", "a.txt"]


def over(podminka, zprava):
    if not podminka:
        raise Selhani(zprava)


def spoustec(prefix):
    """The launcher, checked to be an executable POSIX shell script."""
    cesta = os.path.join(prefix, "bin", "sachy")
    over(os.path.isfile(cesta) and os.access(cesta, os.X_OK), "no executable launcher " + cesta)
    with open(cesta, "rb") as f:
        over(f.readline().strip() == b"#!/bin/sh", "the launcher is not a /bin/sh script")
    return cesta


def polozka(prefix):
    """The desktop entry's [Desktop Entry] group, its icon checked."""
    cesta = os.path.join(prefix, "share", "applications", "sachy.desktop")
    over(os.path.isfile(cesta), "no desktop entry " + cesta)
    if shutil.which("desktop-file-validate"):
        spust_prikaz(["desktop-file-validate", cesta])
    ini = configparser.ConfigParser(interpolation=None)
    ini.optionxform = str
    ini.read(cesta, encoding="utf-8")
    over(ini.has_section("Desktop Entry"), "no [Desktop Entry] group in " + cesta)
    p = ini["Desktop Entry"]
    over(p.get("Type") == "Application", "Type is %r" % p.get("Type"))
    over(p.get("Terminal") == "false", "Terminal is %r" % p.get("Terminal"))

    ikony = glob.glob(os.path.join(prefix, "share", "icons", "hicolor", "*", "apps",
                                   p.get("Icon", "") + ".png"))
    over(ikony, "no icon named %r in the hicolor theme" % p.get("Icon"))
    for ikona in ikony:
        velikost = os.path.basename(os.path.dirname(os.path.dirname(ikona)))
        popis = spust_prikaz(["identify", "-format", "%m %wx%h", ikona]).strip()
        over(popis == "PNG " + velikost, "%s is %r, not a %s PNG" % (ikona, popis, velikost))
    return p


def test(sestaveni, zdroje):
    cmake = os.environ.get("CMAKE_COMMAND", "cmake")
    aktiva = os.path.join(zdroje, "assets")
    tmp = tempfile.mkdtemp(prefix="sachy-instalace-")
    try:
        puvodni = os.path.join(tmp, "prefix")
        spust_prikaz([cmake, "--install", sestaveni, "--prefix", puvodni], cas=60)
        # Moved as a whole: the launcher must not depend on the prefix it was
        # installed with.
        prefix = os.path.join(tmp, "presunuto")
        os.rename(puvodni, prefix)

        spoustec(prefix)
        program = os.path.join(prefix, "lib", "sachy", "sachy")
        over(os.access(program, os.X_OK), "no executable game " + program)
        data = os.path.join(prefix, "share", "sachy")
        for soubor in AKTIVA:
            cesta = os.path.join(data, soubor)
            over(os.path.isfile(cesta), "not installed: " + cesta)
            over(filecmp.cmp(cesta, os.path.join(aktiva, soubor), shallow=False),
                 "installed %s differs from the source" % soubor)
        p = polozka(prefix)

        # The entry's command with its field codes (%f, %U, ...) dropped, run
        # from / with the installed bin directory on the PATH.
        prikaz = re.sub(r"%[a-zA-Z]", "", p.get("Exec", "")).strip()
        over(prikaz, "the desktop entry has no Exec")
        obal = os.path.join(tmp, "z-nabidky")
        with open(obal, "w") as f:
            f.write("#!/bin/sh\ncd / || exit 1\nPATH=%s:$PATH\nexport PATH\nexec %s\n"
                    % (shlex.quote(os.path.join(prefix, "bin")), prikaz))
        os.chmod(obal, 0o755)

        # Hra compares the screen with the source bitmaps; the working
        # directory it prepares is left by the command above at once.
        with Hra(obal, aktiva, "instalace") as hra:
            hra.over_program(program, data)
            # The whole board (the white rook's wrb.bmp at (272, 34) and the
            # rest) and the buttons with their captions, so the bitmaps and
            # the font were found.
            hra.cekej_na_desku(zakladni_postaveni(), True, "the installed game's first screen")
            hra.zavri_bez_chyby()
    finally:
        shutil.rmtree(tmp, ignore_errors=True)


if __name__ == "__main__":
    spust("e2e instalace", test)
