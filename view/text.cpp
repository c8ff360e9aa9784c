#include "view/text.h"
#include "view/zobrazeni.h"

bool otevripismo(Pismo& pismo, int velikost) {
    if (!TTF_WasInit()) {
        TTF_Init();
    }
    if (!pismo) {
        pismo.reset(TTF_OpenFont("free.ttf", velikost));
    }
    return static_cast<bool>(pismo);
}

void vykreslitext(TTF_Font* pismo, const char* text, SDL_Color barva, SDL_Surface* cil, int x,
                  int y, SDL_Rect& obdelnik, Povrch& obraztextu) {
    if (pismo == nullptr) {
        return;
    }
    obraztextu.reset(TTF_RenderText_Solid(pismo, text, barva));
    obdelnik.x = static_cast<Sint16>(x);
    obdelnik.y = static_cast<Sint16>(y);
    if (obraztextu && cil != nullptr) {
        // The blit leaves in `obdelnik` the part of the window it covered.
        SDL_BlitSurface(obraztextu.get(), nullptr, cil, &obdelnik);
        ukazoblast(cil, obdelnik);
    }
    obraztextu.reset();
}
