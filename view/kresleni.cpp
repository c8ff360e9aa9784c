// Drawing the board straight onto the window, flipping after every square so
// the board builds up square by square.
#include "model/sachovnice.h"

#include <cstdio>

namespace {
// Index into the bitmap table of each type code's dark-square bitmap; the
// light-square bitmap follows it.
constexpr int OBRAZEK_TYPU[13] = {0, 20, 18, 14, 24, 22, 16, 8, 6, 2, 12, 10, 4};
} // namespace

SDL_Surface* Sachovnice::obrazek(int typ, bool tmave) const {
    if (typ < 0 || typ > 12) {
        return nullptr;
    }
    return obrazky[OBRAZEK_TYPU[typ] + (tmave ? 0 : 1)].get();
}

void Sachovnice::vykresli() {
    for (int i = 0; i < 8; ++i) {
        const int sloupec = otoceno ? 7 - i : i;
        for (int radek = 0; radek < 8; ++radek) {
            const bool tmave = (radek + sloupec) % 2 == 0;
            const int x = 34 * (8 - sloupec);
            const int y = otoceno ? 34 * (radek + 1) : 34 * (8 - radek);
            vloz(obrazek(pole[radek][sloupec]->typ, tmave), x, y);
            ukaz();
        }
    }
}

void Sachovnice::otoc() {
    otoceno = !otoceno;
    vykresli();
}

void Sachovnice::vloz(SDL_Surface* povrch, int x, int y) {
    if (povrch == nullptr) {
        return; // a bitmap that failed to load leaves the screen as it was
    }
    SDL_Rect rect{};
    rect.x = static_cast<Sint16>(x);
    rect.y = static_cast<Sint16>(y);
    SDL_BlitSurface(povrch, nullptr, obrazovka, &rect);
}

void Sachovnice::ukaz() {
    if (obrazovka != nullptr) {
        SDL_Flip(obrazovka);
    }
}

void Sachovnice::smaz() {
    if (obrazovka == nullptr) {
        return;
    }
    if (SDL_FillRect(obrazovka, nullptr, SDL_MapRGB(obrazovka->format, 0, 0, 0)) != 0) {
        std::fprintf(stderr, "SDL_FillRect() Failed: %s\n", SDL_GetError());
    }
}
