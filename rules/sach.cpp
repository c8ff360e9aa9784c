// Is the king of the side to move unattacked? Reads the grid in place.
#include "model/sachovnice.h"

bool Sachovnice::nenisach() {
    const Figura* kral = natahu ? kralbily : kralcerny;
    const int r = kral->pozice.first;
    const int c = kral->pozice.second;
    // The attackers' codes: the enemy's kind codes.
    const int posun = natahu ? 6 : 0;
    const auto nepritel = [&](int bilytyp) { return bilytyp + posun; };

    // Enemy pawns attack from one row ahead of the king, diagonally.
    const int d = natahu ? 1 : -1;
    for (int dc : {1, -1}) {
        if (napoli(r + d, c + dc)) {
            const Figura* f = pole[r + d][c + dc];
            if (f->jefigura && f->typ == nepritel(BILY_PESEC)) {
                return false;
            }
        }
    }

    // Rays: the first real piece on each ray decides.
    const auto paprsek = [&](int dr, int dc, int strelec_nebo_vez) {
        for (int rr = r + dr, cc = c + dc; napoli(rr, cc); rr += dr, cc += dc) {
            const Figura* f = pole[rr][cc];
            if (!f->jefigura) {
                continue;
            }
            if (jebarvy(f->typ, natahu)) {
                return true;
            }
            return f->typ != nepritel(strelec_nebo_vez) && f->typ != nepritel(BILA_DAMA);
        }
        return true;
    };
    static const Smery UHLOPRICKY = {{1, 1}, {-1, 1}, {1, -1}, {-1, -1}};
    for (const auto& [dr, dc] : UHLOPRICKY) {
        if (!paprsek(dr, dc, BILY_STRELEC)) {
            return false;
        }
    }

    for (const auto& [dr, dc] : skokykone) {
        if (napoli(r + dr, c + dc) && pole[r + dr][c + dc]->typ == nepritel(BILY_KUN)) {
            return false;
        }
    }

    for (const auto& [dr, dc] : smeryveze) {
        if (!paprsek(dr, dc, BILA_VEZ)) {
            return false;
        }
    }

    // Kings may never stand side by side: that would let one take the other.
    for (const auto& [dr, dc] : smerydamy) {
        if (napoli(r + dr, c + dc) && pole[r + dr][c + dc]->typ == nepritel(BILY_KRAL)) {
            return false;
        }
    }
    return true;
}
