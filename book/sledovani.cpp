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
    if (!vknihovne()) {
        return false;
    }
    // The smallest code wins; entries that are no legal move here are passed over.
    for (const auto& vetev : knihovna[uzel]) {
        if (zahrajknihovni(vetev.first)) {
            posunuzel(vetev.first);
            return true;
        }
    }
    uzel = static_cast<int>(knihovna.size());
    return false;
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
    // A code above 10000 carries a 100 from an unreadable character: its last
    // digit goes, and digits above the thousands are ignored.
    const int kod = tah > 10000 ? tah / 10 : tah;
    const int kamradek = kod % 10;
    const int kamsloupec = kod / 10 % 10;
    const int odkudradek = kod / 100 % 10;
    const int odkudsloupec = kod / 1000 % 10;
    if (kod < 0 || kamradek > 7 || kamsloupec > 7 || odkudradek > 7 || odkudsloupec > 7) {
        return false; // no such square
    }
    Figura* kdo = pole[odkudradek][odkudsloupec];
    Figura* cil = pole[kamradek][kamsloupec];
    if (!kdo->jefigura || kdo->barva != natahu || jekral(cil->typ) ||
        !kdo->muzetahnout(cil, pole)) {
        return false;
    }
    const Pozice kam{kamradek, kamsloupec};
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
