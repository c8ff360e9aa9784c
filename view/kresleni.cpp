// Drawing the board straight onto the window.
#include "model/sachovnice.h"
#include "view/zobrazeni.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {
// The slot in the bitmap table of each type code on a dark and a light square,
// found by the files' names: colour, piece, square colour.
int slot(int typ, bool tmave) {
    static const auto SLOTY = [] {
        std::array<std::array<int, 2>, 13> sloty{};
        for (int t = 0; t <= 12; ++t) {
            for (const bool tm : {true, false}) {
                std::string jmeno;
                if (t != PRAZDNO) {
                    jmeno += jebarvy(t, true) ? 'w' : 'b';
                    jmeno += "pnbrqk"[druh(t) - 1];
                }
                jmeno += tm ? "b.bmp" : "w.bmp";
                const auto kde = std::find(SOUBORY_OBRAZKU.begin(), SOUBORY_OBRAZKU.end(), jmeno);
                sloty[t][tm ? 0 : 1] = static_cast<int>(kde - SOUBORY_OBRAZKU.begin());
            }
        }
        return sloty;
    }();
    return SLOTY[typ][tmave ? 0 : 1];
}
} // namespace

SDL_Surface* Sachovnice::obrazek(int typ, bool tmave) const {
    if (typ < 0 || typ > 12) {
        return nullptr;
    }
    return obrazky[slot(typ, tmave)].get();
}

void Sachovnice::vykresli() {
    for (int i = 0; i < 8; ++i) {
        const int sloupec = otoceno ? 7 - i : i;
        for (int radek = 0; radek < 8; ++radek) {
            const bool tmave = (radek + sloupec) % 2 == 0;
            const int x = 34 * (8 - sloupec);
            const int y = otoceno ? 34 * (radek + 1) : 34 * (8 - radek);
            vloz(obrazek(pole[radek][sloupec]->typ, tmave), x, y);
        }
    }
    // The board goes to the screen in one piece: shown square by square it
    // took fifty whole-window updates on sdl12-compat, and on classic SDL it
    // was over too quickly to be seen.
    ukaz(SDL_Rect{34, 34, 8 * 34, 8 * 34});
}

void Sachovnice::otoc() {
    otoceno = !otoceno;
    vykresli();
}

void Sachovnice::vloz(SDL_Surface* povrch, int x, int y) {
    // A bitmap that failed to load leaves the screen as it was; without a
    // window there is nowhere to draw (sdl12-compat does not check for us).
    if (povrch == nullptr || obrazovka == nullptr) {
        return;
    }
    SDL_Rect rect{};
    rect.x = static_cast<Sint16>(x);
    rect.y = static_cast<Sint16>(y);
    SDL_BlitSurface(povrch, nullptr, obrazovka, &rect);
    oznacnakresleno();
}

void Sachovnice::ukaz() {
    ukazcele(obrazovka);
}

void Sachovnice::ukaz(const SDL_Rect& oblast) {
    ukazoblast(obrazovka, oblast);
}

void Sachovnice::smaz() {
    if (obrazovka == nullptr) {
        return;
    }
    if (SDL_FillRect(obrazovka, nullptr, SDL_MapRGB(obrazovka->format, 0, 0, 0)) != 0) {
        std::fprintf(stderr, "SDL_FillRect() Failed: %s\n", SDL_GetError());
    }
    oznacnakresleno();
}
