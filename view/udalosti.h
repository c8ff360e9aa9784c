// Events as the shell and the promotion dialog read them.
#pragma once

#include <SDL.h>

// SDL 1.2 reports wheel turns as presses of buttons 4 and 5; they are not clicks.
inline bool jekolecko(Uint8 tlacitko) {
    return tlacitko == SDL_BUTTON_WHEELUP || tlacitko == SDL_BUTTON_WHEELDOWN;
}

// Puts on the screen whatever was drawn and not yet shown whole, then waits
// for the next event; false when the event queue has failed.
bool cekejnaudalost(SDL_Event& udalost);
