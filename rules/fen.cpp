#include "rules/fen.h"

#include "model/sachovnice.h"

namespace {
const char ZNAKY[] = ".PNBRQKpnbrqk";

// Whether the piece of type `typ` stands unmoved on the square.
bool nepohnuta(const Sachovnice& hra, int radek, int sloupec, int typ) {
    const Figura* f = hra.pole[radek][sloupec];
    return f->typ == typ && f->nepohnuta;
}

std::string prava(const Sachovnice& hra) {
    std::string text;
    for (const bool bila : {true, false}) {
        const int rada = bila ? 0 : 7;
        if (!nepohnuta(hra, rada, 4, typbarvy(BILY_KRAL, bila))) {
            continue;
        }
        if (nepohnuta(hra, rada, 7, typbarvy(BILA_VEZ, bila))) {
            text += bila ? 'K' : 'k';
        }
        if (nepohnuta(hra, rada, 0, typbarvy(BILA_VEZ, bila))) {
            text += bila ? 'Q' : 'q';
        }
    }
    return text.empty() ? "-" : text;
}
} // namespace

std::string fen(const Sachovnice& hra, int pultahy, int cislotahu) {
    std::string text;
    for (int radek = 7; radek >= 0; --radek) {
        int prazdna = 0;
        for (int sloupec = 0; sloupec < 8; ++sloupec) {
            const int typ = hra.pole[radek][sloupec]->typ;
            if (typ == PRAZDNO) {
                ++prazdna;
                continue;
            }
            if (prazdna > 0) {
                text += static_cast<char>('0' + prazdna);
                prazdna = 0;
            }
            text += ZNAKY[typ];
        }
        if (prazdna > 0) {
            text += static_cast<char>('0' + prazdna);
        }
        text += radek > 0 ? "/" : "";
    }
    text += hra.natahu ? " w " : " b ";
    return text + prava(hra) + " - " + std::to_string(pultahy) + " " + std::to_string(cislotahu);
}
