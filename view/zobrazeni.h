// Sending what has been drawn on the window surface to the screen.
//
// Every drawing operation shows the part of the window it drew, right after
// drawing it. Classic SDL 1.2 puts such a part on the screen at once;
// sdl12-compat (SDL 1.2 on SDL 2) copies it at once but puts it on the screen
// at most once a frame, so a part shown shortly after another may wait for a
// later update. Before the game waits for the player, `ukaznevyrizene` sends
// the whole window once, which every SDL 1.2 shows at once: the screen then
// holds exactly what the window surface holds.
#pragma once

#include <SDL.h>

// Shows the rectangle of the window (clipped to it). A window that flips
// between two hardware buffers cannot show a part: it flips before the wait.
void ukazoblast(SDL_Surface* okno, SDL_Rect oblast);

// Shows the whole window now.
void ukazcele(SDL_Surface* okno);

// Something was drawn on the window and not yet shown whole: `smaz`, say,
// which blacks out the window without showing it.
void oznacnakresleno();

// Shows the whole of SDL's window if anything was drawn or shown in part
// since it was last shown whole. Called before every wait for an event.
void ukaznevyrizene();
