// What each piece may do on its own: its movement, pieces in its way, and
// never landing on a piece of its own colour. Check, castling and promotion
// are decided by move input.
#include "model/figura.h"

#include <algorithm>
#include <cstdlib>

namespace {
// A piece may land on an empty square or on a piece of the other colour.
bool smipristat(const Figura* kdo, const Figura* cil) {
    return !(cil->jefigura && cil->barva == kdo->barva);
}

// Knight and king: the difference must be one of the piece's steps.
bool skokem(const Figura* kdo, const Smery& smery, const Figura* cil) {
    const Pozice rozdil{cil->pozice.first - kdo->pozice.first,
                        cil->pozice.second - kdo->pozice.second};
    if (std::find(smery.begin(), smery.end(), rozdil) == smery.end()) {
        return false;
    }
    return smipristat(kdo, cil);
}

int znamenko(int d) {
    return (d > 0) - (d < 0);
}

// Bishop, rook and queen: the shape is checked by the caller; here the unit
// step toward the target must be one of the piece's directions and every
// square strictly between must be empty.
bool poprimce(const Figura* kdo, const Smery& smery, const Figura* cil, const Mrizka& pole) {
    const int d1 = kdo->pozice.first - cil->pozice.first;
    const int d2 = kdo->pozice.second - cil->pozice.second;
    const Pozice vektor{-znamenko(d1), -znamenko(d2)};
    if (std::find(smery.begin(), smery.end(), vektor) == smery.end()) {
        return false;
    }
    Pozice p{kdo->pozice.first + vektor.first, kdo->pozice.second + vektor.second};
    while (p != cil->pozice) {
        if (pole[p.first][p.second]->jefigura) {
            return false;
        }
        p.first += vektor.first;
        p.second += vektor.second;
    }
    return smipristat(kdo, cil);
}

struct Rozdil {
    int d1, d2;
    Rozdil(const Figura* kdo, const Figura* cil)
        : d1(kdo->pozice.first - cil->pozice.first), d2(kdo->pozice.second - cil->pozice.second) {}
    bool nulovy() const { return d1 == 0 && d2 == 0; }
    bool rovny() const { return (d1 == 0) != (d2 == 0); }
    bool sikmy() const { return d1 != 0 && std::abs(d1) == std::abs(d2); }
};
} // namespace

bool Figura::muzetahnout(Figura*, Mrizka) {
    return false;
}

bool Prazdno::muzetahnout(Figura*, Mrizka) {
    return false;
}

bool Kun::muzetahnout(Figura* cil, Mrizka) {
    return skokem(this, smery, cil);
}

bool Kral::muzetahnout(Figura* cil, Mrizka) {
    return skokem(this, smery, cil);
}

bool Strelec::muzetahnout(Figura* cil, Mrizka pole) {
    const Rozdil r(this, cil);
    return !r.nulovy() && r.sikmy() && poprimce(this, smery, cil, pole);
}

bool Vez::muzetahnout(Figura* cil, Mrizka pole) {
    const Rozdil r(this, cil);
    return !r.nulovy() && r.rovny() && poprimce(this, smery, cil, pole);
}

bool Dama::muzetahnout(Figura* cil, Mrizka pole) {
    const Rozdil r(this, cil);
    return !r.nulovy() && (r.rovny() || r.sikmy()) && poprimce(this, smery, cil, pole);
}

bool Pesec::muzetahnout(Figura* cil, Mrizka pole) {
    const int f = barva ? 1 : -1;
    const int start = barva ? 1 : 6;
    const int dr = cil->pozice.first - pozice.first;
    const int dc = cil->pozice.second - pozice.second;
    if (dr == 2 * f && dc == 0 && pozice.first == start) {
        return !pole[cil->pozice.first - f][cil->pozice.second]->jefigura && !cil->jefigura;
    }
    if (dr == f && dc == 0) {
        return !cil->jefigura;
    }
    if (dr == f && (dc == 1 || dc == -1)) {
        return cil->jefigura && cil->barva != barva;
    }
    return false;
}
