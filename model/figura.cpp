#include "model/figura.h"

const Smery SKOKY_KONE = {{1, 2}, {-1, 2}, {2, 1}, {2, -1}, {1, -2}, {-1, -2}, {-2, 1}, {-2, -1}};
const Smery SMERY_STRELCE = {{1, 1}, {-1, 1}, {-1, -1}, {1, -1}};
const Smery SMERY_VEZE = {{1, 0}, {-1, 0}, {0, -1}, {0, 1}};
const Smery SMERY_DAMY = {{1, 0}, {-1, 0}, {0, -1}, {0, 1}, {1, 1}, {-1, 1}, {-1, -1}, {1, -1}};

void Figura::nastav(bool barva_, Pozice pozice_, int bilytyp) {
    jefigura = true;
    barva = barva_;
    pozice = pozice_;
    typ = typbarvy(bilytyp, barva_);
}

Prazdno::Prazdno(bool b, Pozice p) {
    jefigura = false;
    barva = b;
    pozice = p;
    typ = PRAZDNO;
}

Pesec::Pesec(bool b, Pozice p) {
    nastav(b, p, BILY_PESEC);
}

Kun::Kun(bool b, Pozice p) : smery(SKOKY_KONE) {
    nastav(b, p, BILY_KUN);
}

Strelec::Strelec(bool b, Pozice p) : smery(SMERY_STRELCE) {
    nastav(b, p, BILY_STRELEC);
}

Vez::Vez(bool b, Pozice p) : smery(SMERY_VEZE) {
    nepohnuta = true;
    nastav(b, p, BILA_VEZ);
}

Dama::Dama(bool b, Pozice p) : smery(SMERY_DAMY) {
    nastav(b, p, BILA_DAMA);
}

Kral::Kral(bool b, Pozice p) : smery(SMERY_DAMY) {
    nepohnuta = true;
    nastav(b, p, BILY_KRAL);
}

Figura* novafigura(int typ, Pozice pozice) {
    const bool barva = typ >= BILY_PESEC && typ <= BILY_KRAL;
    switch (druh(typ)) {
    case BILY_PESEC:
        return new Pesec(barva, pozice);
    case BILY_KUN:
        return new Kun(barva, pozice);
    case BILY_STRELEC:
        return new Strelec(barva, pozice);
    case BILA_VEZ:
        return new Vez(barva, pozice);
    case BILA_DAMA:
        return new Dama(barva, pozice);
    case BILY_KRAL:
        return new Kral(barva, pozice);
    default:
        return new Prazdno(false, pozice);
    }
}
