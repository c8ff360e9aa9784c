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
    for (const auto& [tah, dalsi] : knihovna[uzel]) {
        (void)dalsi;
        if (zahrajknihovni(tah)) {
            posunuzel(tah);
            return true;
        }
    }
    uzel = static_cast<int>(knihovna.size());
    return false;
}

bool Sachovnice::zahrajknihovni(int tah) {
    if (tah == 8 || tah == 9) {
        const bool kralovska = tah == 8;
        if (!rosadamozna(kralovska) || provedrosadu(kralovska) != Rosada::HOTOVA) {
            return false;
        }
        natahu = !natahu;
        return true;
    }
    // Codes of unreadable tokens (a 100 in place of a character) name no square.
    if (tah < 0 || tah > 7777) {
        return false;
    }
    const int kamradek = tah % 10;
    const int kamsloupec = tah / 10 % 10;
    const int odkudradek = tah / 100 % 10;
    const int odkudsloupec = tah / 1000 % 10;
    if (kamradek > 7 || kamsloupec > 7 || odkudradek > 7 || odkudsloupec > 7) {
        return false;
    }
    Figura* kdo = pole[odkudradek][odkudsloupec];
    Figura* cil = pole[kamradek][kamsloupec];
    if (!kdo->jefigura || kdo->barva != natahu || cil->typ == BILY_KRAL || cil->typ == CERNY_KRAL ||
        !kdo->muzetahnout(cil, pole)) {
        return false;
    }
    const Pozice kam{kamradek, kamsloupec};
    const bool pesec = kdo->typ == typbarvy(BILY_PESEC, natahu);
    Figura* sebrana = zkustah(kdo, kam);
    if (sebrana == nullptr) {
        return false;
    }
    if (pesec && kamradek == (natahu ? 7 : 0)) {
        promen(kam, typbarvy(BILA_DAMA, natahu));
    }
    oznacpohyb(kam);
    delete sebrana;
    natahu = !natahu;
    return true;
}
