#include "view/zobrazeni.h"

#include <algorithm>

namespace {
// Drawn or shown in part since the whole window was last shown.
bool nevyrizene = false;

// Only SDL's window surface has a screen to go to; a surface in memory that
// the game draws on (a test's, say) is shown nowhere.
bool jeokno(const SDL_Surface* okno) {
    return okno != nullptr && okno == SDL_GetVideoSurface();
}

bool dvabuffery(const SDL_Surface* okno) {
    constexpr Uint32 OBA = SDL_HWSURFACE | SDL_DOUBLEBUF;
    return (okno->flags & OBA) == OBA;
}
} // namespace

void ukazoblast(SDL_Surface* okno, SDL_Rect oblast) {
    if (!jeokno(okno)) {
        return;
    }
    nevyrizene = true;
    if (dvabuffery(okno)) {
        return;
    }
    // Updating outside the window is an X protocol error on classic SDL.
    const int x0 = std::max<int>(oblast.x, 0);
    const int y0 = std::max<int>(oblast.y, 0);
    const int x1 = std::min<int>(oblast.x + oblast.w, okno->w);
    const int y1 = std::min<int>(oblast.y + oblast.h, okno->h);
    if (x1 <= x0 || y1 <= y0) {
        return;
    }
    SDL_UpdateRect(okno, x0, y0, static_cast<Uint32>(x1 - x0), static_cast<Uint32>(y1 - y0));
}

void ukazcele(SDL_Surface* okno) {
    if (!jeokno(okno)) {
        return;
    }
    // On a window without hardware buffers this is an update of the whole window.
    SDL_Flip(okno);
    nevyrizene = false;
}

void oznacnakresleno() {
    nevyrizene = true;
}

void ukaznevyrizene() {
    if (nevyrizene) {
        ukazcele(SDL_GetVideoSurface());
    }
    nevyrizene = false;
}
