// The computer's move: from the book while the game follows it, otherwise the
// best material balance one ply deep. Every candidate is tried on the real
// grid and taken back in place; among equal scores the last one generated wins.
#include "engine/hodnoceni.h"
#include "model/sachovnice.h"

namespace {

// A trial either exchanges the mover with an empty square or captures: the
// target is set aside and a new empty square takes the mover's place.
enum class Pokus { VYMENA, BRANI };

// Row-first code of the search: from-row, from-column, to-row, to-column.
int kodhledani(Pozice z, Pozice na) {
    return ((z.first * 10 + z.second) * 10 + na.first) * 10 + na.second;
}

// One search for the side `strana`, which must be the side to move.
class Hledani {
  public:
    Hledani(Sachovnice& hra, bool strana) : hra_(hra), strana_(strana) {}

    // Tries every candidate of every piece, squares in row order.
    void prohledej() {
        for (int r = 0; r < 8; ++r) {
            for (int c = 0; c < 8; ++c) {
                if (jebarvy(typ({r, c}), strana_)) {
                    kandidati({r, c});
                }
            }
        }
    }

    int pocettahu = 0;
    int nejlepsi = -1000;
    int tah = 0;

  private:
    Sachovnice& hra_;
    bool strana_;

    int typ(Pozice p) const { return hra_.pole[p.first][p.second]->typ; }
    bool nepratelska(Pozice p) const { return typ(p) != PRAZDNO && !jebarvy(typ(p), strana_); }

    void kandidati(Pozice z) {
        const auto [r, c] = z;
        switch (druh(typ(z))) {
        case BILY_PESEC:
            pesec(z);
            break;
        case BILY_KUN:
            for (const auto& [dr, dc] : hra_.skokykone) {
                if (napoli(r + dr, c + dc) && !jebarvy(typ({r + dr, c + dc}), strana_)) {
                    zkus(z, {r + dr, c + dc}, Pokus::BRANI);
                }
            }
            break;
        case BILY_STRELEC:
            primky(z, hra_.smerystrelce);
            break;
        case BILA_VEZ:
            primky(z, hra_.smeryveze);
            break;
        case BILA_DAMA:
            primky(z, hra_.smerystrelce);
            primky(z, hra_.smeryveze);
            break;
        case BILY_KRAL:
            for (const auto& [dr, dc] : hra_.smerydamy) {
                const Pozice na{r + dr, c + dc};
                if (napoli(na.first, na.second) && !jebarvy(typ(na), strana_)) {
                    zkus(z, na, typ(na) == PRAZDNO ? Pokus::VYMENA : Pokus::BRANI);
                }
            }
            break;
        }
    }

    // Double step, single step, then the captures toward the higher and the lower column.
    void pesec(Pozice z) {
        const auto [r, c] = z;
        const int vpred = strana_ ? 1 : -1;
        const int r1 = r + vpred;
        if (!napoli(r1, c)) {
            return; // a pawn on its last row has no moves (it never stays there)
        }
        const bool volno = typ({r1, c}) == PRAZDNO;
        if (r == (strana_ ? 1 : 6) && volno && typ({r1 + vpred, c}) == PRAZDNO) {
            zkus(z, {r1 + vpred, c}, Pokus::VYMENA);
        }
        if (volno) {
            zkus(z, {r1, c}, Pokus::VYMENA);
        }
        if (c < 7 && nepratelska({r1, c + 1})) {
            zkus(z, {r1, c + 1}, Pokus::BRANI);
        }
        if (c > 0 && nepratelska({r1, c - 1})) {
            zkus(z, {r1, c - 1}, Pokus::BRANI);
        }
    }

    // Sliding pieces: empty squares until the first piece, taken if it is an enemy.
    void primky(Pozice z, const Smery& smery) {
        for (const auto& [dr, dc] : smery) {
            for (int r = z.first + dr, c = z.second + dc; napoli(r, c); r += dr, c += dc) {
                if (jebarvy(typ({r, c}), strana_)) {
                    break;
                }
                if (typ({r, c}) != PRAZDNO) {
                    zkus(z, {r, c}, Pokus::BRANI);
                    break;
                }
                zkus(z, {r, c}, Pokus::VYMENA);
            }
        }
    }

    // Makes the trial, scores it if the own king is safe, and takes it back.
    void zkus(Pozice z, Pozice na, Pokus druhpokusu) {
        if (jekral(typ(na))) {
            return; // kings are never taken
        }
        Figura* kdo = hra_.pole[z.first][z.second];
        // A pawn reaching its last row becomes a queen and is scored as one.
        const bool promena = druh(kdo->typ) == BILY_PESEC && na.first == (strana_ ? 7 : 0);
        Figura* sebrana = nullptr;
        if (druhpokusu == Pokus::VYMENA) {
            hra_.vymen(z, na);
        } else {
            sebrana = hra_.presun(kdo, na);
        }
        if (hra_.nenisach()) {
            ++pocettahu;
            const int skore = hra_.ohodnot(strana_) +
                              (promena ? hodnotafigury(BILA_DAMA) - hodnotafigury(BILY_PESEC) : 0);
            if (skore >= nejlepsi) {
                nejlepsi = skore;
                tah = kodhledani(z, na);
            }
        }
        if (druhpokusu == Pokus::VYMENA) {
            hra_.vymen(z, na);
        } else {
            hra_.vratpresun(kdo, z, sebrana);
        }
    }
};

} // namespace

int Sachovnice::tahpocitace(bool strana, bool jenhodnota) {
    if (tahknihovny()) {
        return 0;
    }

    Hledani hledani(*this, strana);
    hledani.prohledej();
    if (hledani.pocettahu == 0) {
        return -1000;
    }
    if (jenhodnota) {
        return -hledani.nejlepsi;
    }

    const int tah = hledani.tah;
    const Pozice odkud{tah / 1000, tah / 100 % 10};
    const Pozice kam{tah / 10 % 10, tah % 10};
    if (pole[kam.first][kam.second]->typ != PRAZDNO) {
        delete presun(pole[odkud.first][odkud.second], kam);
    } else {
        vymen(odkud, kam);
    }
    if (napromenu(kam)) {
        promen(kam, typbarvy(BILA_DAMA, strana));
    }
    oznacpohyb(kam);
    natahu = !strana;
    return 0;
}
