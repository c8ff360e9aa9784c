#include "model/figura.h"

const Smery SKOKY_KONE = {{1, 2}, {-1, 2}, {2, 1}, {2, -1}, {1, -2}, {-1, -2}, {-2, 1}, {-2, -1}};
const Smery SMERY_STRELCE = {{1, 1}, {-1, 1}, {-1, -1}, {1, -1}};
const Smery SMERY_VEZE = {{1, 0}, {-1, 0}, {0, -1}, {0, 1}};
const Smery SMERY_DAMY = {{1, 0}, {-1, 0}, {0, -1}, {0, 1}, {1, 1}, {-1, 1}, {-1, -1}, {1, -1}};

Prazdno::Prazdno(bool b, Pozice p) {
    jefigura = false;
    barva = b;
    pozice = p;
    typ = PRAZDNO;
}

Pesec::Pesec(bool b, Pozice p) {
    jefigura = true;
    barva = b;
    pozice = p;
    typ = typbarvy(BILY_PESEC, b);
}

Kun::Kun(bool b, Pozice p) : smery(SKOKY_KONE) {
    jefigura = true;
    barva = b;
    pozice = p;
    typ = typbarvy(BILY_KUN, b);
}

Strelec::Strelec(bool b, Pozice p) : smery(SMERY_STRELCE) {
    jefigura = true;
    barva = b;
    pozice = p;
    typ = typbarvy(BILY_STRELEC, b);
}

Vez::Vez(bool b, Pozice p) : smery(SMERY_VEZE) {
    nepohnuta = true;
    jefigura = true;
    barva = b;
    pozice = p;
    typ = typbarvy(BILA_VEZ, b);
}

Dama::Dama(bool b, Pozice p) : smery(SMERY_DAMY) {
    jefigura = true;
    barva = b;
    pozice = p;
    typ = typbarvy(BILA_DAMA, b);
}

Kral::Kral(bool b, Pozice p) : smery(SMERY_DAMY) {
    nepohnuta = true;
    jefigura = true;
    barva = b;
    pozice = p;
    typ = typbarvy(BILY_KRAL, b);
}

Figura* novafigura(int typ, Pozice pozice) {
    const bool barva = typ >= BILY_PESEC && typ <= BILY_KRAL;
    switch (typ == PRAZDNO ? PRAZDNO : (typ - 1) % 6 + 1) {
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
