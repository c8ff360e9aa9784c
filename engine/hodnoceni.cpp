// Material count: the computer's only judgement of a position.
#include "engine/hodnoceni.h"

#include "model/sachovnice.h"

int hodnotafigury(int typ) {
    // Indexed by the type code; kings and empty squares count nothing.
    static constexpr int HODNOTY[13] = {0, 1, 3, 3, 5, 9, 0, 1, 3, 3, 5, 9, 0};
    return typ >= 0 && typ <= 12 ? HODNOTY[typ] : 0;
}

int Sachovnice::ohodnot(bool strana) {
    int soucet = 0;
    for (const auto& rada : pole) {
        for (const Figura* f : rada) {
            const int typ = f->typ;
            if (typ >= BILY_PESEC && typ <= BILA_DAMA) {
                soucet += strana ? hodnotafigury(typ) : -hodnotafigury(typ);
            } else if (typ >= CERNY_PESEC && typ <= CERNA_DAMA) {
                soucet += strana ? -hodnotafigury(typ) : hodnotafigury(typ);
            }
        }
    }
    return soucet;
}
