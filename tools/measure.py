#!/usr/bin/env python3
"""Measures the real game in a real window under Xvfb: processor time of an
idle window over 10 s, and peak memory after 1, 100 and 1,000 new games.

Usage: tools/measure.py BUILD/sachy ASSETS_DIR [runs]
Prints one line per run and the medians."""

import os
import statistics
import sys
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import okno  # noqa: E402

TIKY = os.sysconf("SC_CLK_TCK")
# Milliseconds between the clicks: enough for the game to keep up, so the
# peak counts the games and not a backlog of queued X events.
ZPOZDENI = int(os.environ.get("ZPOZDENI", "15"))


def cas_procesoru(pid):
    """User plus system time of the process, in seconds."""
    with open("/proc/%d/stat" % pid) as f:
        pole = f.read().rsplit(")", 1)[1].split()
    return (int(pole[11]) + int(pole[12])) / TIKY


def pamet(pid, klic):
    """A /proc/PID/status field in kB (VmHWM: peak resident, VmRSS: now)."""
    with open("/proc/%d/status" % pid) as f:
        for radek in f:
            if radek.startswith(klic + ":"):
                return int(radek.split()[1])
    raise KeyError(klic)


def jedno_mereni(binarka, aktiva):
    with okno.Hra(binarka, aktiva, "mereni") as hra:
        pid = hra.proces.pid
        hra.ustal()
        t0 = cas_procesoru(pid)
        time.sleep(10)
        necinne = (cas_procesoru(pid) - t0) / 10 * 100

        x, y, w, h = okno.DVA_HRACI

        def nove_hry(kolik):
            okno.spust_prikaz(["xdotool", "mousemove", "--window", str(hra.okno), str(x + w // 2),
                               str(y + h // 2), "click", "--repeat", str(kolik), "--delay",
                               str(ZPOZDENI), "1"], env=hra.env, cas=kolik * 0.1 + 10)
            # The queue has drained once the processor time stops growing.
            predtim = -1.0
            while True:
                time.sleep(0.5)
                ted = cas_procesoru(pid)
                if ted == predtim:
                    return
                predtim = ted

        nove_hry(1)
        po_prvni = pamet(pid, "VmHWM")
        nove_hry(99)
        po_stovce = pamet(pid, "VmHWM")
        nove_hry(900)
        po_tisici = pamet(pid, "VmHWM")
        return necinne, po_prvni, po_stovce, po_tisici


def main():
    if len(sys.argv) not in (3, 4):
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    behu = int(sys.argv[3]) if len(sys.argv) == 4 else 3
    vysledky = []
    for i in range(behu):
        v = jedno_mereni(sys.argv[1], sys.argv[2])
        print("run %d: idle CPU %.2f %%; peak memory after 1 new game %d kB, after 100 %d kB, "
              "after 1,000 %d kB" % ((i + 1,) + v))
        vysledky.append(v)
    print("median: idle CPU %.2f %%; peak memory after 1 / 100 / 1,000 new games: "
          "%d / %d / %d kB" % tuple(statistics.median(v[i] for v in vysledky) for i in range(4)))


if __name__ == "__main__":
    main()
