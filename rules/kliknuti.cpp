// Move input: the first click selects a piece of the side to move, the second
// names its target. A move is made on the grid as a trial and taken back,
// object for object, when it would leave the mover's king attacked.
#include "model/sachovnice.h"

namespace {
// The pieces a pawn may become, as white codes.
bool jepromena(int bilytyp) {
    return bilytyp >= BILY_KUN && bilytyp <= BILA_DAMA;
}
} // namespace

bool Sachovnice::kliknuti(int sloupec, int radek) {
    if (sloupec < 0 || sloupec > 7 || radek < 0 || radek > 7) {
        return false;
    }
    const int r = otoceno ? radek : 7 - radek;
    const int c = 7 - sloupec;
    Figura* kliknuta = pole[r][c];
    const bool vlastni = kliknuta->jefigura && kliknuta->barva == natahu;

    if (stav == 0) {
        if (!vlastni) {
            return false;
        }
        vybrana = kliknuta;
        stav = 1;
        return true;
    }

    // Another own piece does not switch the selection.
    if (vlastni) {
        return false;
    }
    // A king is never taken; the check test keeps kings apart, this is a second guard.
    if (jekral(kliknuta->typ)) {
        stav = 0;
        return false;
    }

    if (!vybrana->muzetahnout(kliknuta, pole)) {
        const int zadni = natahu ? 0 : 7;
        const bool kralovska = kliknuta->pozice == Pozice{zadni, 6};
        const bool damska = kliknuta->pozice == Pozice{zadni, 2};
        // Castling: the unmoved king asks for its landing square.
        if (!(kralovska || damska) || vybrana != pole[zadni][4] || !rosadamozna(kralovska)) {
            stav = 0;
            return false;
        }
        switch (provedrosadu(kralovska)) {
        case VysledekRosady::VSACHU:
            return false; // the king stays selected
        case VysledekRosady::NAPADENA:
            stav = 0;
            return false;
        case VysledekRosady::HOTOVA:
            break;
        }
        stav = 0;
        posunuzel(kralovska ? 8 : 9);
        natahu = !natahu;
        return true;
    }

    const Pozice pom = vybrana->pozice;
    const Pozice save = kliknuta->pozice;
    Figura* sebrana = zkustah(vybrana, save);
    stav = 0;
    if (sebrana == nullptr) {
        return false;
    }

    vybrana = nullptr; // a promoted pawn is gone
    if (napromenu(save)) {
        const int volba = druh(promena());
        promen(save, typbarvy(jepromena(volba) ? volba : BILA_DAMA, natahu));
        smaz();
        vykresli();
    }
    oznacpohyb(save);
    natahu = !natahu;
    posunuzel(((pom.second * 10 + pom.first) * 10 + save.second) * 10 + save.first);
    delete sebrana;
    return true;
}
