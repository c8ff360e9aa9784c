// Each own piece is tried on every square the way move input tries it:
// the piece's own test, never onto a king, and a trial move that must not
// leave the mover's king attacked. Castling goes through the game's castling.
#include "rules/legalni.h"

#include "model/sachovnice.h"

#include <algorithm>

namespace {
std::string nazevpole(Pozice p) {
    return {static_cast<char>('a' + p.second), static_cast<char>('1' + p.first)};
}
} // namespace

std::vector<LegalniTah> legalnitahy(Sachovnice& hra) {
    std::vector<LegalniTah> tahy;
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c) {
            Figura* kdo = hra.pole[r][c];
            if (!kdo->jefigura || kdo->barva != hra.natahu) {
                continue;
            }
            for (int rr = 0; rr < 8; ++rr) {
                for (int cc = 0; cc < 8; ++cc) {
                    Figura* cil = hra.pole[rr][cc];
                    if ((cil->jefigura && cil->barva == hra.natahu) || jekral(cil->typ) ||
                        !kdo->muzetahnout(cil, hra.pole)) {
                        continue;
                    }
                    const Pozice odkud{r, c};
                    const Pozice kam{rr, cc};
                    Figura* sebrana = hra.zkustah(kdo, kam);
                    if (sebrana == nullptr) {
                        continue;
                    }
                    const bool promena = hra.napromenu(kam);
                    hra.vratpresun(kdo, odkud, sebrana);
                    const std::string zapis = nazevpole(odkud) + nazevpole(kam);
                    tahy.push_back({odkud, kam, zapis + (promena ? "q" : ""), zapis});
                }
            }
        }
    }
    const int zadni = hra.natahu ? 0 : 7;
    for (const bool kralovska : {true, false}) {
        if (hra.rosadalegalni(kralovska)) {
            const Pozice kral{zadni, 4};
            const Pozice kam{zadni, kralovska ? 6 : 2};
            tahy.push_back(
                {kral, kam, nazevpole(kral) + nazevpole(kam), kralovska ? "O-O" : "O-O-O"});
        }
    }
    std::sort(tahy.begin(), tahy.end(),
              [](const LegalniTah& a, const LegalniTah& b) { return a.uci < b.uci; });
    return tahy;
}
