// Owning handles for the SDL resources a game object and the shell hold.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <memory>

struct UvolniPovrch {
    void operator()(SDL_Surface* povrch) const { SDL_FreeSurface(povrch); }
};
using Povrch = std::unique_ptr<SDL_Surface, UvolniPovrch>;

// A font must be closed while SDL_ttf is still initialised.
struct ZavriPismo {
    void operator()(TTF_Font* pismo) const { TTF_CloseFont(pismo); }
};
using Pismo = std::unique_ptr<TTF_Font, ZavriPismo>;
