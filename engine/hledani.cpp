// The computer's move: from the book while the game follows it, otherwise the
// best material balance one ply deep. Every candidate is tried on the real
// grid and taken back in place; among equal scores the last one generated wins.
#include "engine/hodnoceni.h"
#include "model/sachovnice.h"

namespace {
bool napoli(int r, int c) {
    return r >= 0 && r <= 7 && c >= 0 && c <= 7;
}

struct Strany {
    bool strana;
    bool vlastni(int typ) const {
        return strana ? typ >= BILY_PESEC && typ <= BILY_KRAL
                      : typ >= CERNY_PESEC && typ <= CERNY_KRAL;
    }
    bool nepratelska(int typ) const { return typ != PRAZDNO && !vlastni(typ); }
};

// A trial either exchanges the mover with an empty square or captures: the
// target is set aside and a new empty square takes the mover's place.
enum class Pokus { VYMENA, BRANI };

// Row-first code of the search: from-row, from-column, to-row, to-column.
int kodhledani(Pozice z, Pozice na) {
    return ((z.first * 10 + z.second) * 10 + na.first) * 10 + na.second;
}
} // namespace

int Sachovnice::tahpocitace(bool strana, bool jenhodnota) {
    if (tahknihovny()) {
        return 0;
    }

    const Strany s{strana};
    const int posledni = strana ? 7 : 0;
    int nejlepsi = -1000;
    int pocettahu = 0;
    int tah = 0;

    const auto zkus = [&](Pozice z, Pozice na, Pokus druh) {
        Figura* kdo = pole[z.first][z.second];
        Figura* cil = pole[na.first][na.second];
        // Kings are never taken.
        if (cil->typ == BILY_KRAL || cil->typ == CERNY_KRAL) {
            return;
        }
        // A pawn reaching its last row becomes a queen and is scored as one.
        const bool promena = kdo->typ == typbarvy(BILY_PESEC, strana) && na.first == posledni;
        Figura* sebrana = nullptr;
        if (druh == Pokus::VYMENA) {
            vymen(z, na);
        } else {
            sebrana = presun(kdo, na);
        }
        if (nenisach()) {
            ++pocettahu;
            const int skore = ohodnot(strana) +
                              (promena ? hodnotafigury(BILA_DAMA) - hodnotafigury(BILY_PESEC) : 0);
            if (skore >= nejlepsi) {
                nejlepsi = skore;
                tah = kodhledani(z, na);
            }
        }
        if (druh == Pokus::VYMENA) {
            vymen(z, na);
        } else {
            vratpresun(kdo, z, sebrana);
        }
    };

    // Sliding pieces: empty squares until the first piece, which is taken if it is an enemy.
    const auto primky = [&](Pozice z, const Smery& smery) {
        for (const auto& [dr, dc] : smery) {
            for (int r = z.first + dr, c = z.second + dc; napoli(r, c); r += dr, c += dc) {
                const int typ = pole[r][c]->typ;
                if (s.vlastni(typ)) {
                    break;
                }
                if (typ != PRAZDNO) {
                    zkus(z, {r, c}, Pokus::BRANI);
                    break;
                }
                zkus(z, {r, c}, Pokus::VYMENA);
            }
        }
    };

    const int dopredu = strana ? 1 : -1;
    const int startovni = strana ? 1 : 6;
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c) {
            const int typ = pole[r][c]->typ;
            if (!s.vlastni(typ)) {
                continue;
            }
            const Pozice z{r, c};
            switch ((typ - 1) % 6 + 1) {
            case BILY_PESEC: {
                const int r1 = r + dopredu;
                if (!napoli(r1, c)) {
                    break;
                }
                const bool volno1 = pole[r1][c]->typ == PRAZDNO;
                if (r == startovni && volno1 && pole[r1 + dopredu][c]->typ == PRAZDNO) {
                    zkus(z, {r1 + dopredu, c}, Pokus::VYMENA);
                }
                if (volno1) {
                    zkus(z, {r1, c}, Pokus::VYMENA);
                }
                if (c < 7 && s.nepratelska(pole[r1][c + 1]->typ)) {
                    zkus(z, {r1, c + 1}, Pokus::BRANI);
                }
                if (c > 0 && s.nepratelska(pole[r1][c - 1]->typ)) {
                    zkus(z, {r1, c - 1}, Pokus::BRANI);
                }
                break;
            }
            case BILY_KUN:
                for (const auto& [dr, dc] : skokykone) {
                    if (napoli(r + dr, c + dc) && !s.vlastni(pole[r + dr][c + dc]->typ)) {
                        zkus(z, {r + dr, c + dc}, Pokus::BRANI);
                    }
                }
                break;
            case BILY_STRELEC:
                primky(z, smerystrelce);
                break;
            case BILA_VEZ:
                primky(z, smeryveze);
                break;
            case BILA_DAMA:
                primky(z, smerystrelce);
                primky(z, smeryveze);
                break;
            case BILY_KRAL:
                for (const auto& [dr, dc] : smerydamy) {
                    if (napoli(r + dr, c + dc) && !s.vlastni(pole[r + dr][c + dc]->typ)) {
                        const bool prazdne = pole[r + dr][c + dc]->typ == PRAZDNO;
                        zkus(z, {r + dr, c + dc}, prazdne ? Pokus::VYMENA : Pokus::BRANI);
                    }
                }
                break;
            }
        }
    }

    if (pocettahu == 0) {
        return -1000;
    }
    if (jenhodnota) {
        return -nejlepsi;
    }

    const Pozice odkud{tah / 1000, tah / 100 % 10};
    const Pozice kam{tah / 10 % 10, tah % 10};
    Figura* kdo = pole[odkud.first][odkud.second];
    if (pole[kam.first][kam.second]->typ != PRAZDNO) {
        delete presun(kdo, kam);
    } else {
        vymen(odkud, kam);
    }
    if (kdo->typ == typbarvy(BILY_PESEC, strana) && kam.first == posledni) {
        promen(kam, typbarvy(BILA_DAMA, strana));
    }
    oznacpohyb(kam);
    natahu = !strana;
    return 0;
}
