#!/usr/bin/env python3
"""The installed package's game, started the way a desktop menu starts it:
the Exec line of its installed desktop entry, from the root directory, with
a user's PATH. The installed game must run in its data directory, show the
start position with the buttons' captions, play e2-e4 by two clicks and
close cleanly.

Usage: z_nabidky.py DESKTOP_ENTRY ASSETS_DIR
(ASSETS_DIR: the source bitmaps the screen is compared with)
"""

import configparser
import os
import re
import shlex
import shutil
import sys
import tempfile

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(
    0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "e2e")
)

from okno import Hra, Selhani, pole, spust, tahni, zakladni_postaveni  # noqa: E402

# Where the package puts the game and its files.
PROGRAM = "/usr/lib/games/sachy/sachy"
DATA = "/usr/share/games/sachy"
# Debian's PATH for a user's session, where /usr/games is.
PATH_UZIVATELE = "/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games"


def over(podminka, zprava):
    if not podminka:
        raise Selhani(zprava)


def test(polozka, aktiva):
    ini = configparser.ConfigParser(interpolation=None)
    ini.optionxform = str
    over(ini.read(polozka, encoding="utf-8"), "cannot read " + polozka)
    # The command with its field codes (%f, %U, ...) dropped.
    prikaz = re.sub(r"%[a-zA-Z]", "", ini["Desktop Entry"].get("Exec", "")).strip()
    over(prikaz, "the desktop entry has no Exec")

    tmp = tempfile.mkdtemp(prefix="sachy-balicek-")
    try:
        obal = os.path.join(tmp, "z-nabidky")
        with open(obal, "w") as f:
            f.write("#!/bin/sh\ncd / || exit 1\nPATH=%s\nexport PATH\nexec %s\n"
                    % (PATH_UZIVATELE, prikaz))
        os.chmod(obal, 0o755)

        with Hra(obal, aktiva, "balicek") as hra:
            hra.over_program(PROGRAM, DATA)

            start = zakladni_postaveni()
            hra.cekej_na_desku(start, True, "the installed game's first screen")
            hra.klik_pole("e2")
            hra.klik_pole("e4")
            hra.cekej_na_desku(tahni(start, pole("e2"), pole("e4")), True, "after e2-e4")

            hra.zavri_bez_chyby()
    finally:
        shutil.rmtree(tmp, ignore_errors=True)


if __name__ == "__main__":
    spust("installed package, started from its menu entry", test)
