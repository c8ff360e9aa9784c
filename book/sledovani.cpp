// Following the book: the cursor walks the tree with every move made, and the
// computer answers from the book while the game is in it.
#include "model/sachovnice.h"

void Sachovnice::posunuzel(int tah) {
    if (!vknihovne()) {
        return;
    }
    const auto& mapa = knihovna[uzel];
    const auto vetev = mapa.find(tah);
    uzel = vetev != mapa.end() ? vetev->second : static_cast<int>(knihovna.size());
}

bool Sachovnice::tahknihovny() {
    return volbaknihovny() >= 0;
}

int Sachovnice::volbaknihovny() {
    if (!vknihovne()) {
        return -1;
    }
    // The smallest code wins; entries that are no legal move here are passed over.
    for (const auto& vetev : knihovna[uzel]) {
        if (zahrajknihovni(vetev.first)) {
            const int kod = vetev.first;
            posunuzel(kod);
            return kod;
        }
    }
    uzel = static_cast<int>(knihovna.size());
    return -1;
}

bool Sachovnice::polakodu(int tah, Pozice& odkud, Pozice& kam) {
    // A code above 10000 carries a 100 from an unreadable character: its last
    // digit goes, and digits above the thousands are ignored.
    const int kod = tah > 10000 ? tah / 10 : tah;
    odkud = {kod / 100 % 10, kod / 1000 % 10};
    kam = {kod % 10, kod / 10 % 10};
    return kod >= 0 && napoli(odkud.first, odkud.second) && napoli(kam.first, kam.second);
}

bool Sachovnice::zahrajknihovni(int tah) {
    if (tah == 8 || tah == 9) {
        const bool kralovska = tah == 8;
        if (!rosadamozna(kralovska) || provedrosadu(kralovska) != VysledekRosady::HOTOVA) {
            return false;
        }
        natahu = !natahu;
        return true;
    }
    Pozice odkud;
    Pozice kam;
    if (!polakodu(tah, odkud, kam)) {
        return false; // no such square
    }
    Figura* kdo = pole[odkud.first][odkud.second];
    Figura* cil = pole[kam.first][kam.second];
    if (!kdo->jefigura || kdo->barva != natahu || jekral(cil->typ) ||
        !kdo->muzetahnout(cil, pole)) {
        return false;
    }
    Figura* sebrana = zkustah(kdo, kam);
    if (sebrana == nullptr) {
        return false;
    }
    if (napromenu(kam)) {
        promen(kam, typbarvy(BILA_DAMA, natahu));
    }
    oznacpohyb(kam);
    delete sebrana;
    natahu = !natahu;
    return true;
}
