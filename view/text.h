// Text output shared by the shell's captions and the game's prompt.
#pragma once

#include "model/sdl_zdroje.h"

// Opens "free.ttf" at the size into `pismo` unless a font is open already,
// initialising SDL_ttf first if need be. False when the font cannot be opened.
bool otevripismo(Pismo& pismo, int velikost);

// Renders the text with SDL_ttf's solid renderer and blits it with its
// top-left corner at (x, y), which `obdelnik` keeps, and shows it. The
// rendered surface passes through `obraztextu` and is freed once it is
// blitted. Without a font or a window nothing is drawn.
void vykreslitext(TTF_Font* pismo, const char* text, SDL_Color barva, SDL_Surface* cil, int x,
                  int y, SDL_Rect& obdelnik, Povrch& obraztextu);
