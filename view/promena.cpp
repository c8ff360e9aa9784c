// The promotion dialog below the board and the game object's text output.
#include "model/sachovnice.h"
#include "view/text.h"
#include "view/udalosti.h"

namespace {
struct Volba {
    int x;
    int bilytyp;
    bool tmave; // the square colour the piece is shown on
};
// Knight, bishop, rook and queen on alternately light and dark squares.
constexpr Volba VOLBY[4] = {{102, BILY_KUN, false},
                            {136, BILY_STRELEC, true},
                            {170, BILA_VEZ, false},
                            {204, BILA_DAMA, true}};
constexpr int VOLBY_Y = 350;

} // namespace

int Sachovnice::promena() {
    for (const Volba& v : VOLBY) {
        vloz(obrazek(typbarvy(v.bilytyp, natahu), v.tmave), v.x, VOLBY_Y);
    }
    ukaz(SDL_Rect{VOLBY[0].x, VOLBY_Y, 4 * 34, 34});
    vypistext("Vyberte figurku v kterou se ma pesec promenit:", 34, 320);
    if (!natahu) {
        ukaz();
    }

    // The dialog takes every event until a piece is picked, a close request included.
    SDL_Event udalost;
    while (cekejnaudalost(udalost)) {
        if (udalost.type != SDL_MOUSEBUTTONDOWN || jekolecko(udalost.button.button)) {
            continue;
        }
        const int x = udalost.button.x;
        const int y = udalost.button.y;
        for (const Volba& v : VOLBY) {
            if (x >= v.x && x <= v.x + 33 && y >= VOLBY_Y && y <= VOLBY_Y + 34) {
                return typbarvy(v.bilytyp, natahu);
            }
        }
    }
    // The event queue has failed: rather than wait forever, take the queen.
    return typbarvy(BILA_DAMA, natahu);
}

void Sachovnice::vypistext(const char* text, int x, int y) {
    nastavpismo();
    vykreslitext(pismo.get(), text, barvatextu, obrazovka, x, y, obdelniktextu, obraztextu);
}

void Sachovnice::nastavpismo() {
    otevripismo(pismo, 14);
    barvatextu = SDL_Color{255, 255, 255, 0};
}
